// What the families that write their configuration as Cisco IOS does share:
// interface blocks with `switchport` lines, names in ranges, and ports that
// list the VLANs they send untagged.
#include <algorithm>

#include "import/config_reader.hpp"

namespace quarn::import_detail {
namespace {

// A range names at most this many ports; longer ones are typing mistakes.
constexpr std::uint32_t k_max_range = 1024;

bool letter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// The number a name ends with, and where it starts.
std::optional<std::uint32_t> trailing_number(std::string_view name, std::size_t& start) {
    start = name.size();
    while (start > 0 && digit(name[start - 1])) --start;
    return parse_number(name.substr(start));
}

// "Gi1/0/1" to "24", "1/0/24" or "Gi1/0/24": the names between.
bool expand_range(std::string_view from, std::string_view to, std::vector<std::string>& names) {
    std::size_t from_start = 0;
    std::size_t to_start = 0;
    auto first = trailing_number(from, from_start);
    auto last = trailing_number(to, to_start);
    if (!first || !last || *last < *first || *last - *first >= k_max_range) return false;
    std::string_view base = from.substr(0, from_start);
    std::string_view to_base = to.substr(0, to_start);
    if (to_base.size() > base.size() || !iequals(base.substr(base.size() - to_base.size()), to_base))
        return false;
    for (std::uint32_t n = *first; n <= *last; ++n) names.push_back(std::string(base) + std::to_string(n));
    return true;
}

void trunk_allowed(const Line& line, const std::vector<std::string_view>& w, PortDraft& port,
                   Collector& out) {
    // switchport trunk allowed vlan [add|remove|except] LIST | none | all
    if (w.size() < 5) {
        out.unread(line);
        return;
    }
    std::string_view verb = w[4];
    VlanSet& set = out.allowed(port);
    if (iequals(verb, "none")) {
        set.clear();
    } else if (iequals(verb, "all")) {
        set = out.every_vlan();
    } else if (iequals(verb, "add") || iequals(verb, "remove") || iequals(verb, "except")) {
        auto ids = parse_dash_list(after_words(line.content, 5));
        if (!ids) {
            out.unread(line);
            return;
        }
        if (iequals(verb, "add")) {
            set.add(*ids);
        } else if (iequals(verb, "remove")) {
            set.remove(*ids);
        } else {
            set = out.every_vlan();
            set.remove(*ids);
        }
    } else if (auto ids = parse_dash_list(after_words(line.content, 4))) {
        set = *ids;
    } else {
        out.unread(line);
    }
}

// switchport general allowed vlan add LIST [tagged|untagged] | remove LIST
void general_allowed(const Line& line, const std::vector<std::string_view>& w, PortDraft& port,
                     Collector& out, std::vector<UntaggedLine>& untagged_lines) {
    bool add = w.size() >= 6 && iequals(w[4], "add");
    bool remove = w.size() >= 6 && iequals(w[4], "remove");
    bool tagged = add && iequals(w.back(), "tagged");
    bool untagged = add && iequals(w.back(), "untagged");
    std::size_t end = w.size() - (tagged || untagged ? 1 : 0);
    std::string list;
    for (std::size_t i = 5; i < end; ++i) list += w[i];
    auto ids = parse_dash_list(list);
    if ((!add && !remove) || !ids) {
        out.unread(line);
        return;
    }
    start_lists(port);
    port.tagged.remove(*ids);
    port.untagged.remove(*ids);
    if (remove) return;
    // Without a word the VLANs are sent untagged.
    if (tagged) {
        port.tagged.add(*ids);
    } else {
        port.untagged.add(*ids);
        untagged_lines.push_back(UntaggedLine{&port, line, *ids});
    }
}

} // namespace

void start_lists(PortDraft& port) {
    if (port.lists_started) return;
    port.lists_started = true;
    port.untagged.add(1);
}

void settle_untagged_lists(Collector& out, const std::vector<UntaggedLine>& lines) {
    out.each_draft([](PortDraft& port) {
        if (port.mode != Mode::Direct || !port.lists_started) return;
        std::uint16_t pvid = port.pvid.value_or(1);
        port.pvid = port.untagged.has(pvid) ? std::optional(pvid) : std::nullopt;
    });
    for (const UntaggedLine& entry : lines) {
        const PortDraft& port = *entry.port;
        VlanSet lost = entry.vlans;
        lost.remove(port.pvid.value_or(0));
        VlanSet still;
        for (std::uint16_t id : lost.ids())
            if (port.untagged.has(id)) still.add(id);
        if (!still.empty()) out.unread(entry.line);
    }
}

std::string_view unquoted(std::string_view text) {
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front())
        return text.substr(1, text.size() - 2);
    return text;
}

// The comma that ends the first item, outside parentheses.
std::size_t item_end(std::string_view text) {
    int depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '(') ++depth;
        if (text[i] == ')') --depth;
        if (text[i] == ',' && depth == 0) return i;
    }
    return std::string_view::npos;
}

