// Cisco Small Business (Sx200, Sx300, Sx350, Sx550X), Business (CBS250,
// CBS350) and Catalyst 1200 and 1300 switches: Cisco IOS words with their own
// defaults. VLANs are made in `vlan database` and named in `interface vlan
// 10` blocks. Besides access and trunk, a port may be `general`: VLAN 1
// untagged, plus what `switchport general allowed vlan add 10 [tagged|
// untagged]` adds (untagged when not said), with its PVID `switchport
// general pvid`. Firmware 1.x (Sx200, Sx300) makes a port a trunk when no
// mode is written; there a trunk starts with no tagged VLAN and always
// sends its native VLAN untagged. Later firmware makes it an access port,
// and a trunk carries every VLAN the switch has, its native VLAN untagged
// when allowed, as Cisco IOS does.
#include <algorithm>
#include <array>
#include <unordered_set>

#include "import/config_reader.hpp"

namespace quarn::import_detail {
namespace {

bool ignored_setting(std::string_view first) {
    static constexpr std::array<std::string_view, 36> k_ignored = {
        "spanning-tree",
        "lldp",
        "storm-control",
        "eee",
        "green-ethernet",
        "port",
        "macro",
        "smartport",
        "loopback-detection",
        "ip",
        "ipv6",
        "speed",
        "duplex",
        "flowcontrol",
        "negotiation",
        "power",
        "voice",
        "qos",
        "traffic-shape",
        "rate-limit",
        "gvrp",
        "dot1x",
        "mdix",
        "service-policy",
        "snmp",
        "switchport",
        "lacp",
        "bonjour",
        "service-acl",
        "errdisable",
        "udld",
        "hostname",
        "authentication",
        "channel-protocol",
        "link-flap",
        "description",
    };
    return iequals_any(k_ignored, first);
}

struct Reader {
    Collector& out;
    bool indented_text;
    bool first_firmware;
    enum class Block : std::uint8_t { None, Port, Lag, VlanName, VlanDatabase, Skip };
    Block block = Block::None;
    std::size_t block_indent = 0;
    std::vector<PortDraft*> ports;
    std::uint16_t vlan = 0;
    std::vector<UntaggedLine> untagged_lines;
    std::unordered_set<PortDraft*> forbidden_default;

    void define(const Line& line, std::string_view list) {
        auto ids = parse_dash_list(list);
        if (!ids) {
            out.unread(line);
            return;
        }
        for (std::uint16_t id : ids->ids()) out.define_vlan(id, "");
        // Later firmware: a trunk carries the VLANs the switch has.
        if (!first_firmware) out.trunk_default.add(*ids);
    }

    void interface(const Line& line, const std::vector<std::string_view>& w) {
        block = Block::Skip;
        ports.clear();
        bool range = w.size() >= 3 && iequals(w[1], "range");
        std::size_t at = range ? 2 : 1;
        if (w.size() <= at) return;
        std::string name(w[at]);
        if (w.size() == at + 2 && digit(w[at + 1].front()))
            name += w[at + 1];
        else if (w.size() > at + 1) {
            out.unread(line);
            return;
        }
        if (istarts_with(name, "vlan")) {
            auto id = parse_vlan_id(std::string_view(name).substr(4));
            if (!id || range) {
                out.unread(line);
                return;
            }
            vlan = *id;
            out.define_vlan(vlan, "");
            block = Block::VlanName;
            return;
        }
        if (iequals(name, "oob") || istarts_with(name, "loopback") || istarts_with(name, "tunnel")) return;
        auto names = expand_names(name);
        if (!names) {
            out.unread(line);
            return;
        }
        for (const std::string& one : *names) {
            std::size_t length = 0;
            std::string_view family = port_family(one, length);
            bool copper = family == "gi" || family == "fa" || family == "tw" || family == "fi";
            bool cage = family == "te" || family == "twe" || family == "fo" || family == "hu";
            if (family == "po") {
                ports.push_back(&out.lag("Port-channel" + one.substr(length)));
                block = Block::Lag;
            } else if ((copper || cage) && length < one.size()) {
                ports.push_back(&out.port(one, copper ? PortKind::Rj45 : PortKind::Sfp));
                block = Block::Port;
            } else {
                out.unread(line);
                ports.clear();
                block = Block::Skip;
                return;
            }
        }
    }

