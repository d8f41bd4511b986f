#include "import/neighbour_reader.hpp"

#include <algorithm>
#include <array>

#include <nlohmann/json.hpp>

#include "common/utf8.hpp"
#include "import/config_reader.hpp"

namespace quarn::neighbour_detail {
using import_detail::digit;
namespace {

char lower_char(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool letter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool hex_digit(char c) {
    return digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// What a terminal shows of a line that was written over: backspaces and
// CRs move the cursor back, cursor moves and erasures of escape sequences
// are followed, other escape sequences are dropped.
std::string replay_line(std::string_view raw) {
    std::string shown;
    std::size_t cursor = 0;
    auto put = [&](char c) {
        if (cursor < shown.size())
            shown[cursor] = c;
        else
            shown.push_back(c);
        ++cursor;
    };
    for (std::size_t i = 0; i < raw.size(); ++i) {
        char c = raw[i];
        if (c == '\b') {
            if (cursor > 0) --cursor;
        } else if (c == '\r') {
            cursor = 0;
        } else if (c == '\x1b') {
            if (i + 1 < raw.size() && raw[i + 1] == '[') {
                std::size_t j = i + 2;
                std::size_t count = 0;
                bool number = false;
                while (j < raw.size() && (digit(raw[j]) || raw[j] == ';' || raw[j] == '?')) {
                    if (digit(raw[j]) && count < 10000) {
                        count = count * 10 + static_cast<std::size_t>(raw[j] - '0');
                        number = true;
                    }
                    ++j;
                }
                if (j >= raw.size()) break;
                char final = raw[j];
                if (!number) count = final == 'K' ? 0 : 1;
                if (final == 'D')
                    cursor = cursor > count ? cursor - count : 0;
                else if (final == 'G')
                    cursor = count > 0 ? count - 1 : 0;
                else if (final == 'K' && count == 2)
                    shown.clear(), cursor = 0;
                else if (final == 'K')
                    shown.resize(std::min(shown.size(), cursor));
                i = j;
            } else {
                ++i; // a two-byte sequence
            }
        } else {
            put(c);
        }
    }
    return shown;
}

// Takes the pager prompts out: "--More--", "-- More --", "---- More ----",
// "<--- More --->", and ArubaOS's "-- MORE --, next page: Space, ...".
void drop_pager_prompts(std::string& line) {
    for (std::size_t from = 0;;) {
        std::size_t at = std::string::npos;
        for (std::size_t i = from; i + 4 <= line.size(); ++i)
            if (lower_char(line[i]) == 'm' && lower_char(line[i + 1]) == 'o' &&
                lower_char(line[i + 2]) == 'r' && lower_char(line[i + 3]) == 'e') {
                at = i;
                break;
            }
        if (at == std::string::npos) return;
        std::size_t start = at;
        int dashes_left = 0;
        while (start > 0 && (line[start - 1] == '-' || line[start - 1] == ' ' || line[start - 1] == '<')) {
            if (line[start - 1] == '-') ++dashes_left;
            --start;
        }
        std::size_t end = at + 4;
        int dashes_right = 0;
        while (end < line.size() && (line[end] == '-' || line[end] == ' ' || line[end] == '>')) {
            if (line[end] == '-') ++dashes_right;
            ++end;
        }
        if (dashes_left < 2 || dashes_right < 2) {
            from = at + 4;
            continue;
        }
        constexpr std::string_view k_aruba_tail = ", next page: Space, next line: Enter, quit: Control-C";
        if (line.compare(end, k_aruba_tail.size(), k_aruba_tail) == 0) end += k_aruba_tail.size();
        line.erase(start, end - start);
        from = start;
    }
}

struct CapabilityWord {
    std::string_view word;
    std::string_view name;
};

// Words of the outputs, lower case; phrases of several words first.
constexpr CapabilityWord k_capability_words[] = {
    {"wlan access point", "wlan-access-point"},
    {"docsis cable device", "docsis"},
    {"source route bridge", "bridge"},
    {"station only", "station"},
    {"trans bridge", "bridge"},
    {"wlan-access-point", "wlan-access-point"},
    {"wlanaccesspoint", "wlan-access-point"},
    {"wlan", "wlan-access-point"},
    {"docsis-cable-device", "docsis"},
    {"docsis", "docsis"},
    {"trans-bridge", "bridge"},
    {"source-route-bridge", "bridge"},
    {"station-only", "station"},
    {"bridge", "bridge"},
    {"switch", "bridge"},
    {"router", "router"},
    {"telephone", "telephone"},
    {"phone", "telephone"},
    {"voip-phone", "telephone"},
    {"station", "station"},
    {"host", "station"},
    {"repeater", "repeater"},
    {"other", "other"},
    {"tpmr", "other"},
    {"access-point", "wlan-access-point"},
};

std::string_view lldp_code(char c) {
    switch (c) {
    case 'R':
        return "router";
    case 'B':
        return "bridge";
    case 'T':
        return "telephone";
    case 'C':
        return "docsis";
    case 'W':
        return "wlan-access-point";
    case 'P':
        return "repeater";
    case 'S':
        return "station";
    case 'O':
        return "other";
    default:
        return {};
    }
}

std::string_view cdp_code(char c) {
    switch (c) {
    case 'R':
        return "router";
    case 'T':
    case 'B':
    case 'S':
        return "bridge";
    case 'H':
        return "station";
    case 'r':
        return "repeater";
    case 'P':
    case 'V':
        return "telephone";
    default:
        return {};
    }
}

// CDP tables shorten interface names to three letters, some of which no
// configuration writes.
struct LongName {
    std::string_view brief;
    std::string_view name;
};
constexpr std::array<LongName, 8> k_cdp_names = {{
    {"gig", "GigabitEthernet"},
    {"ten", "TenGigabitEthernet"},
    {"fas", "FastEthernet"},
    {"for", "FortyGigabitEthernet"},
    {"hun", "HundredGigE"},
    {"two", "TwoGigabitEthernet"},
    {"fiv", "FiveGigabitEthernet"},
    {"twe", "TwentyFiveGigE"},
}};

// Names as the map holds them: bytes that form no UTF-8 character become
// U+FFFD, as the configuration reader and the map writer do.
std::string utf8_text(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            out += text[i++];
            continue;
        }
        Utf8Sequence sequence = utf8_sequence(text, i);
        if (sequence.valid)
            out.append(text.substr(i, sequence.length));
        else
            out += "\xEF\xBF\xBD";
        i += sequence.length;
    }
    return out;
}

} // namespace

bool blank_char(char c) {
    return c == ' ' || c == '\t';
}

std::size_t find_any(std::string_view text, std::string_view characters) {
    for (std::size_t i = 0; i < text.size(); ++i)
        for (char c : characters)
            if (text[i] == c) return i;
    return std::string_view::npos;
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && (blank_char(text.front()) || text.front() == '\r')) text.remove_prefix(1);
    while (!text.empty() && (blank_char(text.back()) || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = lower_char(c);
    return out;
}

bool iequals(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower_char(a[i]) != lower_char(b[i])) return false;
    return true;
}

bool istarts_with(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && iequals(text.substr(0, prefix.size()), prefix);
}

bool icontains(std::string_view text, std::string_view part) {
    if (part.empty()) return true;
    for (std::size_t i = 0; i + part.size() <= text.size(); ++i)
        if (iequals(text.substr(i, part.size()), part)) return true;
    return false;
}

bool all_digits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), digit);
}

