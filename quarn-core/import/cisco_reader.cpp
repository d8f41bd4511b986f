// Cisco IOS and IOS-XE, Arista EOS and Cisco NX-OS: `interface` blocks with
// `switchport` lines, `vlan` blocks with a `name`, `channel-group` for LAG
// members. NX-OS differs in its defaults: ports are shut down and (with
// `no system default switchport`) routed unless the text says otherwise.
// `vlan dot1Q tag native` makes every trunk send its native VLAN tagged;
// Arista's trunk groups keep a VLAN to the trunks of its groups.
#include <algorithm>
#include <array>
#include <unordered_map>

#include "import/config_reader.hpp"

namespace quarn::import_detail {
namespace {

enum class IfKind : std::uint8_t { Port, Lag, Logical, Unknown };

struct IfName {
    IfKind kind = IfKind::Unknown;
    std::string label;
    PortKind port_kind = PortKind::Rj45;
    bool speed_in_name = true; // false: `Ethernet`, whose speed a `speed` line tells
};

struct FamilyRow {
    std::string_view prefix; // lower case, as port_key's families spell them
    IfKind kind;
    PortKind port_kind;
};

constexpr std::array<FamilyRow, 29> k_interface_families = {{
    {"fastethernet", IfKind::Port, PortKind::Rj45},
    {"gigabitethernet", IfKind::Port, PortKind::Rj45},
    {"twogigabitethernet", IfKind::Port, PortKind::Rj45},
    {"fivegigabitethernet", IfKind::Port, PortKind::Rj45},
    {"tengigabitethernet", IfKind::Port, PortKind::Sfp},
    {"twentyfivegige", IfKind::Port, PortKind::Sfp},
    {"twentyfivegigabitethernet", IfKind::Port, PortKind::Sfp},
    {"fortygigabitethernet", IfKind::Port, PortKind::Sfp},
    {"fiftygige", IfKind::Port, PortKind::Sfp},
    {"hundredgige", IfKind::Port, PortKind::Sfp},
    {"hundredgigabitethernet", IfKind::Port, PortKind::Sfp},
    {"fourhundredgige", IfKind::Port, PortKind::Sfp},
    {"ethernet", IfKind::Port, PortKind::Rj45},
    {"port-channel", IfKind::Lag, PortKind::Rj45},
    {"vlan", IfKind::Logical, PortKind::Rj45},
    {"loopback", IfKind::Logical, PortKind::Rj45},
    {"tunnel", IfKind::Logical, PortKind::Rj45},
    {"null", IfKind::Logical, PortKind::Rj45},
    {"mgmt", IfKind::Logical, PortKind::Rj45},
    {"management", IfKind::Logical, PortKind::Rj45},
    {"appgigabitethernet", IfKind::Logical, PortKind::Rj45},
    {"bluetooth", IfKind::Logical, PortKind::Rj45},
    {"bdi", IfKind::Logical, PortKind::Rj45},
    {"bvi", IfKind::Logical, PortKind::Rj45},
    {"nve", IfKind::Logical, PortKind::Rj45},
    {"vxlan", IfKind::Logical, PortKind::Rj45},
    {"dialer", IfKind::Logical, PortKind::Rj45},
    {"virtual-template", IfKind::Logical, PortKind::Rj45},
    {"embedded-service-engine", IfKind::Logical, PortKind::Rj45},
}};

// `arista`: Ethernet49/1 is a lane of a QSFP cage, Ethernet3/1 a port of a
// line card of cages.
IfName classify(std::string_view name, bool nxos, bool arista) {
    IfName out;
    out.label = std::string(name);
    std::size_t n = 0;
    while (n < name.size() && !(name[n] >= '0' && name[n] <= '9')) ++n;
    std::string prefix = lower(name.substr(0, n));
    std::string_view number = name.substr(n);
    if (prefix.empty() || number.empty()) {
        out.kind = IfKind::Unknown;
        return out;
    }
    // Subinterfaces (Gi1/0/1.10) and sessions are logical.
    if (number.find_first_of(".:") != std::string_view::npos) {
        out.kind = IfKind::Logical;
        return out;
    }
    for (const FamilyRow& row : k_interface_families) {
        if (row.prefix != prefix) continue;
        out.kind = row.kind;
        out.port_kind = row.port_kind;
        if (prefix == "ethernet") {
            out.speed_in_name = false;
            // Nexus ports are ten-gigabit and faster but for a few models.
            if (nxos || (arista && number.find('/') != std::string_view::npos)) out.port_kind = PortKind::Sfp;
        }
        // FastEthernet0 and GigabitEthernet0, without a slot, are the
        // management ports of Catalyst switches.
        if ((prefix == "fastethernet" || prefix == "gigabitethernet") &&
            number.find('/') == std::string_view::npos)
            out.kind = IfKind::Logical;
        return out;
    }
    // A short form typed by hand (Gi1/0/1, Te1/1/1, Eth1/1, Po1).
    std::string key = port_key(name);
    static constexpr std::array<std::pair<std::string_view, PortKind>, 9> k_short = {{
        {"fa", PortKind::Rj45},
        {"gi", PortKind::Rj45},
        {"tw", PortKind::Rj45},
        {"fi", PortKind::Rj45},
        {"te", PortKind::Sfp},
        {"twe", PortKind::Sfp},
        {"fo", PortKind::Sfp},
        {"hu", PortKind::Sfp},
        {"eth", PortKind::Rj45},
    }};
    for (const auto& [short_key, kind] : k_short) {
        if (key.size() > short_key.size() && key.compare(0, short_key.size(), short_key) == 0 &&
            key[short_key.size()] >= '0' && key[short_key.size()] <= '9') {
            out.kind = IfKind::Port;
            out.port_kind = kind;
            if (short_key == "eth") {
                out.speed_in_name = false;
                if (nxos || (arista && number.find('/') != std::string_view::npos))
                    out.port_kind = PortKind::Sfp;
            }
            return out;
        }
    }
    if (key.starts_with("po") && key.size() > 2 && key[2] >= '0' && key[2] <= '9') out.kind = IfKind::Lag;
    return out;
}

// Sub-commands that only an interface has, so that they belong to the
// interface above them even when the text lost its indentation.
bool interface_word(std::string_view word) {
    static constexpr std::array<std::string_view, 8> k_words = {
        "description", "switchport", "shutdown", "channel-group", "speed", "duplex", "spanning-tree", "vpc",
    };
    return std::any_of(k_words.begin(), k_words.end(), [&](std::string_view w) { return iequals(w, word); });
}

// Interface settings that do not change what the map shows.
bool ignored_setting(const std::vector<std::string_view>& w) {
    static constexpr std::array<std::string_view, 46> k_ignored = {
        "spanning-tree",
        "storm-control",
        "ip",
        "ipv6",
        "load-interval",
        "cdp",
        "lldp",
        "logging",
        "power",
        "mtu",
        "duplex",
        "service-policy",
        "mls",
        "qos",
        "udld",
        "authentication",
        "dot1x",
        "mab",
        "negotiation",
        "flowcontrol",
        "channel-protocol",
        "lacp",
        "srr-queue",
        "priority-queue",
        "auto",
        "trust",
        "device-tracking",
        "access-session",
        "source",
        "vpc",
        "bandwidth",
        "delay",
        "carrier-delay",
        "keepalive",
        "media-type",
        "ptp",
        "errdisable",
        "snmp",
        "macro",
        "hold-queue",
        "arp",
        "energywise",
        "mdix",
        "link",
        "beacon",
        "rate-limit",
    };
    if (w.empty()) return true;
    std::string_view first = w[0];
    if (iequals(first, "no") || iequals(first, "default")) {
        if (w.size() < 2) return true;
        first = w[1];
    }
    if (iequals(first, "switchport") && w.size() >= 2) {
        std::string_view second = iequals(w[0], "no") ? (w.size() > 2 ? w[2] : "") : w[1];
        static constexpr std::array<std::string_view, 8> k_switchport = {
            "nonegotiate", "port-security", "autostate", "host", "protected", "block", "backup", "priority",
        };
        if (std::any_of(k_switchport.begin(), k_switchport.end(),
                        [&](std::string_view s) { return iequals(s, second); }))
            return true;
        if (iequals(second, "trunk") && w.size() >= 3 && iequals(w.back(), "dot1q"))
            return true; // encapsulation
        if (iequals(second, "trunk") && w.size() >= 3 && iequals(w[2], "pruning")) return true;
        return false;
    }
    return iequals_any(k_ignored, first);
}

// A `speed` of ten gigabits and more makes a port whose name does not say
// its speed an SFP cage: speed 10000, speed 25g, speed forced 40gfull.
std::optional<PortKind> speed_kind(const std::vector<std::string_view>& w) {
    for (std::size_t i = 1; i < w.size(); ++i) {
        std::string word = lower(w[i]);
        if (word == "forced" || word == "auto") continue;
        std::size_t digits = 0;
        while (digits < word.size() && word[digits] >= '0' && word[digits] <= '9') ++digits;
        auto value = parse_number(std::string_view(word).substr(0, digits));
        if (!value) return std::nullopt;
        bool giga = digits < word.size() && word[digits] == 'g';
        std::uint64_t mbits = giga ? std::uint64_t{*value} * 1000 : *value;
        return mbits >= 10000 ? PortKind::Sfp : PortKind::Rj45;
    }
    return std::nullopt;
}

struct Reader {
    Collector& out;
    bool nxos;
    bool arista;

