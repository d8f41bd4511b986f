#include "import/switch_capture.hpp"

#include <algorithm>
#include <array>
#include <functional>
#include <optional>

#include "import/neighbour_reader.hpp"

namespace quarn {
namespace {

using namespace neighbour_detail;

enum class Section : std::uint8_t { Unknown, Configuration, Neighbours, Other };

struct Prompt {
    std::string_view host;
    std::string_view command;
    std::string_view path; // RouterOS: the menu the prompt stands in
    bool weak = false;     // [name] of a Comware or VRP view: names a switch only when nothing else does
};

bool host_char(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.';
}

bool host_name(std::string_view text) {
    return !text.empty() && text.size() <= 64 && std::all_of(text.begin(), text.end(), host_char);
}

// Commands a Cisco-like prompt is followed by; other text after "name#" or
// "name>" is output, not a prompt.
bool command_word(std::string_view command) {
    constexpr std::array<std::string_view, 40> k_words = {
        "show",
        "sh",
        "sho",
        "display",
        "dis",
        "disp",
        "more",
        "write",
        "wr",
        "terminal",
        "term",
        "no",
        "enable",
        "en",
        "configure",
        "conf",
        "config",
        "end",
        "exit",
        "quit",
        "copy",
        "dir",
        "ping",
        "traceroute",
        "screen-length",
        "system-view",
        "sys",
        "return",
        "undo",
        "interface",
        "int",
        "vlan",
        "lldp",
        "cdp",
        "run",
        "page",
        "skip-page-display",
        "cli",
        "set",
        "request",
    };
    std::vector<Word> words = split_columns(command);
    if (words.empty()) return true;
    std::string first = lower(words[0].text);
    return std::find(k_words.begin(), k_words.end(), first) != k_words.end();
}

// "[admin@sw1] > /ip neighbor print detail", "[admin@sw1] /ip neighbor> print".
bool routeros_prompt(std::string_view text, Prompt& prompt) {
    std::size_t close = text.find(']');
    if (text.empty() || text[0] != '[' || close == std::string_view::npos) return false;
    std::string_view inside = text.substr(1, close - 1);
    std::size_t at = inside.find('@');
    if (at == std::string_view::npos || at == 0 || at + 1 >= inside.size()) return false;
    std::string_view rest = trim(text.substr(close + 1));
    std::size_t arrow = rest.find('>');
    if (arrow == std::string_view::npos) return false;
    std::string_view path = trim(rest.substr(0, arrow));
    if (!path.empty() && path[0] != '/') return false;
    prompt.host = inside.substr(at + 1);
    prompt.path = path;
    prompt.command = trim(rest.substr(arrow + 1));
    return true;
}

// "<sw1>display lldp neighbor-information".
bool angle_prompt(std::string_view text, Prompt& prompt) {
    std::size_t close = text.find('>');
    if (text.size() < 3 || text[0] != '<' || close == std::string_view::npos || close < 2) return false;
    std::string_view host = text.substr(1, close - 1);
    if (host.size() > 64 || find_any(host, "< \t") != std::string_view::npos) return false;
    prompt.host = host;
    prompt.command = trim(text.substr(close + 1));
    return true;
}

// "[sw1]display current-configuration", "[~HUAWEI-GigabitEthernet0/0/1]".
bool bracket_prompt(std::string_view text, Prompt& prompt) {
    std::size_t close = text.find(']');
    if (text.size() < 3 || text[0] != '[' || close == std::string_view::npos || close < 2) return false;
    std::string_view inside = text.substr(1, close - 1);
    while (!inside.empty() && (inside[0] == '~' || inside[0] == '*')) inside.remove_prefix(1);
    if (inside.empty() || inside.find(' ') != std::string_view::npos ||
        inside.find('@') != std::string_view::npos)
        return false;
    // A view's name follows the switch's: [sw1-GigabitEthernet1/0/1], [sw1-vlan10], [sw1-ui-vty0-4].
    constexpr std::array<std::string_view, 22> k_views = {
        "-GigabitEthernet",
        "-Ten-GigabitEthernet",
        "-XGigabitEthernet",
        "-FortyGigE",
        "-HundredGigE",
        "-Twenty-FiveGigE",
        "-M-GigabitEthernet",
        "-Bridge-Aggregation",
        "-Route-Aggregation",
        "-Vlan-interface",
        "-Vlanif",
        "-Eth-Trunk",
        "-LoopBack",
        "-vlan",
        "-ui-",
        "-line-",
        "-aaa",
        "-luser-",
        "-radius-",
        "-hwtacacs-",
        "-Ethernet",
        "-MEth",
    };
    std::size_t cut = inside.size();
    for (std::string_view view : k_views)
        for (std::size_t at = inside.find('-'); at != std::string_view::npos; at = inside.find('-', at + 1))
            if (istarts_with(inside.substr(at), view)) cut = std::min(cut, at);
    prompt.host = inside.substr(0, cut);
    prompt.command = trim(text.substr(close + 1));
    prompt.weak = true;
    return !prompt.host.empty();
}

// "admin@ex1> show lldp neighbors", "root@ex1:RE:0% cli", "SSH@icx1#show lldp".
bool user_prompt(std::string_view text, Prompt& prompt) {
    std::size_t mark = find_any(text, ">#%");
    if (mark == std::string_view::npos) return false;
    std::string_view before = text.substr(0, mark);
    std::size_t at = before.find('@');
    if (at == std::string_view::npos || at == 0 || !host_name(before.substr(0, at))) return false;
    std::string_view host = before.substr(at + 1);
    host = host.substr(0, host.find(':'));
    if (!host_name(host)) return false;
    prompt.host = host;
    prompt.command = trim(text.substr(mark + 1));
    return command_word(prompt.command);
}

// "acc-a1#show lldp neighbors detail", "sw1(config)# show run", "ICX7150-48P Router#show lldp".
bool cisco_prompt(std::string_view text, Prompt& prompt) {
    std::size_t mark = find_any(text, "#>");
    if (mark == std::string_view::npos || mark == 0) return false;
    std::string_view before = text.substr(0, mark);
    std::size_t mode = before.find('(');
    if (mode != std::string_view::npos) {
        if (before.back() != ')') return false;
        before = before.substr(0, mode);
    }
    for (std::string_view suffix : {std::string_view(" Router"), std::string_view(" Switch")})
        if (before.ends_with(suffix)) before.remove_suffix(suffix.size());
    if (!host_name(before) ||
        !((before[0] >= 'a' && before[0] <= 'z') || (before[0] >= 'A' && before[0] <= 'Z') ||
          (before[0] >= '0' && before[0] <= '9')))
        return false;
    prompt.host = before;
    prompt.command = trim(text.substr(mark + 1));
    return command_word(prompt.command);
}

bool prompt_line(std::string_view text, Prompt& prompt) {
    prompt = Prompt{};
    return routeros_prompt(text, prompt) || angle_prompt(text, prompt) || user_prompt(text, prompt) ||
           bracket_prompt(text, prompt) || cisco_prompt(text, prompt);
}

// Lines Junos writes around its prompts.
bool prompt_decoration(std::string_view text) {
    return (text.starts_with("{master") || text.starts_with("{backup") || text.starts_with("{linecard") ||
            text.starts_with("{primary") || text.starts_with("{secondary")) ||
           (text.starts_with("[edit") && text.back() == ']');
}

Section section_of(const Prompt& prompt) {
    std::string command = lower(prompt.command.substr(0, prompt.command.find('|')));
    std::string path = lower(prompt.path);
    std::string whole = path.empty() ? command : path + " " + command;
    if (!whole.empty() && whole[0] == '/') {
        if (whole.find("export") != std::string::npos) return Section::Configuration;
        if (whole.find("neighbor") != std::string::npos && whole.find("print") != std::string::npos)
            return Section::Neighbours;
        return Section::Other;
    }
    std::vector<Word> words = split_columns(command);
    if (words.empty()) return Section::Other;
    std::string_view verb = words[0].text;
    std::string_view what = words.size() > 1 ? words[1].text : std::string_view{};
    if (verb == "show" || verb == "sh" || verb == "sho") {
        if (what.starts_with("ru") || what.starts_with("sta") || what.starts_with("conf"))
            return Section::Configuration;
        if (what.starts_with("lldp") || what.starts_with("cdp")) return Section::Neighbours;
        return Section::Other;
    }
    if (verb == "display" || verb == "dis" || verb == "disp" || verb == "displ") {
        if (what.starts_with("cu") || what.starts_with("sa")) return Section::Configuration;
        if (what.starts_with("lldp")) return Section::Neighbours;
        return Section::Other;
    }
    if (verb == "more" && command.find("config") != std::string::npos) return Section::Configuration;
    if ((verb == "write" || verb == "wr") && what.starts_with("t")) return Section::Configuration;
    if (verb == "export") return Section::Configuration;
    return Section::Other;
}

enum class LineUse : std::uint8_t { Configuration, Neighbours, Dropped };

struct Part {
    Section section = Section::Unknown;
    std::size_t first = 0; // line numbers
    std::size_t last = 0;
    std::size_t begin = 0; // byte offsets in the text
    std::size_t end = 0;
};

} // namespace

SwitchCapture read_capture(std::string_view text) {
    SwitchCapture capture;
    std::vector<LineUse> uses;
    // Each line's cleaned text: where it stands in the text, or, when
    // cleaning changed it, its own copy.
    struct Cleaned {
        std::size_t begin = 0;
        std::size_t size = 0;
        std::optional<std::size_t> copy;
    };
    std::vector<Cleaned> cleaned;
    std::vector<std::string> copies;
    std::less<const char*> before;
    std::vector<Part> parts;
    std::string weak_name;
    std::string first_name;
    Part part;
    part.first = 1;
    auto close_part = [&](std::size_t last, std::size_t end) {
        part.last = last;
        part.end = end;
        if (part.last >= part.first) parts.push_back(part);
    };
    OutputLines lines(text);
    Prompt prompt;
    for (OutputLine line; lines.next(line);) {
        std::size_t begin = static_cast<std::size_t>(line.raw.data() - text.data());
        if (line.number == 1) part.begin = begin;
        uses.push_back(LineUse::Configuration);
        if (!before(line.cleaned.data(), text.data()) &&
            !before(text.data() + text.size(), line.cleaned.data() + line.cleaned.size())) {
            cleaned.push_back(
                {static_cast<std::size_t>(line.cleaned.data() - text.data()), line.cleaned.size(), {}});
        } else {
            cleaned.push_back({0, 0, copies.size()});
            copies.emplace_back(line.cleaned);
        }
        if (!line.text.empty() && prompt_decoration(line.text)) {
            uses.back() = LineUse::Dropped;
            continue;
        }
        if (line.text.empty() || !prompt_line(line.text, prompt)) continue;
        uses.back() = LineUse::Dropped;
        close_part(line.number - 1, begin);
        part = Part{section_of(prompt), line.number + 1, 0, begin + line.raw.size() + 1, 0};
        std::string host(prompt.host);
        if (prompt.weak) {
            if (weak_name.empty()) weak_name = host;
        } else if (capture.prompt_name.empty() &&
                   (part.section == Section::Configuration || part.section == Section::Neighbours)) {
            capture.prompt_name = host;
        } else if (first_name.empty()) {
            first_name = host;
        }
    }
    close_part(uses.size(), text.size());
    if (capture.prompt_name.empty()) capture.prompt_name = !first_name.empty() ? first_name : weak_name;

    for (const Part& p : parts) {
        auto use = [&](LineUse how) {
            for (std::size_t n = p.first; n <= p.last; ++n)
                if (uses[n - 1] != LineUse::Dropped) uses[n - 1] = how;
        };
        if (p.section == Section::Configuration) continue;
        if (p.section == Section::Other) {
            use(LineUse::Dropped);
            continue;
        }
        std::string_view body = text.substr(std::min(p.begin, text.size()));
        body = body.substr(0, p.end > p.begin ? p.end - p.begin : 0);
        NeighbourRead read = read_neighbours(body);
        for (NeighbourEntry& entry : read.entries) {
            entry.line += p.first - 1;
            capture.neighbours.push_back(std::move(entry));
        }
        if (p.section == Section::Neighbours) {
            capture.neighbour_output = true;
            use(LineUse::Dropped);
            continue;
        }
        capture.neighbour_output = capture.neighbour_output || !read.spans.empty();
        for (const LineSpan& span : read.spans)
            for (std::size_t n = span.first; n <= span.last; ++n) {
                std::size_t at = n + p.first - 1;
                if (at >= p.first && at <= p.last) uses[at - 1] = LineUse::Dropped;
            }
    }

    capture.configuration.reserve(text.size());
    for (std::size_t n = 0; n < uses.size(); ++n) {
        if (n > 0) capture.configuration += '\n';
        if (uses[n] != LineUse::Configuration) continue;
        const Cleaned& line = cleaned[n];
        capture.configuration +=
            line.copy ? std::string_view(copies[*line.copy]) : text.substr(line.begin, line.size);
    }
    if (text.ends_with('\n')) capture.configuration += '\n';
    return capture;
}

} // namespace quarn
