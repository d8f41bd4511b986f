// Dell EMC SmartFabric OS10: `interface ethernet1/1/1` blocks (breakouts
// ethernet1/1/49:1) in the words of Cisco IOS, but a trunk's untagged VLAN
// is its access VLAN: `switchport mode trunk` with `switchport access vlan
// 10` sends VLAN 10 untagged and the VLANs of `switchport trunk allowed
// vlan` tagged (none until listed). Every port starts in VLAN 1; `no
// switchport access vlan` takes it out. VLANs are made as `interface vlan10`
// and named by its description; members of `channel-group 1` take the VLANs
// of `interface port-channel1`.
#include <algorithm>
#include <array>
#include <unordered_set>

#include "import/config_reader.hpp"

namespace quarn::import_detail {
namespace {

bool ignored_setting(std::string_view first) {
    static constexpr std::array<std::string_view, 34> k_ignored = {
        "flowcontrol",
        "mtu",
        "fec",
        "negotiation",
        "spanning-tree",
        "lldp",
        "ip",
        "ipv6",
        "lacp",
        "storm-control",
        "vrrp",
        "duplex",
        "mac",
        "errdisable",
        "dcbx",
        "priority-flow-control",
        "service-policy",
        "trust-map",
        "qos-map",
        "ets",
        "load-interval",
        "vlt-port-channel",
        "link-bundle-utilization",
        "unknown-unicast-storm-control",
        "switchport",
        "media-type",
        "vrf",
        "bfd",
        "channel-protocol",
        "dot1x",
        "mab",
        "ptp",
        "shutdown",
        "mode",
    };
    return iequals_any(k_ignored, first);
}

struct Reader {
    Collector& out;
    bool indented_text;
    enum class Block : std::uint8_t { None, Port, Lag, Vlan, Skip };
    Block block = Block::None;
    std::size_t block_indent = 0;
    std::vector<PortDraft*> ports;
    std::uint16_t vlan = 0;
    std::unordered_set<PortDraft*> without_access; // `no switchport access vlan`
    std::vector<UntaggedLine> no_untagged_lists;

    static bool opens(const std::vector<std::string_view>& w) {
        return iequals(w[0], "interface") || iequals(w[0], "hostname");
    }

    void interface(const Line& line, const std::vector<std::string_view>& w) {
        block = Block::Skip;
        ports.clear();
        bool range = w.size() >= 3 && iequals(w[1], "range");
        std::size_t at = range ? 2 : 1;
        if (w.size() <= at || iequals(w[1], "breakout")) return;
        // "interface ethernet 1/1/1" as it may be typed.
        std::string name(w[at]);
        if (w.size() == at + 2 && digit(w[at + 1].front()))
            name += w[at + 1];
        else if (w.size() > at + 1) {
            out.unread(line);
            return;
        }
        std::size_t n = 0;
        while (n < name.size() && !digit(name[n])) ++n;
        std::string prefix = lower(std::string_view(name).substr(0, n));
        if (n == name.size()) {
            out.unread(line);
            return;
        }
        if (prefix == "port-channel" && !range) {
            ports.push_back(&out.lag("port-channel" + name.substr(n)));
            block = Block::Lag;
        } else if (prefix == "vlan" && !range) {
            auto id = parse_vlan_id(std::string_view(name).substr(n));
            if (!id) {
                out.unread(line);
                return;
            }
            vlan = *id;
            out.define_vlan(vlan, "");
            block = Block::Vlan;
        } else if (prefix == "ethernet") {
            auto names = expand_names(name);
            if (!names) {
                out.unread(line);
                return;
            }
            for (std::string& port : *names) {
                std::string label = "ethernet" + port.substr(port.find_first_of("0123456789"));
                // A port broken out of a cage is a cage's lane.
                bool lane = label.find(':') != std::string::npos;
                ports.push_back(&out.port(label, lane ? PortKind::Sfp : PortKind::Rj45));
            }
            block = Block::Port;
        } else if (prefix != "mgmt" && prefix != "loopback" && prefix != "null" &&
                   prefix != "virtual-network" && prefix != "tunnel") {
            out.unread(line);
        }
    }

    bool port_line(const Line& line, const std::vector<std::string_view>& w, PortDraft& port) {
        auto is = [&](std::size_t i, std::string_view word) { return w.size() > i && iequals(w[i], word); };
        if (is(0, "no") && is(1, "switchport") && is(2, "access") && is(3, "vlan")) {
            without_access.insert(&port);
            port.access.reset();
        } else if (is(0, "switchport") && is(1, "access") && is(2, "vlan") && w.size() == 4) {
            without_access.erase(&port);
            return read_switchport(line, w, port, out, SwitchportStyle{false, true}, no_untagged_lists);
        } else if (read_switchport(line, w, port, out, SwitchportStyle{false, true}, no_untagged_lists)) {
            // as every IOS-like family writes it
        } else if (is(0, "channel-group") && w.size() >= 2 && block == Block::Port) {
            if (!parse_number(w[1])) return false;
            out.join_lag(port, "port-channel" + std::string(w[1]));
        } else if (is(0, "speed") && w.size() == 2) {
            auto mbits = parse_number(w[1]);
            if (mbits && *mbits >= 10000) port.kind = PortKind::Sfp;
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
            if (c.front() == '!' || iequals(c, "exit") || iequals(c, "end")) {
                block = Block::None;
                continue;
            }
            std::vector<std::string_view> w = split_words(c);
            bool inside =
                block != Block::None && !opens(w) && continues_block(line, block_indent, indented_text);
            if (!inside) {
                block = Block::Skip;
                block_indent = line.indent;
                if (iequals(w[0], "hostname") && w.size() >= 2) out.set_host(w[1]);
                if (iequals(w[0], "interface")) interface(line, w);
                continue;
            }
            if (block == Block::Port || block == Block::Lag) {
                bool understood = true;
                for (PortDraft* port : ports) understood = port_line(line, w, *port) && understood;
                if (!understood) out.unread(line);
            } else if (block == Block::Vlan && iequals(w[0], "description") && w.size() >= 2) {
                out.define_vlan(vlan, unquoted(after_words(c, 1)));
            }
        }
    }

    // The untagged VLAN is the access VLAN in either mode; a trunk sends its
    // allowed VLANs tagged.
    void settle() {
        out.each_draft([&](PortDraft& port) {
            bool without = without_access.contains(&port);
            if (port.mode == Mode::Trunk) {
                port.mode = Mode::Direct;
                port.pvid = without ? std::nullopt : std::optional(port.access.value_or(1));
                if (port.allowed_set) port.tagged = port.allowed;
            } else if (without && (port.mode == Mode::Access || port.mode == Mode::Unset)) {
                port.mode = Mode::Direct;
            }
        });
    }
};

} // namespace

void read_dell_os10(std::string_view text, Collector& out) {
    out.unset_mode = Mode::Access;
    out.trunk_default = VlanSet{};
    out.default_vlan_name = "default";
    out.vlan_name_prefix = "VLAN";
    out.vlan_name_digits = 4;
    Reader reader{out, indented(text)};
    reader.read(text);
    reader.settle();
}

} // namespace quarn::import_detail