    bool port_line(const Line& line, const std::vector<std::string_view>& w, PortDraft& port) {
        auto is = [&](std::size_t i, std::string_view word) { return w.size() > i && iequals(w[i], word); };
        if (read_switchport(line, w, port, out, SwitchportStyle{true, true}, untagged_lines)) return true;
        if (is(0, "channel-group") && w.size() >= 2 && block == Block::Port) {
            if (!parse_number(w[1])) return false;
            out.join_lag(port, "Port-channel" + std::string(w[1]));
            return true;
        }
        if (is(0, "switchport") && is(1, "forbidden") && is(2, "default-vlan") && w.size() == 3) {
            forbidden_default.insert(&port);
            return true;
        }
        std::string_view first = is(0, "no") && w.size() > 1 ? w[1] : w[0];
        return ignored_setting(first);
    }

    void top(const Line& line, const std::vector<std::string_view>& w) {
        block = Block::Skip;
        block_indent = line.indent;
        if (iequals(w[0], "hostname") && w.size() >= 2) {
            out.set_host(unquoted(after_words(line.content, 1)));
        } else if (iequals(w[0], "interface")) {
            interface(line, w);
        } else if (iequals(w[0], "vlan") && w.size() == 2 && iequals(w[1], "database")) {
            block = Block::VlanDatabase;
        }
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
            bool opens = iequals(w[0], "interface") || iequals(w[0], "hostname") ||
                         (iequals(w[0], "vlan") && block != Block::VlanDatabase);
            bool inside =
                block != Block::None && !opens &&
                (block == Block::VlanDatabase || continues_block(line, block_indent, indented_text));
            if (!inside) {
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
            case Block::VlanName:
                if (iequals(w[0], "name") && w.size() >= 2)
                    out.define_vlan(vlan, unquoted(after_words(c, 1)));
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

    void settle() {
        out.each_draft([&](PortDraft& port) {
            if (port.mode == Mode::Unset) port.mode = first_firmware ? Mode::Trunk : Mode::Access;
            bool forbidden = forbidden_default.contains(&port);
            if (port.mode == Mode::Trunk) {
                std::uint16_t native = port.native.value_or(1);
                if (first_firmware && native != 0) out.allowed(port).add(native);
                if (forbidden) out.allowed(port).remove(1);
            } else if (port.mode == Mode::Direct && forbidden) {
                port.untagged.remove(1);
                port.tagged.remove(1);
            }
        });
        settle_untagged_lists(out, untagged_lines);
    }
};

// Firmware 1.x, as the line after `config-file-header` and the host name
// says: "v1.4.11.5 / R800_NIK_1_4_202_008".
bool first_firmware(std::string_view text) {
    Lines lines(text);
    int seen = 0;
    for (Line line; lines.next(line) && seen < 8; ++seen) {
        std::string_view c = line.content;
        if (c.size() > 2 && c[0] == 'v' && digit(c[1]) && c.find(" / ") != std::string_view::npos)
            return c[1] == '1' && c[2] == '.';
    }
    return false;
}

} // namespace

void read_cisco_sb(std::string_view text, Collector& out) {
    bool first = first_firmware(text);
    out.unset_mode = first ? Mode::Trunk : Mode::Access;
    out.trunk_default = VlanSet{};
    if (!first) out.trunk_default.add(1);
    out.default_vlan_name = "default";
    out.all_is_defined = true;
    out.vlan_name_prefix = "VLAN";
    out.vlan_name_digits = 4;
    Reader reader{out, indented(text), first};
    reader.read(text);
    reader.settle();
}

} // namespace quarn::import_detail