std::string_view clean_terminal_line(std::string_view raw, std::string& buffer) {
    while (!raw.empty() && (raw.back() == '\r' || blank_char(raw.back()))) raw.remove_suffix(1);
    bool rewritten = find_any(raw, "\x1b\b\r") != std::string_view::npos;
    bool pager = raw.find("--") != std::string_view::npos && icontains(raw, "more");
    if (!rewritten && !pager) return raw;
    buffer = rewritten ? replay_line(raw) : std::string(raw);
    if (pager) drop_pager_prompts(buffer);
    while (!buffer.empty() && blank_char(buffer.back())) buffer.pop_back();
    return buffer;
}

OutputLines::OutputLines(std::string_view text) : rest_(text) {
    if (rest_.starts_with("\xEF\xBB\xBF")) rest_.remove_prefix(3);
}

bool OutputLines::next(OutputLine& line) {
    if (rest_.empty()) return false;
    ++number_;
    std::size_t end = rest_.find('\n');
    std::string_view raw = rest_.substr(0, end);
    rest_ = end == std::string_view::npos ? std::string_view{} : rest_.substr(end + 1);
    // A line this long is no neighbour output; it counts, and is left empty.
    std::string_view cleaned =
        raw.size() > k_max_line ? std::string_view{} : clean_terminal_line(raw, buffer_);
    std::size_t indent = 0;
    while (indent < cleaned.size() && blank_char(cleaned[indent])) ++indent;
    line = OutputLine{number_, indent, cleaned.substr(indent), indent, cleaned, raw};
    return true;
}

