// HPE Comware and H3C: `#` separates the sections; ports are `access`
// (one VLAN), `trunk` (a permitted list that starts with VLAN 1 alone and
// grows with every `port trunk permit vlan` line, and a PVID) or `hybrid`
// (VLANs sent tagged or untagged, and a PVID); `port link-aggregation group
// 1` makes a port a member of Bridge-Aggregation1.
#include <algorithm>
#include <array>

#include "import/config_reader.hpp"

namespace quarn::import_detail {
namespace {

enum class IfKind : std::uint8_t { Port, Lag, Logical, Unknown };

struct FamilyRow {
    std::string_view prefix; // lower case
    IfKind kind;
    PortKind port_kind;
};

constexpr std::array<FamilyRow, 23> k_interface_families = {{
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

bool ignored_setting(std::string_view first) {
    static constexpr std::array<std::string_view, 30> k_ignored = {
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
    return std::any_of(k_ignored.begin(), k_ignored.end(),
                       [&](std::string_view s) { return iequals(s, first); });
}

struct Reader {
    Collector& out;
    enum class Block : std::uint8_t { None, Port, Lag, Vlan, Skip };
    Block block = Block::None;
    PortDraft* current = nullptr;
    std::vector<std::uint16_t> vlan_ids;
    std::vector<std::uint16_t> named;
    std::vector<UntaggedLine> hybrid_lines;

    void interface(const Line& line, std::string_view name) {
        std::size_t n = 0;
        while (n < name.size() && !(name[n] >= '0' && name[n] <= '9')) ++n;
        std::string prefix = lower(name.substr(0, n));
        std::string_view number = name.substr(n);
        block = Block::Skip;
        if (prefix.empty() || number.empty()) {
            out.unread(line);
            return;
        }
        if (number.find_first_of(".:") != std::string_view::npos) return; // subinterfaces
        for (const FamilyRow& row : k_interface_families) {
            if (row.prefix != prefix) continue;
            if (row.kind == IfKind::Port) {
                current = &out.port(name, row.port_kind);
                block = Block::Port;
            } else if (row.kind == IfKind::Lag) {
                current = &out.lag(std::string("Bridge-Aggregation") + std::string(number));
                block = Block::Lag;
            }
            return;
        }
        out.unread(line);
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

    void port_line(const Line& line, const std::vector<std::string_view>& w) {
        PortDraft& port = *current;
        auto is = [&](std::size_t i, std::string_view word) { return w.size() > i && iequals(w[i], word); };
        bool undo = is(0, "undo");
        std::size_t at = undo ? 1 : 0;
        auto list_from = [&](std::size_t i) {
            return parse_to_list(
                std::vector<std::string_view>(w.begin() + static_cast<std::ptrdiff_t>(i), w.end()));
        };
        if (is(0, "description")) {
            port.description = std::string(after_words(line.content, 1));
        } else if (is(at, "shutdown") && w.size() == at + 1) {
            port.shutdown = !undo;
        } else if (!undo && is(0, "port") && is(1, "link-type") && w.size() == 3) {
            if (is(2, "access"))
                port.mode = Mode::Access;
            else if (is(2, "trunk"))
                port.mode = Mode::Trunk;
            else if (is(2, "hybrid")) {
                // A hybrid port starts out sending VLAN 1 untagged.
                start_lists(port);
                port.mode = Mode::Direct;
            } else
                out.unread(line);
        } else if (!undo && is(0, "port") && is(1, "link-mode") && w.size() == 3) {
            if (is(2, "route")) port.mode = Mode::Routed;
        } else if (!undo && is(0, "port") && is(1, "access") && is(2, "vlan") && w.size() == 4) {
            if (auto id = parse_vlan_id(w[3]))
                port.access = id;
            else
                out.unread(line);
        } else if (is(at, "port") && is(at + 1, "trunk") && is(at + 2, "permit") && is(at + 3, "vlan") &&
                   w.size() > at + 4) {
            VlanSet& allowed = out.allowed(port);
            if (is(at + 4, "all") && w.size() == at + 5) {
                if (undo)
                    allowed.clear();
                else
                    allowed = VlanSet::all();
            } else if (auto ids = list_from(at + 4)) {
                if (undo)
                    allowed.remove(*ids);
                else
                    allowed.add(*ids);
            } else {
                out.unread(line);
            }
        } else if (!undo && is(0, "port") && (is(1, "trunk") || is(1, "hybrid")) && is(2, "pvid") &&
                   is(3, "vlan") && w.size() == 5) {
            auto id = parse_vlan_id(w[4]);
            if (!id)
                out.unread(line);
            else if (is(1, "trunk"))
                port.native = id;
            else
                port.pvid = id;
        } else if (is(at, "port") && is(at + 1, "hybrid") && is(at + 2, "vlan") && w.size() > at + 3) {
            bool tagged = is(w.size() - 1, "tagged");
            bool untagged = is(w.size() - 1, "untagged");
            auto ids = undo ? list_from(at + 3)
                            : parse_to_list(std::vector<std::string_view>(w.begin() + 3, w.end() - 1));
            if (!ids || (!undo && !tagged && !untagged)) {
                out.unread(line);
                return;
            }
            port.tagged.remove(*ids);
            port.untagged.remove(*ids);
            if (tagged) port.tagged.add(*ids);
            if (untagged && !undo) {
                port.untagged.add(*ids);
                hybrid_lines.push_back(UntaggedLine{&port, line, *ids});
            }
        } else if (!undo && is(0, "voice") && is(1, "vlan") && w.size() == 4 && is(3, "enable")) {
            if (auto id = parse_vlan_id(w[2]))
                port.voice = id;
            else
                out.unread(line);
        } else if (!undo && is(0, "port") && is(1, "link-aggregation") && is(2, "group") && w.size() >= 4 &&
                   block == Block::Port) {
            if (parse_number(w[3]))
                out.join_lag(port, std::string("Bridge-Aggregation") + std::string(w[3]));
            else
                out.unread(line);
        } else if (!ignored_setting(w[at]) && !undo) {
            out.unread(line);
        }
    }

    void read(std::string_view text) {
        Lines lines(text);
        for (Line line; lines.next(line);) {
            std::string_view c = line.content;
            if (c.front() == '#' || iequals(c, "return") || iequals(c, "quit")) {
                block = Block::None;
                continue;
            }
            std::vector<std::string_view> w = split_words(c);
            if (iequals(w[0], "interface") && w.size() >= 2) {
                std::string name(w[1]);
                if (w.size() == 3) name += w[2]; // "interface GigabitEthernet 1/0/1"
                interface(line, name);
                continue;
            }
            if (iequals(w[0], "vlan") && w.size() >= 2 && block != Block::Port && block != Block::Lag) {
                auto ids = parse_to_list(std::vector<std::string_view>(w.begin() + 1, w.end()));
                block = Block::Skip;
                if (!ids) continue; // vlan-mapping and other VLAN features
                vlan_ids = ids->ids();
                for (std::uint16_t id : vlan_ids) out.define_vlan(id, "");
                block = Block::Vlan;
                continue;
            }
            if (iequals(w[0], "sysname") && w.size() >= 2 && block != Block::Port && block != Block::Lag) {
                out.set_host(after_words(c, 1));
                continue;
            }
            if (block == Block::Port || block == Block::Lag)
                port_line(line, w);
            else if (block == Block::Vlan)
                vlan_line(w, c);
        }
    }
};

} // namespace

void read_comware(std::string_view text, Collector& out) {
    out.unset_mode = Mode::Access;
    VlanSet vlan_1;
    vlan_1.add(1);
    out.trunk_default = vlan_1;
    out.default_vlan_name = "VLAN 0001";
    out.vlan_name_prefix = "VLAN ";
    out.vlan_name_digits = 4;
    Reader reader{out};
    reader.read(text);
    // A hybrid port sends its PVID untagged; other VLANs it sends untagged
    // have no place in the map, which knows one untagged VLAN per port.
    settle_untagged_lists(out, reader.hybrid_lines);
}

} // namespace quarn::import_detail
