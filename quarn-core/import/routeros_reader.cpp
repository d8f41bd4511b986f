// MikroTik RouterOS, as `/export` writes it: a menu path (`/interface
// bridge port`) and below it commands (`add bridge=bridge1 interface=ether2
// pvid=10`), or both on one line; a `\` at the end of a line goes on in the
// next. A bridge with `vlan-filtering=yes` switches VLANs: each bridge port
// sends its `pvid` untagged (unless its frame types admit tagged frames
// only) and the bridge VLAN table (`/interface bridge vlan add
// tagged=ether1 vlan-ids=10,20-30`) says which VLANs it sends tagged. A
// bridge without VLAN filtering does not look at tags: its ports are in one
// untagged VLAN. `/interface bonding` makes LAGs, `/interface ethernet set [
// find default-name=ether1 ] name=uplink` renames a port, which the map keeps
// under its default name. A port in no bridge is routed or unused; the
// bridge itself, VLAN interfaces and wireless interfaces are not ports.
#include <algorithm>
#include <array>
#include <deque>
#include <map>
#include <unordered_map>

#include "import/config_reader.hpp"

namespace quarn::import_detail {
namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// One command, its continuation lines joined.
struct Command {
    Line line;             // where it starts, for messages
    std::string_view text; // the line, or the lines joined
};

// A word of a command: `key=value`, a bare value, or the `[ find ... ]`
// that picks the entry a `set` changes (key "["). Both are views into the
// command, or into `Unquoted` where quotes had to go.
struct Arg {
    std::string_view key;
    std::string_view value;
};

// Values that lost their quotes, kept while their command is read.
using Unquoted = std::deque<std::string>;

// A value as written: "a \"b\"" loses its quotes and escapes.
std::string_view unquote(std::string_view text, Unquoted& unquoted) {
    if (text.find('"') == std::string_view::npos) return text;
    std::string& value = unquoted.emplace_back();
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') {
            quoted = !quoted;
            continue;
        }
        if (quoted && text[i] == '\\' && i + 1 < text.size()) ++i;
        value += text[i];
    }
    return value;
}

std::vector<Arg> parse_args(std::string_view text, Unquoted& unquoted) {
    std::vector<Arg> args;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
        if (i >= text.size()) break;
        if (text[i] == '[') {
            std::size_t end = text.find(']', i);
            if (end == std::string_view::npos) end = text.size();
            args.push_back(Arg{"[", text.substr(i + 1, end - i - 1)});
            i = end + 1;
            continue;
        }
        // A word ends at a blank outside quotes.
        std::size_t start = i;
        bool quoted = false;
        for (; i < text.size(); ++i) {
            char c = text[i];
            if (!quoted && (c == ' ' || c == '\t')) break;
            if (c == '"')
                quoted = !quoted;
            else if (quoted && c == '\\')
                ++i;
        }
        std::string_view word = text.substr(start, std::min(i, text.size()) - start);
        std::size_t equals = word.find('=');
        Arg arg;
        if (equals != std::string_view::npos && equals < word.find('"')) {
            arg.key = word.substr(0, equals);
            word.remove_prefix(equals + 1);
        }
        arg.value = unquote(word, unquoted);
        args.push_back(arg);
    }
    return args;
}

const std::string_view* find_arg(const std::vector<Arg>& args, std::string_view key) {
    for (const Arg& arg : args)
        if (arg.key == key) return &arg.value;
    return nullptr;
}

// The comma-separated names of a list such as `tagged=bridge1,ether1`.
std::vector<std::string> split_list(std::string_view text) {
    std::vector<std::string> names;
    for (std::string_view rest = text; !rest.empty();) {
        std::size_t comma = rest.find(',');
        std::string_view name = rest.substr(0, comma);
        if (!name.empty()) names.emplace_back(name);
        rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
    }
    return names;
}

// The names RouterOS gives its Ethernet ports by default: ether1, sfp1,
// sfp-sfpplus1, sfp28-1, qsfpplus1-1, qsfp28-1-1, combo1.
std::optional<PortKind> physical_kind(std::string_view name) {
    if (name.empty() || !is_digit(name.back())) return std::nullopt;
    for (char c : name)
        if (!is_digit(c) && !(c >= 'a' && c <= 'z') && c != '-') return std::nullopt;
    if (name.starts_with("ether") && is_digit(name[5 < name.size() ? 5 : 0])) return PortKind::Rj45;
    if (name.starts_with("combo")) return PortKind::Rj45;
    if (name.starts_with("sfp") || name.starts_with("qsfp")) return PortKind::Sfp;
    return std::nullopt;
}

