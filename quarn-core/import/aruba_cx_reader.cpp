// HPE Aruba AOS-CX: `interface 1/1/1` blocks (member/slot/port, breakouts
// 1/1/49:1) say `vlan access 10`, or `vlan trunk native 1 [tag]` and
// `vlan trunk allowed 10,20` (lines that add to the list; `all`), `lag 1`
// for a member of `interface lag 1`, and `routing` or `no routing`.
// Interfaces are shut down until `no shutdown`. Access switches (6000
// series) switch on every port unless it says `routing`; core switches
// (8000 series) route unless it says `no routing`, and their texts show it
// by writing `no routing` on the ports that switch. A trunk allows no VLAN
// until a line adds it; its native VLAN (1 unless set) is sent untagged
// only when allowed; `all` allows the VLANs made on the switch.
#include <algorithm>
#include <array>
#include <unordered_map>

#include "import/config_reader.hpp"

namespace quarn::import_detail {
namespace {

// 1/1/1 and 1/1/49:1.
bool port_name(std::string_view name) {
    if (name.empty() || !digit(name.front())) return false;
    return std::all_of(name.begin(), name.end(), [](char c) { return digit(c) || c == '/' || c == ':'; }) &&
           std::count(name.begin(), name.end(), '/') == 2;
}

bool ignored_setting(std::string_view first) {
    static constexpr std::array<std::string_view, 40> k_ignored = {
        "lacp",
        "mtu",
        "ipv6",
        "speed",
        "loop-protect",
        "spanning-tree",
        "lldp",
        "qos",
        "apply",
        "aaa",
        "port-access",
        "vsx-sync",
        "persona",
        "arp",
        "dhcp-snooping",
        "flow-control",
        "rate-limit",
        "storm-control",
        "client",
        "mvrp",
        "udld",
        "sflow",
        "l3-counters",
        "active-gateway",
        "ip",
        "pim-sparse",
        "ospf",
        "poe",
        "power-over-ethernet",
        "energy-efficient-ethernet",
        "error-control",
        "mirror",
        "bfd",
        "vrrp",
        "ipv4",
        "auto-negotiation",
        "fec",
        "downshift-enable",
        "tx-power",
        "mac",
    };
    return iequals_any(k_ignored, first);
}

// What a port said about routing, for the platform's default.
struct Routing {
    std::optional<bool> said; // `routing` or `no routing`
    bool vlans = false;       // VLAN lines, which only a switching port takes
    bool address = false;     // an IP address, which only a routed port takes
};

struct Reader {
    Collector& out;
    bool indented_text;
    enum class Block : std::uint8_t { None, Port, Vlan, Skip };
    Block block = Block::None;
    std::size_t block_indent = 0;
    std::vector<PortDraft*> ports; // those of the block: a range names several
    bool lag_block = false;
    std::vector<std::uint16_t> vlan_ids;
    std::unordered_map<PortDraft*, Routing> routing;
    bool no_routing_written = false;

    static bool opens(const std::vector<std::string_view>& w) {
        return iequals(w[0], "interface") || iequals(w[0], "hostname") ||
               (iequals(w[0], "vlan") && w.size() == 2 && digit(w[1].front()));
    }

    void interface(const Line& line, const std::vector<std::string_view>& w) {
        block = Block::Skip;
        ports.clear();
        lag_block = false;
        if (w.size() < 2) return;
        if (iequals(w[1], "lag")) {
            // interface lag 1 [multi-chassis [static]]
            if (w.size() < 3 || !parse_number(w[2])) {
                out.unread(line);
                return;
            }
            ports.push_back(&out.lag("lag" + std::string(w[2])));
            lag_block = true;
            block = Block::Port;
            return;
        }
        if (!digit(w[1].front())) return; // vlan, mgmt, loopback, tunnel, vxlan
        if (w.size() > 2) {
            out.unread(line);
            return;
        }
        if (w[1].find('.') != std::string_view::npos) return; // subinterfaces
        auto names = expand_names(w[1]);
        if (!names ||
            !std::all_of(names->begin(), names->end(), [](const std::string& n) { return port_name(n); })) {
            out.unread(line);
            return;
        }
        for (const std::string& name : *names) ports.push_back(&out.port(name, PortKind::Rj45));
        block = Block::Port;
    }

    void top(const Line& line, const std::vector<std::string_view>& w) {
        block = Block::Skip;
        block_indent = line.indent;
        if (iequals(w[0], "hostname") && w.size() >= 2) {
            out.set_host(w[1]);
        } else if (iequals(w[0], "interface")) {
            interface(line, w);
        } else if (iequals(w[0], "vlan") && w.size() == 2) {
            auto ids = parse_dash_list(w[1]);
            if (!ids) {
                out.unread(line);
                return;
            }
            vlan_ids = ids->ids();
            for (std::uint16_t id : vlan_ids) out.define_vlan(id, "");
            block = Block::Vlan;
        }
    }