std::vector<Word> split_columns(std::string_view text) {
    std::vector<Word> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && blank_char(text[i])) ++i;
        if (i >= text.size()) break;
        std::size_t start = i;
        while (i < text.size() && !blank_char(text[i])) ++i;
        words.push_back(Word{text.substr(start, i - start), start});
    }
    return words;
}

std::string_view unquote(std::string_view text) {
    text = trim(text);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = trim(text.substr(1, text.size() - 2));
    return text;
}

bool split_key_value(std::string_view text, KeyValue& out) {
    constexpr std::string_view k_wide_colon = "\xEF\xBC\x9A";
    std::size_t colon = text.find(':');
    std::size_t wide = text.find(k_wide_colon);
    std::size_t width = 1;
    if (wide != std::string_view::npos && wide < colon) {
        colon = wide;
        width = k_wide_colon.size();
    }
    if (colon == std::string_view::npos || colon == 0 || colon > 64) return false;
    std::string_view key = trim(text.substr(0, colon));
    if (key.size() >= 2 && (key[0] == '-' || key[0] == '+' || key[0] == '*') && blank_char(key[1]))
        key = trim(key.substr(2));
    out.hint.clear();
    out.key.clear();
    bool has_letter = false;
    bool in_hint = false;
    for (char c : key) {
        if (c == '(' && !in_hint) {
            in_hint = true;
            continue;
        }
        if (c == ')' && in_hint) {
            in_hint = false;
            continue;
        }
        if (in_hint) {
            out.hint += lower_char(c);
            continue;
        }
        if (blank_char(c)) {
            if (!out.key.empty() && out.key.back() != ' ') out.key += ' ';
            continue;
        }
        has_letter = has_letter || letter(c);
        out.key += lower_char(c);
    }
    while (!out.key.empty() && out.key.back() == ' ') out.key.pop_back();
    if (out.key.empty() || out.key.size() > 48 || !has_letter) return false;
    out.value = unquote(text.substr(colon + width));
    return true;
}

bool looks_like_mac(std::string_view text) {
    text = trim(text);
    std::size_t hex = 0;
    std::size_t separators = 0;
    for (char c : text) {
        if (hex_digit(c))
            ++hex;
        else if (c == ':' || c == '-' || c == '.' || c == ' ')
            ++separators;
        else
            return false;
    }
    return hex == 12 && (separators > 0 || text.size() == 12);
}

bool looks_like_ipv4(std::string_view text) {
    text = trim(text);
    int parts = 0;
    std::size_t i = 0;
    while (i <= text.size()) {
        std::size_t start = i;
        int value = 0;
        while (i < text.size() && digit(text[i]) && i - start < 3) value = value * 10 + (text[i++] - '0');
        if (i == start || value > 255) return false;
        ++parts;
        if (i == text.size()) break;
        if (text[i] != '.') return false;
        ++i;
    }
    return parts == 4;
}

bool looks_like_interface(std::string_view text) {
    text = unquote(text);
    if (text.empty() || text.size() > 48 || looks_like_mac(text) || looks_like_ipv4(text)) return false;
    if (!letter(text[0]) && !digit(text[0])) return false;
    if (std::none_of(text.begin(), text.end(), digit)) return false;
    std::size_t blank = text.find(' ');
    if (blank == std::string_view::npos) return true;
    // "Te 0/48": letters, one blank, the number.
    std::string_view rest = text.substr(blank + 1);
    return std::all_of(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(blank), letter) &&
           !rest.empty() && digit(rest[0]) && rest.find(' ') == std::string_view::npos;
}

std::string tidy_port(std::string_view text) {
    std::string_view port = unquote(text);
    std::size_t n = 0;
    while (n < port.size() && (letter(port[n]) || port[n] == '-')) ++n;
    if (n == 0 || n >= port.size()) return std::string(port);
    std::string_view letters = port.substr(0, n);
    std::string_view rest = port.substr(n);
    bool spaced =
        rest.size() > 1 && rest[0] == ' ' && digit(rest[1]) && rest.find(' ', 1) == std::string_view::npos;
    std::string_view number = spaced ? rest.substr(1) : rest;
    if (!digit(number[0])) return std::string(port);
    for (const LongName& name : k_cdp_names)
        if (iequals(letters, name.brief)) return std::string(name.name) + std::string(number);
    std::size_t family_length = 0;
    if (spaced && !import_detail::port_family(letters, family_length).empty() && family_length == n)
        return std::string(letters) + std::string(number);
    return std::string(port);
}