bool yes(const std::string_view* value) {
    return value && (*value == "yes" || *value == "true");
}

struct BridgePort {
    Line line;
    std::string bridge;
    std::string interface;
    std::optional<std::uint16_t> pvid;
    bool tagged_only = false;
};

struct BridgeVlan {
    Line line;
    std::string bridge;
    VlanSet ids;
    std::vector<std::string> tagged;
    std::vector<std::string> untagged;
};

struct EthernetSet {
    std::string name;
    std::string comment;
    std::optional<bool> disabled;
};

// The menus whose commands say something for the map.
enum class Menu : std::uint8_t {
    Other,
    Identity,
    Ethernet,
    Bridge,
    Bonding,
    Vlan,
    BridgePort,
    BridgeVlan,
    Address
};

struct MenuRow {
    std::string_view path;
    Menu menu;
};

constexpr std::array<MenuRow, 8> k_menus = {{
    {"system identity", Menu::Identity},
    {"interface ethernet", Menu::Ethernet},
    {"interface bridge", Menu::Bridge},
    {"interface bonding", Menu::Bonding},
    {"interface vlan", Menu::Vlan},
    {"interface bridge port", Menu::BridgePort},
    {"interface bridge vlan", Menu::BridgeVlan},
    {"ip address", Menu::Address},
}};

struct Reader {
    Collector& out;
    Menu menu = Menu::Other;             // of the commands that follow
    std::map<std::string, bool> bridges; // name → VLAN filtering
    std::vector<std::pair<std::string, std::vector<std::string>>> bonds;
    std::vector<std::pair<std::string, EthernetSet>> ethernet;  // by default name, in text order
    std::unordered_map<std::string, std::string> default_names; // name → default name
    std::vector<BridgePort> bridge_ports;
    std::vector<BridgeVlan> bridge_vlans;
    std::map<std::uint16_t, std::string> vlan_names;
    std::vector<std::string> routed; // interfaces named outside the bridges

    EthernetSet& ethernet_entry(const std::string& default_name) {
        auto [it, fresh] = ethernet_index.try_emplace(default_name, ethernet.size());
        if (fresh) ethernet.emplace_back(default_name, EthernetSet{});
        return ethernet[it->second].second;
    }
    std::unordered_map<std::string, std::size_t> ethernet_index;

    // The entry a `set` changes: `set ether1`, `set [ find default-name=ether1 ]`,
    // `set [ find name=bridge1 ]`.
    static std::string target(const std::vector<Arg>& args, std::string_view key) {
        for (const Arg& arg : args) {
            if (arg.key.empty()) return std::string(arg.value);
            if (arg.key != "[") continue;
            Unquoted unquoted;
            std::vector<Arg> inner = parse_args(arg.value, unquoted);
            if (const std::string_view* value = find_arg(inner, key)) return std::string(*value);
            if (const std::string_view* value = find_arg(inner, "name")) return std::string(*value);
        }
        return {};
    }

