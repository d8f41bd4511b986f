#include "dialogs/import_form.hpp"

#include <iterator>

#include "common/fill.hpp"
#include "compare/change_text.hpp"
#include "compare/compare_maps.hpp"

namespace quarn::dialogs {
namespace {

struct DialectEntry {
    Dialect dialect;
    std::string_view text;
};

// Fuller names than the importer's titles: the list is where a user learns
// which platforms each dialect covers.
constexpr DialectEntry k_dialect_entries[] = {
    {Dialect::CiscoIos, "Cisco IOS, IOS-XE, Arista EOS"},
    {Dialect::NxOs, "Cisco NX-OS"},
    {Dialect::ArubaOs, "HPE ArubaOS-Switch, ProCurve"},
    {Dialect::Comware, "HPE Comware, H3C"},
    {Dialect::Junos, "Juniper Junos"},
    {Dialect::FastIron, "Ruckus ICX, Brocade FastIron"},
    {Dialect::Vrp, "Huawei VRP"},
    {Dialect::RouterOs, "MikroTik RouterOS"},
    {Dialect::Exos, "Extreme Networks EXOS"},
};

constexpr std::string_view k_detect_entry = "Detect automatically";

bool is_blank(std::string_view text) {
    return text.find_first_not_of(" \t\r\n\v\f") == std::string_view::npos;
}

void add_line(std::string& lines, std::string_view line) {
    lines += line;
    lines += '\n';
}

// The new switch's ports and LAGs one by one, as the comparison words
// records added to a switch that was there before: the comparison of the
// whole maps only names an added switch.
void add_new_switch_records(std::string& lines, const Map& after, std::size_t index) {
    Map bare = after;
    bare.switches[index].ports.clear();
    bare.switches[index].lags.clear();
    for (const Change& change : compare_maps(bare, after)) {
        bool port = change.place.kind == PlaceKind::Port;
        if (!port && change.place.kind != PlaceKind::Lag) continue;
        if (port && change.place.name.empty()) continue; // a place the configuration left unfilled
        add_line(lines, change_line(change));
    }
}

void add_unread_lines(std::string& lines, const ImportResult& result) {
    for (const UnreadLine& line : result.unread)
        add_line(lines, fill("Line {} not understood: {}", {std::to_string(line.number), line.text}));
    if (result.unread_count > result.unread.size())
        add_line(lines, fill("... and {} more lines not understood",
                             {std::to_string(result.unread_count - result.unread.size())}));
}

} // namespace

std::vector<std::string> dialect_entries() {
    std::vector<std::string> entries{std::string(k_detect_entry)};
    for (const DialectEntry& entry : k_dialect_entries) entries.emplace_back(entry.text);
    return entries;
}

std::optional<Dialect> dialect_of_entry(std::size_t entry) {
    if (entry == 0 || entry > std::size(k_dialect_entries)) return std::nullopt;
    return k_dialect_entries[entry - 1].dialect;
}

std::optional<ImportApplied> apply_import_form(Map& map, std::optional<std::size_t> current,
                                               const ImportForm& form) {
    if (form.target == ImportTarget::CurrentSwitch) {
        if (!current) return std::nullopt;
        return import_into_switch(map, *current, form.result);
    }
    return import_new_switch(map, form.result, form.fallback_name);
}

ImportPreview preview_import(const ImportDialogInput& input, std::string_view text,
                             const ImportChoices& choices) {
    ImportPreview preview;
    if (is_blank(text)) {
        preview.summary = "Paste the switch's configuration (show running-config) or open its file.";
        return preview;
    }
    ImportForm form{import_config(text, choices.dialect), choices.target, choices.file_name};
    const ImportResult& result = form.result;
    Dialect detected = choices.dialect ? detect_dialect(text) : result.dialect;
    preview.found = detected == Dialect::Unknown ? "Found: no dialect Quarn reads"
                                                 : "Found: " + std::string(dialect_title(detected));
    // Garbage read as no dialect is all lines not understood: listing them
    // would say nothing.
    bool show_unread = result.dialect != Dialect::Unknown;
    if (!result.recognised()) {
        preview.summary =
            result.dialect == Dialect::Unknown
                ? "This text is no switch configuration that Quarn reads (Cisco IOS or NX-OS, "
                  "ArubaOS-Switch, Comware, Junos, Ruckus FastIron, Huawei VRP, MikroTik RouterOS, Extreme "
                  "EXOS)."
                : fill("No ports or VLANs found when read as {}.", {dialect_title(result.dialect)});
        if (show_unread) add_unread_lines(preview.lines, result);
        return preview;
    }

    bool update = form.target == ImportTarget::CurrentSwitch && input.current_switch &&
                  *input.current_switch < input.map.switches.size();
    if (!update) form.target = ImportTarget::NewSwitch;
    Map after = input.map;
    ImportApplied applied = *apply_import_form(after, input.current_switch, form);
    const std::string& name = after.switches[applied.switch_index].name;
    preview.summary =
        fill(update ? "Will import {} ports and {} VLANs into {}" : "Will import {} ports and {} VLANs as {}",
             {std::to_string(applied.ports), std::to_string(result.vlans.size()), name});

    for (const Change& change : compare_maps(input.map, after)) add_line(preview.lines, change_line(change));
    if (!update) add_new_switch_records(preview.lines, after, applied.switch_index);
    if (!applied.missing_ports.empty()) {
        std::string list;
        for (const std::string& label : applied.missing_ports) list += (list.empty() ? "" : ", ") + label;
        add_line(preview.lines, fill("Not on {}: {}", {name, list}));
    }
    for (const std::string& refusal : applied.lags_refused) add_line(preview.lines, refusal);
    if (result.ports_left_out > 0)
        add_line(preview.lines,
                 fill("Left out {} ports beyond the first {}",
                      {std::to_string(result.ports_left_out), std::to_string(k_max_imported_ports)}));
    if (show_unread) add_unread_lines(preview.lines, result);

    if (after == input.map) {
        preview.summary = fill("{} already matches this configuration.", {name});
        return preview;
    }
    preview.form = std::move(form);
    return preview;
}

Result<std::string> config_file_text(std::string bytes) {
    using Text = Result<std::string>;
    if (bytes.size() > k_max_config_bytes) return Text::failure(std::string(k_config_too_large_text));
    auto starts = [&](std::string_view mark) {
        return std::string_view(bytes).substr(0, mark.size()) == mark;
    };
    bool little = starts("\xff\xfe");
    if (little || starts("\xfe\xff")) {
        std::string text;
        text.reserve(bytes.size());
        auto unit = [&](std::size_t at) -> std::uint32_t {
            auto byte = [&](std::size_t i) {
                return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i]));
            };
            return little ? byte(at) | byte(at + 1) << 8 : byte(at) << 8 | byte(at + 1);
        };
        auto append = [&](std::uint32_t c) {
            if (c < 0x80) {
                text += static_cast<char>(c);
            } else if (c < 0x800) {
                text += static_cast<char>(0xc0 | c >> 6);
                text += static_cast<char>(0x80 | (c & 0x3f));
            } else if (c < 0x10000) {
                text += static_cast<char>(0xe0 | c >> 12);
                text += static_cast<char>(0x80 | (c >> 6 & 0x3f));
                text += static_cast<char>(0x80 | (c & 0x3f));
            } else {
                text += static_cast<char>(0xf0 | c >> 18);
                text += static_cast<char>(0x80 | (c >> 12 & 0x3f));
                text += static_cast<char>(0x80 | (c >> 6 & 0x3f));
                text += static_cast<char>(0x80 | (c & 0x3f));
            }
        };
        std::size_t at = 2;
        for (; at + 1 < bytes.size(); at += 2) {
            std::uint32_t c = unit(at);
            bool high = c >= 0xd800 && c <= 0xdbff;
            if (high && at + 3 < bytes.size() && unit(at + 2) >= 0xdc00 && unit(at + 2) <= 0xdfff) {
                c = 0x10000 + ((c - 0xd800) << 10) + (unit(at + 2) - 0xdc00);
                at += 2;
            } else if (c >= 0xd800 && c <= 0xdfff) {
                c = 0xfffd; // half a pair
            }
            append(c);
        }
        if (at < bytes.size()) append(0xfffd); // an odd last byte
        bytes = std::move(text);
    } else if (starts("\xef\xbb\xbf")) {
        bytes.erase(0, 3);
    }
    if (bytes.find('\0') != std::string::npos) return Text::failure(std::string(k_config_binary_text));
    return bytes;
}

} // namespace quarn::dialogs