std::string choose_port(std::string_view id, std::string_view id_type, std::string_view description) {
    id = unquote(id);
    description = unquote(description);
    if (id.empty()) return tidy_port(description);
    if (description.empty()) return tidy_port(id);
    bool address_type =
        icontains(id_type, "mac") || icontains(id_type, "network") || icontains(id_type, "address");
    // Cisco phones: "0011.2233.4455:P1", the MAC and the port.
    std::size_t colon = id.rfind(':');
    bool mac = looks_like_mac(id) || (colon != std::string_view::npos && looks_like_mac(id.substr(0, colon)));
    if (address_type || mac || looks_like_ipv4(id)) return tidy_port(description);
    // Junos and some others send the interface's index as a locally assigned
    // port ID and its name as the description.
    if (all_digits(id) && !all_digits(description) && looks_like_interface(description))
        return tidy_port(description);
    return tidy_port(id);
}

std::vector<std::string> parse_capabilities(std::string_view text, CapabilityCodes codes) {
    std::array<bool, std::size(k_capability_names)> found{};
    auto mark = [&](std::string_view name) {
        for (std::size_t i = 0; i < found.size(); ++i)
            if (k_capability_names[i] == name) found[i] = true;
    };
    std::string spaced(text);
    for (char& c : spaced)
        if (c == ',' || c == ';' || c == '/') c = ' ';
    std::vector<Word> words = split_columns(spaced);
    for (std::size_t i = 0; i < words.size();) {
        std::string_view word = words[i].text;
        if (word.size() == 1) {
            mark(codes == CapabilityCodes::Lldp ? lldp_code(word[0]) : cdp_code(word[0]));
            ++i;
            continue;
        }
        // Codes written together ("BR" in NX-OS tables).
        if (word.size() <= 4 &&
            std::all_of(word.begin(), word.end(),
                        [&](char c) {
                            return !(codes == CapabilityCodes::Lldp ? lldp_code(c) : cdp_code(c)).empty();
                        }) &&
            std::all_of(word.begin(), word.end(), [](char c) { return c >= 'A' && c <= 'Z'; })) {
            for (char c : word) mark(codes == CapabilityCodes::Lldp ? lldp_code(c) : cdp_code(c));
            ++i;
            continue;
        }
        std::size_t taken = 1;
        for (const CapabilityWord& entry : k_capability_words) {
            std::size_t parts =
                static_cast<std::size_t>(std::count(entry.word.begin(), entry.word.end(), ' ')) + 1;
            if (i + parts > words.size()) continue;
            std::string phrase;
            for (std::size_t k = 0; k < parts; ++k) {
                if (k > 0) phrase += ' ';
                phrase += lower(words[i + k].text);
            }
            if (phrase == entry.word) {
                mark(entry.name);
                taken = parts;
                break;
            }
        }
        i += taken;
    }
    std::vector<std::string> names;
    for (std::size_t i = 0; i < found.size(); ++i)
        if (found[i]) names.emplace_back(k_capability_names[i]);
    return names;
}

bool finish_entry(const EntryDraft& draft, bool complete, NeighbourEntry& out) {
    auto said = [](std::string_view value) {
        value = unquote(value);
        if (iequals(value, "not advertised") || iequals(value, "- not advertised") || value == "--" ||
            iequals(value, "n/a") || iequals(value, "none"))
            return std::string_view{};
        return value;
    };
    std::string_view local = said(draft.local);
    if (local.empty()) local = said(draft.local_weak);
    if (local.empty()) return false;
    std::string_view system = said(draft.system);
    if (system.empty()) system = said(draft.device_id);
    if (system.empty() && complete) system = said(draft.chassis);
    if (system.empty()) return false;
    out = NeighbourEntry{};
    out.local_port = utf8_text(tidy_port(local));
    out.remote_system = utf8_text(system);
    out.remote_port_id = utf8_text(said(draft.port_id));
    out.remote_port_description = utf8_text(said(draft.port_description));
    out.remote_port = choose_port(out.remote_port_id, draft.port_type, out.remote_port_description);
    out.capabilities = parse_capabilities(draft.capabilities_enabled, draft.codes);
    if (out.capabilities.empty())
        out.capabilities = parse_capabilities(draft.capabilities_supported, draft.codes);
    out.line = draft.line;
    return true;
}