    enum class Block : std::uint8_t { None, Port, Lag, Vlan, Skip };
    Block block = Block::None;
    std::size_t block_indent = 0;
    PortDraft* current = nullptr;
    bool speed_in_name = true;
    std::vector<std::uint16_t> vlan_ids;
    // Arista trunk groups: of the ports, and of the VLANs.
    std::unordered_map<PortDraft*, std::vector<std::string>> trunk_groups;
    std::unordered_map<std::uint16_t, std::vector<std::string>> vlan_groups;
    std::vector<UntaggedLine> no_untagged_lists;

    void top(const Line& line) {
        std::vector<std::string_view> w = split_words(line.content);
        block = Block::Skip;
        block_indent = line.indent;
        current = nullptr;
        if (iequals(w[0], "hostname") || (nxos && iequals(w[0], "switchname"))) {
            if (w.size() >= 2) out.set_host(w[1]);
            return;
        }
        if (iequals(w[0], "interface") && w.size() >= 2) {
            interface(line, w);
            return;
        }
        if (iequals(w[0], "vlan") && w.size() == 2) {
            if (auto ids = parse_dash_list(w[1])) {
                vlan_ids = ids->ids();
                for (std::uint16_t id : vlan_ids) out.define_vlan(id, "");
                block = Block::Vlan;
            }
            return;
        }
    }

