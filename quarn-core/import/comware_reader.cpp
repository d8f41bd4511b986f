// HPE Comware and H3C: `#` separates the sections; ports are `access`
// (one VLAN), `trunk` (a permitted list that starts with VLAN 1 alone and
// grows with every `port trunk permit vlan` line, and a PVID) or `hybrid`
// (VLANs sent tagged or untagged, and a PVID); `port link-aggregation group
// 1` makes a port a member of Bridge-Aggregation1. The reader of the whole
// family (Comware and VRP) lives here too.
#include <algorithm>
#include <array>

#include "import/comware_family.hpp"

namespace quarn::import_detail {
namespace {

// A range of member ports names at most this many.
constexpr std::uint32_t k_max_range = 1024;

constexpr std::array<InterfaceFamily, 23> k_comware_interfaces = {{
    {"gigabitethernet", IfKind::Port, PortKind::Rj45},
    {"ge", IfKind::Port, PortKind::Rj45},
    {"ten-gigabitethernet", IfKind::Port, PortKind::Sfp},
    {"xge", IfKind::Port, PortKind::Sfp},
    {"twenty-fivegige", IfKind::Port, PortKind::Sfp},
    {"wge", IfKind::Port, PortKind::Sfp},
    {"fortygige", IfKind::Port, PortKind::Sfp},
    {"fge", IfKind::Port, PortKind::Sfp},
    {"hundredgige", IfKind::Port, PortKind::Sfp},
    {"hge", IfKind::Port, PortKind::Sfp},
    {"ethernet", IfKind::Port, PortKind::Rj45},
    {"bridge-aggregation", IfKind::Lag, PortKind::Rj45},
    {"bagg", IfKind::Lag, PortKind::Rj45},
    {"m-gigabitethernet", IfKind::Logical, PortKind::Rj45},
    {"m-ge", IfKind::Logical, PortKind::Rj45},
    {"route-aggregation", IfKind::Logical, PortKind::Rj45},
    {"vlan-interface", IfKind::Logical, PortKind::Rj45},
    {"loopback", IfKind::Logical, PortKind::Rj45},
    {"null", IfKind::Logical, PortKind::Rj45},
    {"tunnel", IfKind::Logical, PortKind::Rj45},
    {"vsi-interface", IfKind::Logical, PortKind::Rj45},
    {"register-tunnel", IfKind::Logical, PortKind::Rj45},
    {"s-channel", IfKind::Logical, PortKind::Rj45},
}};

constexpr std::array<PortStatement, 10> k_comware_statements = {{
    {"port link-type {word}", PortAction::LinkType},
    {"port link-mode {word}", PortAction::LinkMode},
    {"port access vlan {id}", PortAction::Access},
    {"port trunk permit vlan {list}", PortAction::TrunkAllow, Undo::Also},
    {"port trunk pvid vlan {id}", PortAction::TrunkPvid},
    {"port hybrid pvid vlan {id}", PortAction::HybridPvid},
    {"port hybrid vlan {list} {word}", PortAction::HybridVlan},
    {"port hybrid vlan {list}", PortAction::HybridRemove, Undo::Only},
    {"voice vlan {id} enable", PortAction::Voice},
    {"port link-aggregation group {n}", PortAction::JoinLag},
}};

constexpr std::array<std::string_view, 30> k_comware_ignored = {
    "stp",
    "lldp",
    "broadcast-suppression",
    "multicast-suppression",
    "unicast-suppression",
    "jumboframe",
    "combo",
    "speed",
    "duplex",
    "flow-control",
    "qos",
    "poe",
    "port-isolate",
    "loopback-detection",
    "ip",
    "ipv6",
    "link-aggregation",
    "mac-address",
    "dot1x",
    "mac-authentication",
    "port-security",
    "gvrp",
    "packet-filter",
    "lacp",
    "igmp-snooping",
    "dhcp-snooping",
    "arp",
    "storm-constrain",
    "sflow",
    "mirroring-group",
};

// What the placeholders of a matched statement hold.
struct Values {
    std::uint16_t id = 0;
    std::uint32_t n = 0;
    VlanSet list;
    bool all = false;
    std::string_view word;
    std::span<const std::string_view> rest;
};

enum class Match : std::uint8_t { No, Yes, BadValue };

// Matches `words` against a statement's pattern. A statement whose words
// match but whose values do not parse is BadValue: the line is the
// statement, written wrong.
Match match(std::string_view pattern, std::span<const std::string_view> words, Values& values) {
    std::vector<std::string_view> parts = split_words(pattern);
    bool bad = false;
    std::size_t w = 0;
    for (std::size_t p = 0; p < parts.size(); ++p) {
        std::string_view part = parts[p];
        if (part == "{rest}") {
            values.rest = words.subspan(w);
            w = words.size();
            continue;
        }
        if (part == "{list}") {
            // The list takes every word but those the parts after it need.
            std::size_t after = parts.size() - p - 1;
            if (words.size() < w + after + 1) return Match::No;
            std::vector<std::string_view> list(words.begin() + static_cast<std::ptrdiff_t>(w),
                                               words.end() - static_cast<std::ptrdiff_t>(after));
            w += list.size();
            if (list.size() == 1 && iequals(list[0], "all")) {
                values.all = true;
            } else if (auto ids = parse_to_list(list)) {
                values.list = *ids;
            } else {
                bad = true;
            }
            continue;
        }
        if (w >= words.size()) return Match::No;
        std::string_view word = words[w++];
        if (part == "{id}") {
            auto id = parse_vlan_id(word);
            if (id)
                values.id = *id;
            else
                bad = true;
        } else if (part == "{n}") {
            auto n = parse_number(word);
            if (n)
                values.n = *n;
            else
                bad = true;
        } else if (part == "{word}") {
            values.word = word;
        } else if (!iequals(part, word)) {
            return Match::No;
        }
    }
    if (w != words.size()) return Match::No;
    return bad ? Match::BadValue : Match::Yes;
}

// "GigabitEthernet1/0/1" → "gigabitethernet" and "1/0/1"; "10GE1/0/1" →
// "10ge" and "1/0/1": the number is the digits, slashes, dots and colons at
// the end.
std::pair<std::string, std::string_view> split_interface(std::string_view name) {
    std::size_t start = name.size();
    while (start > 0) {
        char c = name[start - 1];
        if (!(c >= '0' && c <= '9') && c != '/' && c != '.' && c != ':') break;
        --start;
    }
    // "Vlanif10.5" keeps its digits; a number starts with a digit.
    while (start < name.size() && !(name[start] >= '0' && name[start] <= '9')) ++start;
    return {lower(name.substr(0, start)), name.substr(start)};
}

struct Reader {
    Collector& out;
    const ComwareSyntax& syntax;
    enum class Block : std::uint8_t { None, Port, Lag, Vlan, Skip };
    Block block = Block::None;
    PortDraft* current = nullptr;
    std::string current_lag;
    std::vector<std::uint16_t> vlan_ids;
    std::vector<std::uint16_t> named;
    std::vector<UntaggedLine> hybrid_lines;