    void command(const Command& c, std::string_view verb, const std::vector<Arg>& args) {
        bool add = verb == "add";
        bool set = verb == "set";
        if (!add && !set) return;
        const std::string_view* disabled = find_arg(args, "disabled");
        if (menu == Menu::Identity && set) {
            if (const std::string_view* name = find_arg(args, "name")) out.set_host(*name);
        } else if (menu == Menu::Ethernet && set) {
            std::string port = target(args, "default-name");
            if (!physical_kind(port)) return;
            EthernetSet& entry = ethernet_entry(port);
            if (const std::string_view* name = find_arg(args, "name")) {
                entry.name = *name;
                default_names[std::string(*name)] = port;
            }
            if (const std::string_view* comment = find_arg(args, "comment")) entry.comment = *comment;
            if (disabled) entry.disabled = yes(disabled);
        } else if (menu == Menu::Bridge) {
            std::string name = add ? std::string(find_arg(args, "name") ? *find_arg(args, "name") : "")
                                   : target(args, "name");
            if (name.empty()) return;
            bool& filtering = bridges[name];
            if (const std::string_view* value = find_arg(args, "vlan-filtering")) filtering = yes(value);
        } else if (menu == Menu::Bonding && add && !yes(disabled)) {
            const std::string_view* name = find_arg(args, "name");
            const std::string_view* slaves = find_arg(args, "slaves");
            if (!name || !slaves) {
                out.unread(c.line);
                return;
            }
            bonds.emplace_back(*name, split_list(*slaves));
        } else if (menu == Menu::Vlan && add) {
            const std::string_view* name = find_arg(args, "name");
            const std::string_view* id = find_arg(args, "vlan-id");
            auto vlan = id ? parse_vlan_id(*id) : std::nullopt;
            if (name && vlan) vlan_names.try_emplace(*vlan, *name);
        } else if (menu == Menu::BridgePort && add && !yes(disabled)) {
            bridge_port(c, args);
        } else if (menu == Menu::BridgeVlan && add && !yes(disabled)) {
            bridge_vlan(c, args);
        } else if ((menu == Menu::Address || menu == Menu::Other) && add && !yes(disabled)) {
            if (const std::string_view* interface = find_arg(args, "interface"))
                routed.emplace_back(*interface);
        }
    }

    void bridge_port(const Command& c, const std::vector<Arg>& args) {
        const std::string_view* bridge = find_arg(args, "bridge");
        const std::string_view* interface = find_arg(args, "interface");
        if (!bridge || !interface) {
            out.unread(c.line);
            return;
        }
        BridgePort entry{c.line, std::string(*bridge), std::string(*interface), std::nullopt, false};
        if (const std::string_view* pvid = find_arg(args, "pvid")) {
            entry.pvid = parse_vlan_id(*pvid);
            if (!entry.pvid) {
                out.unread(c.line);
                return;
            }
        }
        if (const std::string_view* frames = find_arg(args, "frame-types"))
            entry.tagged_only = *frames == "admit-only-vlan-tagged";
        bridge_ports.push_back(std::move(entry));
    }

    void bridge_vlan(const Command& c, const std::vector<Arg>& args) {
        const std::string_view* bridge = find_arg(args, "bridge");
        const std::string_view* ids = find_arg(args, "vlan-ids");
        auto set = ids ? parse_dash_list(*ids) : std::nullopt;
        if (!bridge || !set) {
            out.unread(c.line);
            return;
        }
        BridgeVlan entry{c.line, std::string(*bridge), *set, {}, {}};
        if (const std::string_view* tagged = find_arg(args, "tagged")) entry.tagged = split_list(*tagged);
        if (const std::string_view* untagged = find_arg(args, "untagged"))
            entry.untagged = split_list(*untagged);
        bridge_vlans.push_back(std::move(entry));
    }

    // "/interface bridge port add bridge=bridge1 interface=ether2" or a
    // path alone, or a command under the last path.
    void statement(const Command& c) {
        std::string_view text = c.text;
        if (text.front() == '/') {
            std::vector<std::string_view> words = split_words(text.substr(1));
            std::size_t i = 0;
            static constexpr std::array<std::string_view, 8> k_verbs = {
                "add", "set", "remove", "print", "export", "unset", "enable", "disable"};
            std::string path;
            for (; i < words.size(); ++i) {
                if (std::find(k_verbs.begin(), k_verbs.end(), words[i]) != k_verbs.end()) break;
                if (!path.empty()) path += ' ';
                path += words[i];
            }
            menu = Menu::Other;
            for (const MenuRow& row : k_menus)
                if (row.path == path) menu = row.menu;
            if (i == words.size()) return;
            text = after_words(text.substr(1), i);
        }
        // Firewall, routing, services: nothing for the map but the ports they
        // name (a WAN port in an interface list or a DHCP client).
        if (menu == Menu::Other && text.find("interface=") == std::string_view::npos) return;
        std::size_t verb_end = text.find(' ');
        std::string_view verb = text.substr(0, verb_end);
        if (verb.empty()) return;
        Unquoted unquoted;
        command(c, verb,
                parse_args(verb_end == std::string_view::npos ? "" : text.substr(verb_end + 1), unquoted));
    }