bool preamble_line(std::string_view text) {
    text = trim(text);
    constexpr std::array<std::string_view, 14> k_starts = {
        "capability codes",   "(r) router",
        "(w) wlan",           "r - router",
        "s - switch",         "v - voip",
        "d - remote",         "s - supports",
        "lldp remote device", "lldp neighbor information",
        "last table change",  "number of table",
        "lldp neighbors:",    "chassis id : * --",
    };
    for (std::string_view start : k_starts)
        if (istarts_with(text, start)) return true;
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c == '=' || c == '-'; });
}

bool total_line(std::string_view text) {
    text = trim(text);
    return istarts_with(text, "total entries displayed") ||
           istarts_with(text, "total cdp entries displayed") || istarts_with(text, "total lldp neighbors") ||
           istarts_with(text, "total neighbor entries") ||
           istarts_with(text, "total number of lldp neighbors");
}

} // namespace quarn::neighbour_detail

namespace quarn {
namespace {

using namespace neighbour_detail;

// Lines of a text by what they may add to a span.
enum class LineKind : std::uint8_t { Other, Blank, Preamble, Total };

std::vector<LineSpan> merged(std::vector<LineSpan> spans) {
    std::sort(spans.begin(), spans.end(), [](const LineSpan& a, const LineSpan& b) {
        return a.first < b.first || (a.first == b.first && a.last < b.last);
    });
    std::vector<LineSpan> out;
    for (const LineSpan& span : spans) {
        if (!out.empty() && span.first <= out.back().last + 1)
            out.back().last = std::max(out.back().last, span.last);
        else
            out.push_back(span);
    }
    return out;
}

LineKind kind_of(std::string_view text) {
    return text.empty()          ? LineKind::Blank
           : total_line(text)    ? LineKind::Total
           : preamble_line(text) ? LineKind::Preamble
                                 : LineKind::Other;
}

// Spans take in the legend above them and the total below them.
void widen(const std::vector<LineKind>& kinds, std::vector<LineSpan>& spans) {
    auto kind = [&](std::size_t number) { return kinds[number - 1]; };
    for (LineSpan& span : spans) {
        for (std::size_t n = span.first; n > 1;) {
            --n;
            if (kind(n) == LineKind::Other) break;
            if (kind(n) != LineKind::Blank) span.first = n;
        }
        for (std::size_t n = span.last; n < kinds.size();) {
            ++n;
            if (kind(n) == LineKind::Other || kind(n) == LineKind::Preamble) break;
            if (kind(n) == LineKind::Total) span.last = n;
        }
    }
}

} // namespace

NeighbourRead read_neighbours(std::string_view text) {
    ReaderOutput out;
    const std::unique_ptr<LineReader> readers[] = {detail_reader(out), table_reader(out),
                                                   routeros_reader(out)};
    std::vector<LineKind> kinds;
    OutputLines lines(text);
    for (OutputLine line; lines.next(line);) {
        for (const auto& reader : readers) reader->line(line);
        kinds.push_back(kind_of(line.text));
    }
    for (const auto& reader : readers) reader->end();
    NeighbourRead read;
    read.entries = std::move(out.entries);
    std::stable_sort(read.entries.begin(), read.entries.end(),
                     [](const NeighbourEntry& a, const NeighbourEntry& b) { return a.line < b.line; });
    if (read.entries.size() > k_max_entries) read.entries.resize(k_max_entries);
    read.spans = merged(std::move(out.spans));
    if (!read.spans.empty()) {
        widen(kinds, read.spans);
        read.spans = merged(std::move(read.spans));
    }
    return read;
}

std::string neighbour_line(const NeighbourEntry& entry) {
    std::string line = entry.local_port + " \xE2\x86\x92 " + entry.remote_system;
    if (!entry.remote_port.empty()) line += " " + entry.remote_port;
    return line;
}

std::string neighbours_json(const std::vector<NeighbourEntry>& entries) {
    using Json = nlohmann::ordered_json;
    Json list = Json::array();
    for (const NeighbourEntry& entry : entries) {
        Json json = Json::object();
        json["local_port"] = entry.local_port;
        json["remote_system"] = entry.remote_system;
        json["remote_port"] = entry.remote_port;
        if (!entry.capabilities.empty()) json["capabilities"] = entry.capabilities;
        list.push_back(std::move(json));
    }
    // Replacing broken UTF-8 keeps dump from throwing.
    return list.dump(2, ' ', false, Json::error_handler_t::replace);
}

} // namespace quarn
