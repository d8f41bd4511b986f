#include "dialogs/import_form.hpp"

#include <algorithm>
#include <iterator>

#include "common/fill.hpp"
#include "compare/change_text.hpp"
#include "compare/compare_maps.hpp"

namespace quarn::dialogs {
namespace {

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

std::string count_text(std::size_t count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

// A section of the campus preview: its heading, then its lines indented.
void add_section(std::string& lines, std::string_view heading, const std::vector<std::string>& items) {
    if (items.empty()) return;
    add_line(lines, heading);
    for (const std::string& item : items) add_line(lines, "  " + item);
}

std::string file_line(const CampusFile& file) {
    using Outcome = CampusFile::Outcome;
    const ImportResult& read = file.configuration;
    std::string found = count_text(file.applied.ports, "port", "ports") + ", " +
                        count_text(read.vlans.size(), "VLAN", "VLANs");
    if (file.neighbours > 0) found += ", " + count_text(file.neighbours, "neighbour", "neighbours");
    switch (file.outcome) {
    case Outcome::Added:
        return fill("{}: adds {} ({}, {})",
                    {file.file, file.switch_name, dialect_title(read.dialect), found});
    case Outcome::Updated:
        return fill("{}: updates {} ({}, {})",
                    {file.file, file.switch_name, dialect_title(read.dialect), found});
    case Outcome::NeighboursOnly:
        return fill("{}: {} of {}",
                    {file.file, count_text(file.neighbours, "neighbour", "neighbours"), file.switch_name});
    case Outcome::NoSwitch:
        return fill("{}: neighbours of {}, which is not in the map: left out", {file.file, file.switch_name});
    case Outcome::Nothing:
        break;
    }
    return fill("{}: no configuration or neighbour output Quarn reads: left out", {file.file});
}

} // namespace

ImportPreview preview_campus(const ImportDialogInput& input, std::span<const ImportSource> sources,
                             const CampusChoices& choices) {
    ImportPreview preview;
    std::vector<CaptureFile> files;
    std::vector<std::string> refused;
    for (const ImportSource& source : sources) {
        if (source.refused.empty())
            files.push_back(CaptureFile{source.name, source.text, ""});
        else
            refused.push_back(fill("{}: not read. {}", {source.name, source.refused}));
    }
    CampusImport campus =
        import_campus(input.map, files,
                      CampusOptions{choices.dialect, choices.replace_contradicted, choices.describe_outside});
    const CampusReport& report = campus.report;

    std::size_t configurations = 0;
    std::size_t neighbour_files = 0;
    std::vector<std::string> file_lines;
    for (const CampusFile& file : report.files) {
        if (file.configuration.recognised()) ++configurations;
        if (file.neighbours > 0) ++neighbour_files;
        file_lines.push_back(file_line(file));
    }
    file_lines.insert(file_lines.end(), refused.begin(), refused.end());
    preview.found =
        fill("Found: {} and {} in {}", {count_text(configurations, "configuration", "configurations"),
                                        count_text(neighbour_files, "neighbour list", "neighbour lists"),
                                        count_text(sources.size(), "file", "files")});

    std::vector<std::string> made;
    std::size_t already = 0;
    for (const CampusLink& link : report.links) {
        if (link.already)
            ++already;
        else
            made.push_back(campus_link_text(link));
    }
    if (already > 0) made.push_back(fill("{} already in the map", {count_text(already, "link", "links")}));
    std::vector<std::string> disagreements;
    for (const NeighbourConflict& conflict : report.conflicts)
        disagreements.push_back(conflict_message(conflict));
    for (const LinkContradiction& contradiction : report.contradictions)
        disagreements.push_back(contradiction_message(contradiction));
    std::vector<std::string> outside;
    for (const OutsideNeighbour& neighbour : report.outside)
        outside.push_back(outside_text(neighbour) + (neighbour.described ? " (described)" : ""));
    std::vector<std::string> unplaced;
    for (const UnplacedNeighbour& neighbour : report.unplaced) unplaced.push_back(unplaced_text(neighbour));

    add_section(preview.lines, "Files:", file_lines);
    add_section(preview.lines, "Links:", made);
    add_section(preview.lines, "Disagreements, not applied:", disagreements);
    add_section(preview.lines, "Neighbours outside the map:", outside);
    add_section(preview.lines, "Neighbours on ports not on the panels:", unplaced);

    if (!report.recognised()) {
        preview.summary = "These files hold no switch configuration or neighbour output that Quarn reads.";
        return preview;
    }
    if (campus.map == input.map) {
        preview.summary = "The map already matches these files.";
        return preview;
    }
    std::size_t added = report.count(CampusFile::Outcome::Added);
    std::size_t updated = report.count(CampusFile::Outcome::Updated);
    preview.summary =
        fill("Will add {}, update {} and make {}",
             {count_text(added, "switch", "switches"), count_text(updated, "switch", "switches"),
              count_text(report.links_made(), "link", "links")});

    ImportForm form;
    // New switches take their places in campus order, among the map's own:
    // the first one of the result that the map did not have is shown.
    for (std::size_t i = 0; i < campus.map.switches.size() && !form.first_added; ++i) {
        const std::string& name = campus.map.switches[i].name;
        bool known = std::any_of(input.map.switches.begin(), input.map.switches.end(),
                                 [&](const Switch& sw) { return sw.name == name; });
        if (!known) form.first_added = i;
    }
    form.campus = std::move(campus.map);
    preview.form = std::move(form);
    return preview;
}

// The importer's fuller names: the list is where a user learns which
// platforms each dialect covers.
std::vector<std::string> dialect_entries() {
    std::vector<std::string> entries{std::string(k_detect_entry)};
    for (const DialectInfo& info : dialects()) entries.emplace_back(info.platforms);
    return entries;
}

std::optional<Dialect> dialect_of_entry(std::size_t entry) {
    if (entry == 0 || entry > dialects().size()) return std::nullopt;
    return dialects()[entry - 1].dialect;
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
    if (detected == Dialect::Unknown)
        preview.found = "Found: no dialect Quarn reads";
    else if (result.dialect_assumed)
        preview.found = fill("Read as {} (assumed)", {dialect_title(detected)});
    else
        preview.found = "Found: " + std::string(dialect_title(detected));
    // Garbage read as no dialect is all lines not understood: listing them
    // would say nothing.
    bool show_unread = result.dialect != Dialect::Unknown;
    if (!result.recognised()) {
        preview.summary =
            result.dialect == Dialect::Unknown
                ? fill("This text is no switch configuration that Quarn reads ({}).", {dialect_titles()})
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