    void read(std::string_view text) {
        Lines lines(text);
        Line first;
        std::string joined;
        bool continuing = false;
        for (Line line; lines.next(line);) {
            std::string_view c = line.content;
            bool continued = c.back() == '\\';
            if (continued) c.remove_suffix(1);
            if (!continuing) {
                if (c.empty() || c.front() == '#' || c.front() == ':') continue;
                first = line;
                if (!continued) {
                    statement(Command{line, c});
                    continue;
                }
                joined.clear();
            }
            joined += c;
            continuing = continued;
            if (!continuing) statement(Command{first, joined});
        }
        if (continuing && !joined.empty()) statement(Command{first, joined});
    }

    // The physical port or bonding an interface name stands for.
    std::string port_name(const std::string& name) const {
        auto renamed = default_names.find(name);
        return renamed != default_names.end() ? renamed->second : name;
    }

    bool is_bond(const std::string& name) const {
        return std::any_of(bonds.begin(), bonds.end(), [&](const auto& bond) { return bond.first == name; });
    }

    // The draft of a bridged interface: a port, or a bonding's LAG; nothing
    // for the bridge, VLAN and wireless interfaces.
    PortDraft* draft(const std::string& name) {
        auto [known, fresh] = drafts.try_emplace(name, nullptr);
        if (!fresh) return known->second;
        if (is_bond(name)) {
            known->second = &out.lag(name);
        } else {
            std::string port = port_name(name);
            if (auto kind = physical_kind(port)) known->second = &out.port(port, *kind);
        }
        return known->second;
    }
    // What each name stands for once looked up: the VLAN table names every
    // port many times.
    std::unordered_map<std::string, PortDraft*> drafts;

    void finish() {
        for (const auto& [name, entry] : ethernet) {
            PortDraft& port = out.port(name, *physical_kind(name));
            port.description = !entry.comment.empty() ? entry.comment : entry.name;
            port.shutdown = entry.disabled;
        }
        for (const auto& [name, slaves] : bonds) {
            out.lag(name).mode = Mode::Routed; // until a bridge takes it
            for (const std::string& slave : slaves) {
                std::string port = port_name(slave);
                if (auto kind = physical_kind(port)) out.join_lag(out.port(port, *kind), name);
            }
        }
        std::unordered_map<PortDraft*, std::string> bridged; // draft → its bridge
        VlanSet used;
        for (const BridgePort& entry : bridge_ports) {
            PortDraft* port = draft(entry.interface);
            if (!port) continue;
            bridged[port] = entry.bridge;
            port->mode = Mode::Direct;
            port->tagged.clear();
            port->pvid.reset();
            bool filtering = bridges[entry.bridge];
            if (!filtering || !entry.tagged_only) port->pvid = filtering ? entry.pvid.value_or(1) : 1;
            if (port->pvid) used.add(*port->pvid);
        }
        for (const BridgeVlan& entry : bridge_vlans) {
            if (!bridges[entry.bridge]) continue; // the table waits for VLAN filtering
            used.add(entry.ids);
            bool lost = false;
            for (const std::string& name : entry.tagged) {
                PortDraft* port = draft(name);
                if (port && bridged.contains(port) && bridged[port] == entry.bridge)
                    port->tagged.add(entry.ids);
            }
            for (const std::string& name : entry.untagged) {
                PortDraft* port = draft(name);
                if (!port || !bridged.contains(port)) continue;
                // A port sends its PVID untagged; the map has no place for
                // other VLANs it sends untagged.
                VlanSet others = entry.ids;
                if (port->pvid) others.remove(*port->pvid);
                if (!others.empty()) lost = true;
            }
            if (lost) out.unread(entry.line);
        }
        for (const std::string& name : routed) {
            PortDraft* port = draft(name);
            if (port && !bridged.contains(port)) port->mode = Mode::Routed;
        }
        for (std::uint16_t id : used.ids()) {
            auto named = vlan_names.find(id);
            out.define_vlan(id, named == vlan_names.end() ? "" : named->second);
        }
    }
};

} // namespace

void read_routeros(std::string_view text, Collector& out) {
    // A port in no bridge switches nothing.
    out.unset_mode = Mode::Routed;
    out.default_vlan_name = "default";
    out.vlan_name_prefix = "VLAN";
    out.vlan_name_digits = 0;
    out.sort_ports = true;
    Reader reader{out};
    reader.read(text);
    reader.finish();
}

} // namespace quarn::import_detail