    const InterfaceFamily* family(std::string_view prefix) const {
        for (const InterfaceFamily& row : syntax.interfaces)
            if (row.prefix == prefix) return &row;
        return nullptr;
    }

    std::string lag_name(std::string_view number) const {
        return std::string(syntax.lag_prefix) + std::string(number);
    }

    void interface(const Line& line, std::string_view name) {
        auto [prefix, number] = split_interface(name);
        block = Block::Skip;
        if (prefix.empty() || number.empty()) {
            out.unread(line);
            return;
        }
        if (number.find_first_of(".:") != std::string_view::npos) return; // subinterfaces
        const InterfaceFamily* row = family(prefix);
        if (!row) {
            out.unread(line);
            return;
        }
        if (row->kind == IfKind::Port) {
            current = &out.port(name, row->port_kind);
            block = Block::Port;
        } else if (row->kind == IfKind::Lag) {
            current_lag = lag_name(number);
            current = &out.lag(current_lag);
            block = Block::Lag;
        }
    }

    void vlan_line(const std::vector<std::string_view>& w, std::string_view content) {
        bool name = iequals(w[0], "name");
        if ((!name && !iequals(w[0], "description")) || w.size() < 2) return;
        for (std::uint16_t id : vlan_ids) {
            bool has_name = std::find(named.begin(), named.end(), id) != named.end();
            if (!name && has_name) continue;
            out.define_vlan(id, after_words(content, 1));
            if (name) named.push_back(id);
        }
    }