    // One line said to every port of the block; false when not understood.
    bool port_line(const Line& line, const std::vector<std::string_view>& w, PortDraft& port) {
        auto is = [&](std::size_t i, std::string_view word) { return w.size() > i && iequals(w[i], word); };
        Routing& said = routing[&port];
        if (is(0, "description")) {
            port.description = std::string(after_words(line.content, 1));
        } else if (is(0, "shutdown") && w.size() == 1) {
            port.shutdown = true;
        } else if (is(0, "no") && is(1, "shutdown") && w.size() == 2) {
            port.shutdown = false;
        } else if (is(0, "routing") && w.size() == 1) {
            said.said = true;
        } else if (is(0, "no") && is(1, "routing") && w.size() == 2) {
            said.said = false;
            no_routing_written = true;
        } else if (is(0, "vlan") && is(1, "access") && w.size() == 3) {
            auto id = parse_vlan_id(w[2]);
            if (!id) return false;
            said.vlans = true;
            port.mode = Mode::Access;
            port.access = id;
        } else if (is(0, "no") && is(1, "vlan") && is(2, "access")) {
            port.access.reset();
        } else if (is(0, "vlan") && is(1, "trunk") && is(2, "native") && (w.size() == 4 || w.size() == 5)) {
            // vlan trunk native N [tag] | vlan trunk native tag
            bool tag = is(w.size() - 1, "tag");
            std::optional<std::uint16_t> id;
            if (w.size() == 5 || !tag) {
                id = parse_vlan_id(w[3]);
                if (!id || (w.size() == 5 && !tag)) return false;
                port.native = id;
            }
            if (tag) port.native_tagged = true;
            said.vlans = true;
            port.mode = Mode::Trunk;
        } else if (is(0, "no") && is(1, "vlan") && is(2, "trunk") && is(3, "native") && is(4, "tag")) {
            port.native_tagged = false;
        } else if (is(0, "vlan") && is(1, "trunk") && is(2, "allowed") && w.size() >= 4) {
            bool all = is(3, "all") && w.size() == 4;
            auto ids = all ? std::optional(out.every_vlan()) : parse_dash_list(after_words(line.content, 3));
            if (!ids) return false;
            said.vlans = true;
            port.mode = Mode::Trunk;
            out.allowed(port).add(*ids);
        } else if (is(0, "no") && is(1, "vlan") && is(2, "trunk") && is(3, "allowed") && w.size() >= 5) {
            auto ids = parse_dash_list(after_words(line.content, 4));
            if (!ids) return false;
            out.allowed(port).remove(*ids);
        } else if (is(0, "lag") && w.size() == 2 && !lag_block) {
            if (!parse_number(w[1])) return false;
            out.join_lag(port, "lag" + std::string(w[1]));
        } else if ((is(0, "ip") || is(0, "ipv6")) && is(1, "address")) {
            said.address = true;
        } else if (is(0, "vrf") && is(1, "attach")) {
            said.address = true;
        } else {
            std::string_view first = is(0, "no") && w.size() > 1 ? w[1] : w[0];
            return ignored_setting(first);
        }
        return true;
    }

    void read(std::string_view text) {
        Lines lines(text);
        for (Line line; lines.next(line);) {
            std::string_view c = line.content;
            if (c.front() == '!' || c.front() == '#') {
                block = Block::None;
                continue;
            }
            if (iequals(c, "exit") || iequals(c, "end")) {
                block = Block::None;
                continue;
            }
            std::vector<std::string_view> w = split_words(c);
            bool inside =
                block != Block::None && !opens(w) && continues_block(line, block_indent, indented_text);
            if (!inside) {
                top(line, w);
                continue;
            }
            if (block == Block::Port) {
                bool understood = true;
                for (PortDraft* port : ports) understood = port_line(line, w, *port) && understood;
                if (!understood) out.unread(line);
            } else if (block == Block::Vlan && iequals(w[0], "name") && w.size() >= 2) {
                for (std::uint16_t id : vlan_ids) out.define_vlan(id, after_words(c, 1));
            }
        }
    }

    void settle() {
        out.each_draft([&](PortDraft& port) {
            const Routing& said = routing[&port];
            bool routed = said.said.value_or(!said.vlans && (said.address || no_routing_written));
            if (routed)
                port.mode = Mode::Routed;
            else if (port.mode == Mode::Unset)
                port.mode = Mode::Access;
        });
    }
};

} // namespace

void read_aruba_cx(std::string_view text, Collector& out) {
    out.unset_mode = Mode::Access;
    out.trunk_default = VlanSet{};
    out.disabled_by_default = true;
    // A trunk carries only VLANs made on the switch.
    out.all_is_defined = true;
    out.default_vlan_name = "DEFAULT_VLAN_1";
    out.vlan_name_prefix = "VLAN";
    out.vlan_name_digits = 0;
    Reader reader{out, indented(text)};
    reader.read(text);
    reader.settle();
}

} // namespace quarn::import_detail
