// Ubiquiti EdgeSwitch and NETGEAR managed switches (the FASTPATH language):
// every block ends with `exit`; VLANs are made and named in `vlan database`
// (`vlan 10,20`, `vlan name 10 "Data"`). A port is a member of VLAN 1 until
// `vlan participation exclude 1`, and of the VLANs `vlan participation
// include` names; it sends them untagged unless `vlan tagging` names them,
// and takes frames without a tag into `vlan pvid` (1 unless set). `vlan port
// ... all` lines set all ports at once. `addport 3/1` (or `addport lag 1`)
// makes a port a member of that LAG, whose own lines its members follow.
// NETGEAR's later firmware also takes `switchport mode access|trunk` with
// Cisco IOS words; such a trunk carries every VLAN made unless told.
// Ports are 0/1 (1/0/1 in stacks); LAGs 3/1 (0/3/1, lag 1); slot 4 and above
// hold VLAN routing and loopback interfaces.
#include <algorithm>
#include <array>
#include <unordered_map>
#include <unordered_set>

#include "import/config_reader.hpp"

namespace quarn::import_detail {
namespace {

bool ignored_setting(std::string_view first) {
    static constexpr std::array<std::string_view, 26> k_ignored = {
        "speed",
        "spanning-tree",
        "lldp",
        "storm-control",
        "mtu",
        "port",
        "port-channel",
        "poe",
        "auto-negotiate",
        "flowcontrol",
        "switchport",
        "mac",
        "snmp",
        "dot1x",
        "ip",
        "ipv6",
        "classofservice",
        "cos-queue",
        "traffic-shape",
        "isdp",
        "green-mode",
        "udld",
        "routing",
        "set",
        "loopback-detection",
        "service-policy",
    };
    return iequals_any(k_ignored, first);
}

// What a port says of its VLANs, started from what `vlan port ... all`
// lines say of every port.
struct Membership {
    VlanSet members;
    VlanSet tagging;
    std::uint16_t pvid = 1;
};

enum class NameKind : std::uint8_t { Port, Lag, Logical, Unknown };

// 0/1, 1/0/1: ports; 3/1, 0/3/1: LAGs; 4/1, 0/4/1 and above: logical.
NameKind name_kind(std::string_view name) {
    if (name.empty() || !digit(name.front()) ||
        !std::all_of(name.begin(), name.end(), [](char c) { return digit(c) || c == '/'; }))
        return NameKind::Unknown;
    std::size_t slashes = static_cast<std::size_t>(std::count(name.begin(), name.end(), '/'));
    std::uint32_t unit = parse_number(name.substr(0, name.find('/'))).value_or(0);
    if (slashes == 1) return unit == 0 ? NameKind::Port : unit == 3 ? NameKind::Lag : NameKind::Logical;
    if (slashes != 2) return NameKind::Unknown;
    std::size_t first = name.find('/');
    std::uint32_t slot = parse_number(name.substr(first + 1, name.rfind('/') - first - 1)).value_or(0);
    if (unit != 0 || slot == 0) return NameKind::Port;
    return slot == 3 ? NameKind::Lag : NameKind::Logical;
}

struct Reader {
    Collector& out;
    std::unordered_set<std::string> lag_names; // those `addport` names
    enum class Block : std::uint8_t { None, Port, VlanDatabase, Skip };
    Block block = Block::None;
    std::vector<PortDraft*> ports;
    Membership all;
    std::unordered_map<PortDraft*, Membership> membership;
    std::vector<UntaggedLine> untagged_lines;
    std::vector<UntaggedLine> no_untagged_lists;

    Membership& of(PortDraft& port) {
        auto [it, fresh] = membership.emplace(&port, all);
        return it->second;
    }

    // "lag 1" and the names in the text's own form.
    static std::string lag_name(const std::vector<std::string_view>& w, std::size_t at) {
        if (w.size() == at + 2 && iequals(w[at], "lag")) return "lag " + std::string(w[at + 1]);
        return w.size() == at + 1 ? std::string(w[at]) : std::string();
    }

