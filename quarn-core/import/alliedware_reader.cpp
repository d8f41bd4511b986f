// Allied Telesis AlliedWare Plus: Cisco IOS words over ports named
// port1.0.1 (stack member, module, port), which the running configuration
// groups into ranges and lists: `interface port1.0.1-1.0.20,port1.0.24`.
// VLANs are made and named in `vlan database` (`vlan 10 name Data`,
// `vlan 20-30 state enable`). A port is an access port in VLAN 1 until
// said otherwise; a trunk always sends its native VLAN (1 unless set;
// `switchport trunk native vlan none` for none) untagged and the VLANs its
// allowed list adds tagged, none at first (`all`: the VLANs made). `static-channel-group 1` makes a
// port a member of sa1, `channel-group 2 mode active` of po2.
#include <algorithm>
#include <array>

#include "import/config_reader.hpp"

namespace quarn::import_detail {
namespace {

bool ignored_setting(std::string_view first) {
    static constexpr std::array<std::string_view, 32> k_ignored = {
        "spanning-tree",
        "lldp",
        "mtu",
        "speed",
        "duplex",
        "storm-control",
        "thrash-limiting",
        "power-inline",
        "ip",
        "ipv6",
        "loop-protection",
        "service-policy",
        "qos",
        "mls",
        "egress-rate-limit",
        "polarity",
        "flowcontrol",
        "switchport",
        "ecofriendly",
        "lacp",
        "platform",
        "auth",
        "mac",
        "snmp",
        "ptp",
        "link-flap",
        "dot1x",
        "auth-web",
        "epsr",
        "loopprot",
        "transceiver",
        "atmf",
    };
    return iequals_any(k_ignored, first);
}

// port1.0.1, and the module numbers after it: port1.0.49 on copper
// models is still copper, so only the module says a cage for sure.
bool port_name(std::string_view name, PortKind& kind) {
    if (!istarts_with(name, "port") || name.size() < 5 || !digit(name[4])) return false;
    std::string_view numbers = name.substr(4);
    if (std::count(numbers.begin(), numbers.end(), '.') != 2 ||
        !std::all_of(numbers.begin(), numbers.end(), [](char c) { return digit(c) || c == '.'; }))
        return false;
    std::size_t first_dot = numbers.find('.');
    std::string_view module = numbers.substr(first_dot + 1, numbers.find('.', first_dot + 1) - first_dot - 1);
    kind = module == "0" ? PortKind::Rj45 : PortKind::Sfp;
    return true;
}

struct Reader {
    Collector& out;
    bool indented_text;
    enum class Block : std::uint8_t { None, Port, Lag, VlanDatabase, Skip };
    Block block = Block::None;
    std::size_t block_indent = 0;
    std::vector<PortDraft*> ports;
    std::vector<UntaggedLine> no_untagged_lists;

    void interface(const Line& line, const std::vector<std::string_view>& w) {
        block = Block::Skip;
        ports.clear();
        if (w.size() != 2) {
            out.unread(line);
            return;
        }
        auto names = expand_names(w[1]);
        if (!names) {
            out.unread(line);
            return;
        }
        for (const std::string& name : *names) {
            PortKind kind = PortKind::Rj45;
            if (port_name(name, kind)) {
                ports.push_back(&out.port(name, kind));
                block = Block::Port;
            } else if ((istarts_with(name, "sa") || istarts_with(name, "po")) && name.size() > 2 &&
                       parse_number(std::string_view(name).substr(2))) {
                ports.push_back(&out.lag(lower(name)));
                block = Block::Lag;
            } else if (istarts_with(name, "vlan") || istarts_with(name, "lo") || istarts_with(name, "eth") ||
                       istarts_with(name, "tunnel") || istarts_with(name, "of")) {
                continue; // not ports
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
        if (read_switchport(line, w, port, out, SwitchportStyle{}, no_untagged_lists)) return true;
        if (is(0, "static-channel-group") && w.size() >= 2 && block == Block::Port) {
            if (!parse_number(w[1])) return false;
            out.join_lag(port, "sa" + std::string(w[1]));
            return true;
        }
        if (is(0, "channel-group") && w.size() >= 2 && block == Block::Port) {
            if (!parse_number(w[1])) return false;
            out.join_lag(port, "po" + std::string(w[1]));
            return true;
        }
        std::string_view first = is(0, "no") && w.size() > 1 ? w[1] : w[0];
        return ignored_setting(first);
    }

    // vlan 10 name Data | vlan 20-30 state enable | vlan 40
    void vlan_line(const Line& line, const std::vector<std::string_view>& w) {
        if (!iequals(w[0], "vlan") || w.size() < 2) return;
        auto ids = parse_dash_list(w[1]);
        if (!ids) {
            out.unread(line);
            return;
        }
        bool named = w.size() >= 4 && iequals(w[2], "name");
        std::string_view name = named ? unquoted(after_words(line.content, 3)) : std::string_view{};
        for (std::uint16_t id : ids->ids()) out.define_vlan(id, name);
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
                         (iequals(w[0], "vlan") && w.size() == 2 && iequals(w[1], "database"));
            bool inside =
                block != Block::None && !opens && continues_block(line, block_indent, indented_text);
            if (!inside) {
                block = Block::Skip;
                block_indent = line.indent;
                if (iequals(w[0], "hostname") && w.size() >= 2) out.set_host(w[1]);
                if (iequals(w[0], "interface")) interface(line, w);
                if (opens && iequals(w[0], "vlan")) block = Block::VlanDatabase;
                continue;
            }
            if (block == Block::Port || block == Block::Lag) {
                bool understood = true;
                for (PortDraft* port : ports) understood = port_line(line, w, *port) && understood;
                if (!understood) out.unread(line);
            } else if (block == Block::VlanDatabase) {
                vlan_line(line, w);
            }
        }
    }

    // A trunk sends its native VLAN untagged whatever its allowed list says.
    void settle() {
        out.each_draft([&](PortDraft& port) {
            if (port.mode != Mode::Trunk) return;
            std::uint16_t native = port.native.value_or(1);
            if (native != 0) out.allowed(port).add(native);
        });
    }
};

} // namespace

void read_alliedware(std::string_view text, Collector& out) {
    out.unset_mode = Mode::Access;
    out.trunk_default = VlanSet{};
    out.default_vlan_name = "default";
    out.all_is_defined = true;
    out.vlan_name_prefix = "VLAN";
    out.vlan_name_digits = 4;
    Reader reader{out, indented(text)};
    reader.read(text);
    reader.settle();
}

} // namespace quarn::import_detail