    // "GigabitEthernet 0/0/1 to 0/0/4 0/0/7" (or "GigabitEthernet0/0/1 ..."):
    // the aggregation's members, named from its own side.
    bool lag_members(std::span<const std::string_view> words) {
        if (words.empty()) return false;
        auto [prefix, number] = split_interface(words[0]);
        const InterfaceFamily* row = family(prefix);
        if (!row || row->kind != IfKind::Port) return false;
        std::string type(words[0].substr(0, words[0].size() - number.size()));
        std::vector<std::string_view> numbers;
        if (!number.empty()) numbers.push_back(number);
        numbers.insert(numbers.end(), words.begin() + 1, words.end());
        std::vector<std::string> members;
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            std::string_view from = numbers[i];
            std::size_t slash = from.rfind('/');
            std::string_view base = slash == std::string_view::npos ? "" : from.substr(0, slash + 1);
            auto first = parse_number(from.substr(base.size()));
            if (!first) return false;
            std::uint32_t last = *first;
            if (i + 1 < numbers.size() && iequals(numbers[i + 1], "to")) {
                if (i + 2 >= numbers.size()) return false;
                std::string_view to = numbers[i + 2];
                auto end = to.starts_with(base) ? parse_number(to.substr(base.size())) : std::nullopt;
                if (!end || *end < *first || *end - *first >= k_max_range) return false;
                last = *end;
                i += 2;
            }
            for (std::uint32_t n = *first; n <= last; ++n)
                members.push_back(type + std::string(base) + std::to_string(n));
        }
        if (members.empty()) return false;
        for (const std::string& member : members) out.join_lag(out.port(member, row->port_kind), current_lag);
        return true;
    }

    // Does what a matched statement says; false when its values cannot be.
    bool apply(PortAction action, bool undo, const Values& v) {
        PortDraft& port = *current;
        switch (action) {
        case PortAction::LinkType:
            if (iequals(v.word, "access") || iequals(v.word, "dot1q-tunnel"))
                port.mode = Mode::Access;
            else if (iequals(v.word, "trunk"))
                port.mode = Mode::Trunk;
            else if (iequals(v.word, "hybrid")) {
                // A hybrid port starts out sending VLAN 1 untagged.
                start_lists(port);
                port.mode = Mode::Direct;
            } else
                return false;
            return true;
        case PortAction::LinkMode:
            if (iequals(v.word, "route")) port.mode = Mode::Routed;
            return true;
        case PortAction::Switched:
            if (undo)
                port.mode = Mode::Routed;
            else if (port.mode == Mode::Routed)
                port.mode = Mode::Unset;
            return true;
        case PortAction::Access:
            port.access = v.id;
            return true;
        case PortAction::TrunkAllow: {
            VlanSet& allowed = out.allowed(port);
            if (v.all) {
                if (undo)
                    allowed.clear();
                else
                    allowed = VlanSet::all();
            } else if (undo) {
                allowed.remove(v.list);
            } else {
                allowed.add(v.list);
            }
            return true;
        }
        case PortAction::TrunkPvid:
            port.native = v.id;
            return true;
        case PortAction::HybridPvid:
            port.pvid = v.id;
            return true;
        case PortAction::HybridVlan:
        case PortAction::HybridTagged:
        case PortAction::HybridUntagged:
        case PortAction::HybridRemove: {
            if (v.all) return false;
            bool tagged = action == PortAction::HybridTagged ||
                          (action == PortAction::HybridVlan && iequals(v.word, "tagged"));
            bool untagged = action == PortAction::HybridUntagged ||
                            (action == PortAction::HybridVlan && iequals(v.word, "untagged"));
            if (action == PortAction::HybridVlan && !tagged && !untagged) return false;
            port.tagged.remove(v.list);
            port.untagged.remove(v.list);
            if (undo) return true;
            if (tagged) port.tagged.add(v.list);
            if (untagged) port.untagged.add(v.list);
            return true;
        }
        case PortAction::Voice:
            port.voice = v.id;
            return true;
        case PortAction::JoinLag:
            if (block != Block::Port) return false;
            out.join_lag(port, lag_name(std::to_string(v.n)));
            return true;
        case PortAction::LagMembers:
            return block == Block::Lag && lag_members(v.rest);
        }
        return false;
    }