    void interface(const Line& line, const std::vector<std::string_view>& w) {
        block = Block::Skip;
        ports.clear();
        if (w.size() == 3 && iequals(w[1], "lag") && parse_number(w[2])) {
            ports.push_back(&out.lag(lag_name(w, 1)));
            block = Block::Port;
            return;
        }
        if (w.size() >= 2 && (iequals(w[1], "vlan") || iequals(w[1], "loopback") || iequals(w[1], "tunnel")))
            return;
        auto names = w.size() == 2 ? expand_names(w[1]) : std::nullopt;
        if (!names) {
            out.unread(line);
            return;
        }
        for (const std::string& name : *names) {
            NameKind kind = lag_names.contains(name) ? NameKind::Lag : name_kind(name);
            if (kind == NameKind::Port)
                ports.push_back(&out.port(name, PortKind::Rj45));
            else if (kind == NameKind::Lag)
                ports.push_back(&out.lag(name));
            else if (kind == NameKind::Unknown)
                out.unread(line);
        }
        if (!ports.empty()) block = Block::Port;
    }

    // vlan participation include|exclude|auto LIST | vlan tagging LIST | vlan pvid N,
    // from `w[at]` on; false when not understood.
    bool vlan_words(const Line& line, const std::vector<std::string_view>& w, std::size_t at, bool no,
                    Membership& m, PortDraft* port) {
        auto is = [&](std::size_t i, std::string_view word) { return w.size() > i && iequals(w[i], word); };
        if (is(at, "pvid") && w.size() == at + 2) {
            auto id = parse_vlan_id(w[at + 1]);
            if (!id) return false;
            m.pvid = no ? 1 : *id;
        } else if (is(at, "participation") && w.size() >= at + 3) {
            auto ids = parse_dash_list(after_words(line.content, at + 2));
            if (!ids) return false;
            if (is(at + 1, "include")) {
                m.members.add(*ids);
                if (port) untagged_lines.push_back(UntaggedLine{port, line, *ids});
            } else if (is(at + 1, "exclude") || is(at + 1, "auto")) {
                m.members.remove(*ids);
            } else {
                return false;
            }
        } else if (is(at, "tagging") && w.size() >= at + 2) {
            auto ids = parse_dash_list(after_words(line.content, at + 1));
            if (!ids) return false;
            if (no)
                m.tagging.remove(*ids);
            else
                m.tagging.add(*ids);
        } else {
            return false;
        }
        return true;
    }

    bool port_line(const Line& line, const std::vector<std::string_view>& w, PortDraft& port) {
        auto is = [&](std::size_t i, std::string_view word) { return w.size() > i && iequals(w[i], word); };
        bool no = is(0, "no");
        std::size_t at = no ? 1 : 0;
        if (is(0, "description") && w.size() >= 2) {
            port.description = std::string(unquoted(after_words(line.content, 1)));
        } else if (is(at, "shutdown") && w.size() == at + 1) {
            port.shutdown = !no;
        } else if (is(at, "vlan")) {
            return vlan_words(line, w, at + 1, no, of(port), &port);
        } else if (is(0, "switchport") && is(1, "mode") && is(2, "general") && w.size() == 3) {
            port.mode = Mode::Unset; // the memberships above, as without a mode
        } else if (read_switchport(line, w, port, out, SwitchportStyle{false, true}, no_untagged_lists)) {
            // NETGEAR's access and trunk ports, in Cisco IOS words
        } else if (is(0, "addport") && block == Block::Port) {
            std::string name = lag_name(w, 1);
            if (name.empty()) return false;
            out.lag(name);
            out.join_lag(port, name);
        } else {
            return ignored_setting(w[at]);
        }
        return true;
    }