std::optional<std::vector<std::string>> expand_names(std::string_view text) {
    std::vector<std::string> names;
    while (true) {
        std::size_t comma = item_end(text);
        std::string_view item = trim(text.substr(0, comma));
        // PowerConnect: g(1-24) and 1/e(1-3,5), the numbers listed after a prefix.
        std::size_t open = item.find('(');
        if (open != std::string_view::npos && item.back() == ')' && open > 0) {
            auto inner = expand_names(item.substr(open + 1, item.size() - open - 2));
            if (!inner) return std::nullopt;
            for (const std::string& number : *inner) {
                if (!digit(number.front())) return std::nullopt;
                names.push_back(std::string(item.substr(0, open)) + number);
            }
            if (comma == std::string_view::npos) break;
            text = text.substr(comma + 1);
            continue;
        }
        if (item.empty() || !(letter(item.front()) || digit(item.front()))) return std::nullopt;
        // The dash of a range stands between a digit and a name or number.
        std::size_t dash = 0;
        while ((dash = item.find('-', dash + 1)) != std::string_view::npos)
            if (digit(item[dash - 1]) && dash + 1 < item.size() &&
                (digit(item[dash + 1]) || letter(item[dash + 1])))
                break;
        if (dash == std::string_view::npos)
            names.push_back(std::string(item));
        else if (!expand_range(item.substr(0, dash), item.substr(dash + 1), names))
            return std::nullopt;
        if (comma == std::string_view::npos) break;
        text = text.substr(comma + 1);
    }
    return names;
}

bool read_switchport(const Line& line, const std::vector<std::string_view>& w, PortDraft& port,
                     Collector& out, const SwitchportStyle& style,
                     std::vector<UntaggedLine>& untagged_lines) {
    auto is = [&](std::size_t i, std::string_view word) { return w.size() > i && iequals(w[i], word); };
    auto vlan_at = [&](std::size_t i, std::optional<std::uint16_t>& into) {
        if (auto id = parse_vlan_id(w[i]))
            into = id;
        else
            out.unread(line);
    };
    if (is(0, "description")) {
        std::string_view text = after_words(line.content, 1);
        port.description = std::string(style.quoted_description ? unquoted(text) : text);
    } else if (is(0, "shutdown") && w.size() == 1) {
        port.shutdown = true;
    } else if (is(0, "no") && is(1, "shutdown") && w.size() == 2) {
        port.shutdown = false;
    } else if (is(0, "no") && is(1, "switchport") && w.size() == 2) {
        port.mode = Mode::Routed;
    } else if (is(0, "switchport") && w.size() == 1) {
        port.l2 = true;
    } else if (is(0, "switchport") && is(1, "mode") && w.size() >= 3) {
        port.l2 = true;
        if (port.mode == Mode::Routed) return true;
        if (is(2, "trunk")) {
            port.mode = Mode::Trunk;
        } else if (is(2, "access") || is(2, "dynamic") || is(2, "dot1q-tunnel") || is(2, "customer")) {
            port.mode = Mode::Access;
        } else if (is(2, "general") && style.general) {
            port.mode = Mode::Direct;
            start_lists(port);
        } else {
            port.mode = Mode::Access;
            out.unread(line);
        }
    } else if (is(0, "switchport") && is(1, "access") && is(2, "vlan") && w.size() == 4) {
        vlan_at(3, port.access);
    } else if (is(0, "switchport") && is(1, "trunk") && is(2, "native") && is(3, "vlan") && w.size() == 5) {
        if (is(4, "tag"))
            port.native_tagged = true;
        else if (is(4, "none"))
            port.native = 0; // no VLAN is sent untagged
        else
            vlan_at(4, port.native);
    } else if (is(0, "no") && is(1, "switchport") && is(2, "trunk") && is(3, "native") && is(4, "vlan") &&
               is(5, "tag") && w.size() == 6) {
        port.native_tagged = false;
    } else if (is(0, "switchport") && is(1, "trunk") && is(2, "allowed") && is(3, "vlan")) {
        trunk_allowed(line, w, port, out);
    } else if (is(0, "switchport") && is(1, "voice") && is(2, "vlan") && w.size() == 4) {
        if (auto id = parse_vlan_id(w[3]))
            port.voice = id;
        else if (!is(3, "dot1p") && !is(3, "none") && !is(3, "untagged"))
            out.unread(line);
    } else if (style.general && is(0, "switchport") && is(1, "general") && is(2, "pvid") && w.size() == 4) {
        start_lists(port);
        vlan_at(3, port.pvid);
    } else if (style.general && is(0, "switchport") && is(1, "general") && is(2, "allowed") &&
               is(3, "vlan")) {
        general_allowed(line, w, port, out, untagged_lines);
    } else if (style.general && is(0, "switchport") && is(1, "general")) {
        // acceptable-frame-type, ingress-filtering: nothing for the map
    } else {
        return false;
    }
    return true;
}

bool continues_block(const Line& line, std::size_t block_indent, bool indented_text) {
    return !indented_text || line.indent > block_indent;
}

bool indented(std::string_view text) {
    if (!text.empty() && (text.front() == ' ' || text.front() == '\t')) return true;
    return text.find("\n ") != std::string_view::npos || text.find("\n\t") != std::string_view::npos;
}

} // namespace quarn::import_detail