    void interface(const Line& line, const std::vector<std::string_view>& w) {
        // "interface GigabitEthernet 1/0/1" as some switches write it.
        std::string name(w[1]);
        if (w.size() == 3 && !w[2].empty() && w[2][0] >= '0' && w[2][0] <= '9')
            name += w[2];
        else if (w.size() > 2) {
            out.unread(line);
            return;
        }
        IfName found = classify(name, nxos, arista);
        switch (found.kind) {
        case IfKind::Port:
            current = &out.port(found.label, found.port_kind);
            speed_in_name = found.speed_in_name;
            block = Block::Port;
            break;
        case IfKind::Lag:
            current = &out.lag(found.label);
            speed_in_name = true;
            block = Block::Lag;
            break;
        case IfKind::Logical:
            break;
        case IfKind::Unknown:
            out.unread(line);
            break;
        }
    }

    void vlan_line(const Line& line) {
        std::vector<std::string_view> w = split_words(line.content);
        if (iequals(w[0], "name") && w.size() >= 2)
            for (std::uint16_t id : vlan_ids) out.define_vlan(id, after_words(line.content, 1));
        if (iequals(w[0], "trunk") && w.size() == 3 && iequals(w[1], "group"))
            for (std::uint16_t id : vlan_ids) vlan_groups[id].push_back(std::string(w[2]));
    }