    void top(const Line& line, const std::vector<std::string_view>& w) {
        block = Block::Skip;
        auto is = [&](std::size_t i, std::string_view word) { return w.size() > i && iequals(w[i], word); };
        if (is(0, "hostname") && w.size() >= 2) {
            out.set_host(unquoted(after_words(line.content, 1)));
        } else if (is(0, "interface")) {
            interface(line, w);
        } else if (is(0, "vlan") && is(1, "database") && w.size() == 2) {
            block = Block::VlanDatabase;
        } else if ((is(0, "vlan") || (is(0, "no") && is(1, "vlan"))) && w.size() >= 4) {
            // vlan port pvid|participation|tagging all ...: every port.
            bool no = is(0, "no");
            std::size_t at = no ? 1 : 0;
            if (!is(at + 1, "port") || w.size() < at + 4) return;
            std::vector<std::string_view> rest(w.begin() + static_cast<std::ptrdiff_t>(at + 2), w.end());
            // "participation all include 10": the word `all` before the list.
            auto all_at =
                std::find_if(rest.begin(), rest.end(), [](std::string_view s) { return iequals(s, "all"); });
            if (all_at == rest.end()) {
                out.unread(line);
                return;
            }
            rest.erase(all_at);
            std::string text;
            for (std::string_view word : rest) text += std::string(word) + ' ';
            Line shortened = line;
            shortened.content = text;
            if (!vlan_words(shortened, split_words(text), 0, no, all, nullptr)) out.unread(line);
        }
    }

    void database_line(const Line& line, const std::vector<std::string_view>& w) {
        if (!iequals(w[0], "vlan") || w.size() < 2) return;
        if (w.size() == 2) {
            auto ids = parse_dash_list(w[1]);
            if (!ids) {
                out.unread(line);
                return;
            }
            for (std::uint16_t id : ids->ids()) out.define_vlan(id, "");
            out.trunk_default.add(*ids);
        } else if (iequals(w[1], "name") && w.size() >= 4) {
            auto id = parse_vlan_id(w[2]);
            if (!id) {
                out.unread(line);
                return;
            }
            out.define_vlan(*id, unquoted(after_words(line.content, 3)));
        }
    }

    void read(std::string_view text) {
        // Which names are LAGs, before the blocks of their members say.
        Lines scan(text);
        for (Line line; scan.next(line);) {
            if (!istarts_with(line.content, "addport ")) continue;
            std::string name = lag_name(split_words(line.content), 1);
            if (!name.empty()) lag_names.insert(name);
        }
        Lines lines(text);
        for (Line line; lines.next(line);) {
            std::string_view c = line.content;
            if (c.front() == '!' || iequals(c, "exit")) {
                block = Block::None;
                continue;
            }
            std::vector<std::string_view> w = split_words(c);
            bool opens = iequals(w[0], "interface") || iequals(w[0], "hostname") ||
                         (iequals(w[0], "vlan") && block != Block::VlanDatabase && block != Block::Port);
            if (block == Block::None || block == Block::Skip || opens) {
                top(line, w);
                continue;
            }
            if (block == Block::Port) {
                bool understood = true;
                for (PortDraft* port : ports) understood = port_line(line, w, *port) && understood;
                if (!understood) out.unread(line);
            } else if (block == Block::VlanDatabase) {
                database_line(line, w);
            }
        }
    }

    void settle() {
        out.each_draft([&](PortDraft& port) {
            if (port.mode == Mode::Access || port.mode == Mode::Trunk || port.mode == Mode::Routed) return;
            const Membership& m = of(port);
            port.mode = Mode::Direct;
            port.lists_started = true;
            port.untagged = m.members;
            port.untagged.remove(m.tagging);
            port.tagged = m.members;
            VlanSet untagged_only = port.untagged;
            port.tagged.remove(untagged_only);
            port.pvid = m.pvid;
        });
        settle_untagged_lists(out, untagged_lines);
    }
};

} // namespace

void read_edgeswitch(std::string_view text, Collector& out) {
    out.unset_mode = Mode::Direct;
    out.all_is_defined = true;
    out.trunk_default = VlanSet{};
    out.default_vlan_name = "default";
    out.vlan_name_prefix = "VLAN";
    out.vlan_name_digits = 4;
    out.trunk_default.add(1);
    Reader reader{out};
    reader.all.members.add(1);
    reader.read(text);
    reader.settle();
}

} // namespace quarn::import_detail
