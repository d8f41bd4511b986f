// Dell OS6 (N-series) and the PowerConnect switches before it: Cisco IOS
// words without indentation, every block closed by `exit`. Ports are named
// short (Gi1/0/1, Te1/0/1) or, on PowerConnect, `ethernet 1/g1`. A port is
// an access port in VLAN 1 unless its mode says otherwise; a trunk carries
// every VLAN the switch has unless its allowed list says otherwise; a
// general port sends VLAN 1 untagged, and what `switchport general allowed
// vlan add 10 [tagged|untagged]` adds (untagged when not said), with its
// PVID `switchport general pvid`. VLANs are named in `vlan 10` blocks
// (N-series) or `interface vlan 10` blocks (PowerConnect).
#include <algorithm>
#include <array>

#include "import/config_reader.hpp"

namespace quarn::import_detail {
namespace {

bool ignored_setting(std::string_view first) {
    static constexpr std::array<std::string_view, 36> k_ignored = {
        "spanning-tree",
        "lldp",
        "dot1x",
        "mtu",
        "speed",
        "duplex",
        "flowcontrol",
        "storm-control",
        "ip",
        "ipv6",
        "lacp",
        "negotiation",
        "classofservice",
        "cos-queue",
        "traffic-shape",
        "udld",
        "port-security",
        "service-policy",
        "switchport",
        "mac",
        "snmp",
        "voice",
        "isdp",
        "green-mode",
        "auto-negotiate",
        "link-dependency",
        "rate-limit",
        "gvrp",
        "power",
        "mdix",
        "loopback-detection",
        "authentication",
        "ethernet",
        "hardware",
        "port",
        "load-interval",
    };
    return iequals_any(k_ignored, first);
}

struct Reader {
    Collector& out;
    enum class Block : std::uint8_t { None, Port, Lag, Vlan, VlanDatabase, Skip };
    Block block = Block::None;
    std::vector<PortDraft*> ports;
    std::vector<std::uint16_t> vlan_ids;
    std::vector<UntaggedLine> untagged_lines;

    void define(const Line& line, std::string_view list) {
        auto ids = parse_dash_list(list);
        if (!ids) {
            out.unread(line);
            return;
        }
        vlan_ids = ids->ids();
        for (std::uint16_t id : vlan_ids) out.define_vlan(id, "");
        // A trunk carries the VLANs the switch has: those defined before it.
        out.trunk_default.add(*ids);
    }

    void interface(const Line& line, const std::vector<std::string_view>& w) {
        block = Block::Skip;
        ports.clear();
        bool range = w.size() >= 3 && iequals(w[1], "range");
        std::size_t at = range ? 2 : 1;
        if (w.size() <= at) return;
        std::string_view kind = w[at];
        if (iequals(kind, "out-of-band") || istarts_with(kind, "loopback") || istarts_with(kind, "tunnel"))
            return;
        if (iequals(kind, "vlan") && w.size() == at + 2) {
            define(line, w[at + 1]);
            block = Block::Vlan;
            return;
        }
        // PowerConnect: "ethernet 1/g1", named 1/g1 as its show commands do.
        bool powerconnect = iequals(kind, "ethernet") && w.size() == at + 2;
        std::string name = powerconnect ? std::string(w[at + 1]) : std::string(kind);
        if (!powerconnect && w.size() == at + 2 && digit(w[at + 1].front()))
            name += w[at + 1];
        else if (!powerconnect && w.size() > at + 1) {
            out.unread(line);
            return;
        }
        auto names = expand_names(name);
        if (!names) {
            out.unread(line);
            return;
        }
        for (const std::string& one : *names) {
            std::size_t length = 0;
            std::string_view family = port_family(one, length);
            if (family == "po" && !powerconnect) {
                ports.push_back(&out.lag("port-channel" + one.substr(length)));
                block = Block::Lag;
                continue;
            }
            bool copper = family == "gi" || family == "fa" || family == "tw" || family == "fi";
            bool cage = family == "te" || family == "twe" || family == "fo" || family == "hu";
            if (powerconnect) {
                copper = one.find("xg") == std::string::npos;
                cage = !copper;
            }
            if ((!copper && !cage) || length == one.size()) {
                out.unread(line);
                ports.clear();
                block = Block::Skip;
                return;
            }
            ports.push_back(&out.port(one, copper ? PortKind::Rj45 : PortKind::Sfp));
            block = Block::Port;
        }
    }

    bool port_line(const Line& line, const std::vector<std::string_view>& w, PortDraft& port) {
        auto is = [&](std::size_t i, std::string_view word) { return w.size() > i && iequals(w[i], word); };
        if (read_switchport(line, w, port, out, SwitchportStyle{true, true}, untagged_lines)) return true;
        if (is(0, "channel-group") && w.size() >= 2 && block == Block::Port) {
            if (!parse_number(w[1])) return false;
            out.join_lag(port, "port-channel" + std::string(w[1]));
            return true;
        }
        std::string_view first = is(0, "no") && w.size() > 1 ? w[1] : w[0];
        return ignored_setting(first);
    }

    void top(const Line& line, const std::vector<std::string_view>& w) {
        block = Block::Skip;
        if (iequals(w[0], "hostname") && w.size() >= 2) {
            out.set_host(unquoted(after_words(line.content, 1)));
        } else if (iequals(w[0], "interface")) {
            interface(line, w);
        } else if (iequals(w[0], "vlan") && w.size() == 2 && iequals(w[1], "database")) {
            block = Block::VlanDatabase;
        } else if (iequals(w[0], "vlan") && w.size() == 2) {
            define(line, w[1]);
            block = Block::Vlan;
        }
    }

    void read(std::string_view text) {
        Lines lines(text);
        for (Line line; lines.next(line);) {
            std::string_view c = line.content;
            if (c.front() == '!' || iequals(c, "exit")) {
                block = Block::None;
                continue;
            }
            std::vector<std::string_view> w = split_words(c);
            bool opens = iequals(w[0], "interface") || iequals(w[0], "hostname") ||
                         (iequals(w[0], "vlan") && block != Block::VlanDatabase);
            if (block == Block::None || opens) {
                top(line, w);
                continue;
            }
            switch (block) {
            case Block::Port:
            case Block::Lag: {
                bool understood = true;
                for (PortDraft* port : ports) understood = port_line(line, w, *port) && understood;
                if (!understood) out.unread(line);
                break;
            }
            case Block::Vlan:
                if (iequals(w[0], "name") && w.size() >= 2)
                    for (std::uint16_t id : vlan_ids) out.define_vlan(id, unquoted(after_words(c, 1)));
                break;
            case Block::VlanDatabase:
                if (iequals(w[0], "vlan") && w.size() == 2) define(line, w[1]);
                break;
            case Block::None:
            case Block::Skip:
                break;
            }
        }
    }
};

} // namespace

void read_dell_os6(std::string_view text, Collector& out) {
    out.unset_mode = Mode::Access;
    out.default_vlan_name = "default";
    out.all_is_defined = true;
    out.vlan_name_prefix = "VLAN";
    out.vlan_name_digits = 4;
    out.trunk_default = VlanSet{};
    out.trunk_default.add(1);
    Reader reader{out};
    reader.read(text);
    settle_untagged_lists(out, reader.untagged_lines);
}

} // namespace quarn::import_detail