    // A VLAN of trunk groups runs over the trunks of those groups only, and
    // over them whatever their allowed lists say.
    void settle_trunk_groups() {
        if (vlan_groups.empty()) return;
        out.each_draft([&](PortDraft& port) {
            if (port.mode != Mode::Trunk) return;
            VlanSet& carried = out.allowed(port);
            auto mine = trunk_groups.find(&port);
            for (const auto& [id, groups] : vlan_groups) {
                bool member = mine != trunk_groups.end() &&
                              std::any_of(groups.begin(), groups.end(), [&](const std::string& group) {
                                  return std::find(mine->second.begin(), mine->second.end(), group) !=
                                         mine->second.end();
                              });
                if (member)
                    carried.add(id);
                else
                    carried.remove(id);
            }
        });
    }

    void port_line(const Line& line) {
        std::vector<std::string_view> w = split_words(line.content);
        PortDraft& port = *current;
        auto is = [&](std::size_t i, std::string_view word) { return w.size() > i && iequals(w[i], word); };
        if (read_switchport(line, w, port, out, SwitchportStyle{}, no_untagged_lists)) {
            // as every IOS-like family writes it
        } else if (is(0, "switchport") && is(1, "trunk") && is(2, "group") && w.size() == 4) {
            trunk_groups[&port].push_back(std::string(w[3]));
        } else if (is(0, "channel-group") && w.size() >= 2 && block == Block::Port) {
            if (parse_number(w[1]))
                out.join_lag(port, std::string(nxos ? "port-channel" : "Port-channel") + std::string(w[1]));
            else
                out.unread(line);
        } else if (is(0, "speed")) {
            if (auto kind = speed_kind(w); kind && !speed_in_name) port.kind = *kind;
        } else if ((is(0, "vrf") && is(1, "forwarding") && w.size() == 3 && istarts_with(w[2], "mgmt")) ||
                   (is(0, "ip") && is(1, "vrf") && is(2, "forwarding") && w.size() == 4 &&
                    istarts_with(w[3], "mgmt")) ||
                   (is(0, "vrf") && is(1, "member") && w.size() == 3 && istarts_with(w[2], "management"))) {
            port.management = true;
        } else if (!ignored_setting(w)) {
            out.unread(line);
        }
    }

    void read(std::string_view text) {
        Lines lines(text);
        for (Line line; lines.next(line);) {
            std::string_view c = line.content;
            if (c.front() == '!' || c.front() == '#' || iequals(c, "end")) {
                block = Block::None;
                continue;
            }
            bool inside = block != Block::None && line.indent > block_indent;
            if (!inside && (block == Block::Port || block == Block::Lag)) {
                std::vector<std::string_view> w = split_words(c);
                std::string_view first = iequals(w[0], "no") && w.size() > 1 ? w[1] : w[0];
                inside = interface_word(first);
            }
            if (!inside) {
                top(line);
                continue;
            }
            if (block == Block::Port || block == Block::Lag)
                port_line(line);
            else if (block == Block::Vlan)
                vlan_line(line);
        }
    }
};

} // namespace

void read_cisco(std::string_view text, Collector& out, bool nxos) {
    // NX-OS states the defaults it departs from at the top.
    bool routed_by_default = false;
    bool shut_by_default = nxos;
    bool arista = false;
    Lines lines(text);
    for (Line line; lines.next(line);) {
        std::string_view c = line.content;
        if (line.indent != 0) continue;
        if (nxos && iequals(c, "no system default switchport")) routed_by_default = true;
        if (nxos && iequals(c, "no system default switchport shutdown")) shut_by_default = false;
        if (istarts_with(c, "vlan dot1q tag native")) out.native_tagged_by_default = true;
        // Arista's own lines, and its ports of fixed switches: Ethernet1.
        if (c.starts_with("! device: ") || c == "daemon TerminAttr" || c == "management api http-commands" ||
            (c.starts_with("interface Ethernet") &&
             c.find_first_not_of("0123456789", 18) == std::string_view::npos && c.size() > 18))
            arista = true;
    }
    out.disabled_by_default = shut_by_default;
    out.default_vlan_name = "default";
    out.vlan_name_prefix = "VLAN";
    out.vlan_name_digits = 4;
    // Under `no system default switchport` a port switches only when the
    // text says `switchport`.
    out.unset_mode = routed_by_default ? Mode::Routed : Mode::Access;
    Reader reader{out, nxos, arista};
    reader.read(text);
    reader.settle_trunk_groups();
}

} // namespace quarn::import_detail