    void port_line(const Line& line, const std::vector<std::string_view>& w) {
        bool undo = iequals(w[0], "undo");
        std::size_t at = undo ? 1 : 0;
        if (w.size() <= at) return;
        if (!undo && iequals(w[0], "description")) {
            current->description = std::string(after_words(line.content, 1));
            return;
        }
        if (iequals(w[at], "shutdown") && w.size() == at + 1) {
            current->shutdown = !undo;
            return;
        }
        std::span<const std::string_view> words(w.begin() + static_cast<std::ptrdiff_t>(at), w.end());
        for (const PortStatement& statement : syntax.statements) {
            if (undo ? statement.undo == Undo::No : statement.undo == Undo::Only) continue;
            Values values;
            Match found = match(statement.pattern, words, values);
            if (found == Match::No) continue;
            if (found == Match::BadValue || !apply(statement.action, undo, values)) {
                out.unread(line);
                return;
            }
            bool sends_untagged =
                statement.action == PortAction::HybridUntagged ||
                (statement.action == PortAction::HybridVlan && iequals(values.word, "untagged"));
            if (sends_untagged && !undo) hybrid_lines.push_back(UntaggedLine{current, line, values.list});
            return;
        }
        // `port` statements of priorities, counters and tag stacking change
        // nothing here.
        static constexpr std::array<std::string_view, 7> k_other_port = {
            "priority",        "vlan-stacking", "crc-statistics", "bridge",
            "connection-type", "media",         "protect-group"};
        bool other_port = iequals(w[at], "port") && w.size() > at + 1 &&
                          std::any_of(k_other_port.begin(), k_other_port.end(),
                                      [&](std::string_view s) { return iequals(s, w[at + 1]); });
        bool ignored = other_port || std::any_of(syntax.ignored.begin(), syntax.ignored.end(),
                                                 [&](std::string_view s) { return iequals(s, w[at]); });
        if (!ignored && !undo) out.unread(line);
    }

    void read(std::string_view text) {
        Lines lines(text);
        for (Line line; lines.next(line);) {
            std::string_view c = line.content;
            if (c.front() == '#' || c.front() == '!' || iequals(c, "return") || iequals(c, "quit")) {
                block = Block::None;
                continue;
            }
            std::vector<std::string_view> w = split_words(c);
            bool in_interface = block == Block::Port || block == Block::Lag;
            if (iequals(w[0], "interface") && w.size() >= 2) {
                std::string name(w[1]);
                if (w.size() == 3) name += w[2]; // "interface GigabitEthernet 1/0/1"
                interface(line, name);
                continue;
            }
            if (iequals(w[0], "vlan") && w.size() >= 2 && !in_interface) {
                // `vlan batch 10 20 to 30` makes VLANs without entering them.
                bool batch = iequals(w[1], "batch");
                auto ids = parse_to_list(std::vector<std::string_view>(w.begin() + (batch ? 2 : 1), w.end()));
                block = Block::Skip;
                if (!ids) continue; // vlan-mapping and other VLAN features
                for (std::uint16_t id : ids->ids()) out.define_vlan(id, "");
                if (batch) continue;
                vlan_ids = ids->ids();
                block = Block::Vlan;
                continue;
            }
            if (iequals(w[0], "sysname") && w.size() >= 2 && !in_interface) {
                out.set_host(after_words(c, 1));
                continue;
            }
            if (in_interface)
                port_line(line, w);
            else if (block == Block::Vlan)
                vlan_line(w, c);
        }
    }
};

} // namespace

void read_comware_family(std::string_view text, Collector& out, const ComwareSyntax& syntax) {
    out.unset_mode = Mode::Access;
    VlanSet vlan_1;
    vlan_1.add(1);
    out.trunk_default = vlan_1;
    out.default_vlan_name = "VLAN 0001";
    out.vlan_name_prefix = "VLAN ";
    out.vlan_name_digits = 4;
    Reader reader{out, syntax};
    reader.read(text);
    // A hybrid port sends its PVID untagged; other VLANs it sends untagged
    // have no place in the map, which knows one untagged VLAN per port.
    settle_untagged_lists(out, reader.hybrid_lines);
}

void read_comware(std::string_view text, Collector& out) {
    static constexpr ComwareSyntax k_syntax{k_comware_interfaces, k_comware_statements, k_comware_ignored,
                                            "Bridge-Aggregation"};
    read_comware_family(text, out, k_syntax);
}

} // namespace quarn::import_detail
