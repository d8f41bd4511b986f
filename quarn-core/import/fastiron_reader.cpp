// Ruckus ICX and Brocade FastIron. VLAN-centric: `vlan 10 name Data by
// port` blocks list their ports, `untagged ethe 1/1/1 to 1/1/4 ethe 1/2/1`
// and `tagged ethe 1/2/1 lag 1 to 2`. A port untagged nowhere and tagged
// nowhere stays in the default VLAN (1, or `default-vlan-id`); a port tagged
// somewhere and untagged nowhere sends nothing untagged unless `dual-mode`
// (the default VLAN) or `dual-mode 10` says so. `lag NAME dynamic id 1` with
// `ports ethe 1/2/1 to 1/2/2` makes a LAG, which the VLANs name as `lag 1`
// or, on older firmware, by its ports; older still, `trunk ethe 1/2/1 to
// 1/2/2`. Newer firmware also puts VLANs into the interface (`vlan-config
// add untagged-vlan 10`, `vlan-config add tagged-vlan 20 to 30`). The
// `stack unit` and `module` lines say which ports there are, so that the
// ports the text never names, which are in the default VLAN, are there too.
#include <algorithm>
#include <array>
#include <map>
#include <span>
#include <unordered_map>

#include "import/config_reader.hpp"

namespace quarn::import_detail {
namespace {

// A range names at most this many ports; longer ones are typing mistakes.
constexpr std::uint32_t k_max_range = 1024;

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

bool is_letter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// "1/1/1", "1/1" or "1": numbers joined by slashes.
bool port_name(std::string_view text) {
    if (text.empty() || std::count(text.begin(), text.end(), '/') > 2) return false;
    std::size_t part = 0;
    for (char c : text) {
        if (c == '/') {
            if (part == 0) return false;
            part = 0;
        } else if (is_digit(c)) {
            ++part;
        } else {
            return false;
        }
    }
    return part > 0 && part <= 4;
}

bool ethernet_word(std::string_view word) {
    return iequals(word, "ethe") || iequals(word, "ethernet") || iequals(word, "e") || iequals(word, "eth");
}

// The ports and LAG numbers of "ethe 1/1/1 to 1/1/4 ethe 1/2/1 lag 1 to 2".
struct PortList {
    std::vector<std::string> ports;
    std::vector<std::uint32_t> lags;
};

std::optional<PortList> parse_port_list(std::span<const std::string_view> w) {
    PortList list;
    for (std::size_t i = 0; i < w.size();) {
        bool lag = iequals(w[i], "lag");
        if (!lag && !ethernet_word(w[i])) return std::nullopt;
        if (++i >= w.size()) return std::nullopt;
        std::string_view from = w[i++];
        std::string_view to = from;
        if (i < w.size() && iequals(w[i], "to")) {
            ++i;
            if (i < w.size() && !lag && ethernet_word(w[i])) ++i; // "ethernet 1/1/4 to ethernet 1/1/7"
            if (i >= w.size()) return std::nullopt;
            to = w[i++];
        }
        if (lag) {
            auto first = parse_number(from);
            auto last = parse_number(to);
            if (!first || !last || *last < *first || *last - *first >= k_max_range) return std::nullopt;
            for (std::uint32_t n = *first; n <= *last; ++n) list.lags.push_back(n);
            continue;
        }
        if (!port_name(from) || !port_name(to)) return std::nullopt;
        std::size_t slash = from.rfind('/');
        std::string_view base = slash == std::string_view::npos ? "" : from.substr(0, slash + 1);
        if (!to.starts_with(base) || to.find('/', base.size()) != std::string_view::npos) return std::nullopt;
        auto first = parse_number(from.substr(base.size()));
        auto last = parse_number(to.substr(base.size()));
        if (!first || !last || *last < *first || *last - *first >= k_max_range) return std::nullopt;
        for (std::uint32_t n = *first; n <= *last; ++n)
            list.ports.push_back(std::string(base) + std::to_string(n));
    }
    if (list.ports.empty() && list.lags.empty()) return std::nullopt;
    return list;
}

// How many ports a module has and of which kind, from its name:
// icx7150-48p-poe-port-management-module, icx7150-2-copper-port-2g-module,
// icx7150-4-sfp-plus-port-40g-module, icx6450-sfp-plus-4port-40g-module,
// icx7400-4x10gf-module, fcx-648-poe-port-management-module.
struct ModulePorts {
    std::uint32_t count = 0;
    PortKind kind = PortKind::Rj45;
};

std::optional<ModulePorts> module_ports(std::string_view name) {
    std::string low = lower(name);
    std::vector<std::string_view> parts;
    for (std::string_view rest = low; !rest.empty();) {
        std::size_t dash = rest.find('-');
        parts.push_back(rest.substr(0, dash));
        rest = dash == std::string_view::npos ? std::string_view{} : rest.substr(dash + 1);
    }
    ModulePorts found;
    bool fibre = low.find("sfp") != std::string::npos;
    for (std::size_t p = 1; p < parts.size(); ++p) {
        std::string_view part = parts[p];
        std::size_t i = 0;
        if (part.size() > 1 && is_letter(part[0]) && is_digit(part[1])) i = 1; // c12
        std::size_t digits = i;
        while (digits < part.size() && is_digit(part[digits])) ++digits;
        if (digits == i) continue;
        auto number = parse_number(part.substr(i, digits - i));
        std::string_view suffix = part.substr(digits);
        if (!suffix.empty() && suffix.front() == 'g') {
            // A speed: ten gigabits and more are cages.
            if (number && *number >= 10) fibre = true;
            continue;
        }
        if (found.count != 0 || !number) continue;
        bool letters = std::all_of(suffix.begin(), suffix.end(), is_letter);
        if (!letters && suffix.front() != 'x') continue;
        std::uint32_t count = *number >= 100 ? *number % 100 : *number; // FCX648: 48
        if (count == 0 || count > 64) continue;
        found.count = count;
        if (suffix == "f" || suffix == "fs" || suffix.find('q') != std::string_view::npos ||
            (suffix.front() == 'x' && suffix.back() == 'f'))
            fibre = true;
    }
    if (found.count == 0) return std::nullopt;
    found.kind = fibre ? PortKind::Sfp : PortKind::Rj45;
    return found;
}

// What the VLANs say of a LAG by its number.
struct LagVlans {
    std::optional<std::uint16_t> untagged;
    VlanSet tagged;
    bool named = false; // the VLANs name the LAG as `lag N`
};

struct LagInfo {
    std::string name;
    std::vector<std::string> members;
    std::string primary;
};

struct Reader {
    Collector& out;
    enum class Block : std::uint8_t { None, Stack, Vlan, Interface, Lag, Skip };
    Block block = Block::None;
    std::uint16_t vlan = 0;
    std::string unit;                       // "1/" under `stack unit 1`
    std::vector<std::string> block_ports;   // of an interface block
    std::optional<std::uint32_t> block_lag; // `interface lag N`, or the LAG of a `lag` block
    std::uint16_t default_vlan = 1;
    VlanSet defined;
    std::unordered_map<std::string, PortKind> module_kinds; // "1/2/" → kind
    std::unordered_map<std::string, std::optional<std::uint16_t>>
        dual_mode;                       // by port key; nothing: the default VLAN
    std::vector<std::string> all_tagged; // port keys
    std::map<std::uint32_t, LagVlans> lag_vlans;
    std::map<std::uint32_t, LagInfo> lags;
    std::uint32_t next_trunk = 1;

    // The drafts by label: the VLAN blocks name every port many times.
    std::unordered_map<std::string, PortDraft*> drafts;

    PortDraft& port(const std::string& label) {
        if (auto known = drafts.find(label); known != drafts.end()) return *known->second;
        std::size_t slash = label.rfind('/');
        PortKind kind = PortKind::Rj45;
        if (slash != std::string::npos) {
            auto it = module_kinds.find(label.substr(0, slash + 1));
            if (it != module_kinds.end()) kind = it->second;
        }
        PortDraft& draft = out.port(label, kind);
        if (draft.mode == Mode::Unset) draft.mode = Mode::Direct;
        // Past the limit of ports every new one is the same scratch draft.
        if (draft.label == label) drafts.emplace(label, &draft);
        return draft;
    }

    LagInfo& lag_info(std::uint32_t id) {
        auto [it, fresh] = lags.try_emplace(id);
        if (fresh) it->second.name = "lag" + std::to_string(id);
        return it->second;
    }

    void module_line(const Line& line, const std::vector<std::string_view>& w) {
        // module 1 icx7150-48p-poe-port-management-module
        auto number = parse_number(w[1]);
        auto ports = module_ports(w[2]);
        if (!number || !ports) {
            out.unread(line);
            return;
        }
        std::string base = unit + std::to_string(*number) + "/";
        module_kinds[base] = ports->kind;
        for (std::uint32_t p = 1; p <= ports->count; ++p) port(base + std::to_string(p));
    }

    void vlan_header(const Line& line, const std::vector<std::string_view>& w) {
        // vlan 10 [name Data] [by port]
        auto id = parse_vlan_id(w[1]);
        block = Block::Skip;
        if (!id) {
            out.unread(line);
            return;
        }
        std::string name;
        for (std::size_t i = 2; i < w.size(); ++i) {
            if (iequals(w[i], "by")) break;
            if (iequals(w[i], "name") && i == 2) continue;
            if (!name.empty()) name += ' ';
            name += w[i];
        }
        vlan = *id;
        defined.add(vlan);
        out.define_vlan(vlan, name);
        block = Block::Vlan;
    }

    void vlan_line(const Line& line, const std::vector<std::string_view>& w) {
        bool no = iequals(w[0], "no");
        std::size_t at = no ? 1 : 0;
        if (w.size() <= at + 1) return;
        bool untagged = iequals(w[at], "untagged");
        if (!untagged && !iequals(w[at], "tagged"))
            return; // router-interface, spanning-tree: nothing for the map
        auto list = parse_port_list(std::span(w).subspan(at + 1));
        if (!list) {
            out.unread(line);
            return;
        }
        for (const std::string& name : list->ports) member(port(name), untagged, no);
        for (std::uint32_t id : list->lags) {
            LagVlans& lag = lag_vlans[id];
            lag.named = true;
            lag_info(id);
            if (untagged)
                lag.untagged = no ? std::nullopt : std::optional(vlan);
            else if (no)
                lag.tagged.remove(vlan);
            else
                lag.tagged.add(vlan);
        }
    }

    void member(PortDraft& draft, bool untagged, bool no) {
        if (untagged) {
            if (!no)
                draft.pvid = vlan;
            else if (draft.pvid == vlan)
                draft.pvid.reset();
        } else if (no) {
            draft.tagged.remove(vlan);
        } else {
            draft.tagged.add(vlan);
        }
    }

    void interface_header(const Line& line, const std::vector<std::string_view>& w) {
        block = Block::Skip;
        block_ports.clear();
        block_lag.reset();
        if (iequals(w[1], "lag") && w.size() == 3) {
            if (auto id = parse_number(w[2])) {
                block_lag = *id;
                lag_info(*id);
                block = Block::Interface;
            } else {
                out.unread(line);
            }
            return;
        }
        if (!ethernet_word(w[1])) return; // ve, loopback, management, tunnel: not ports
        auto list = parse_port_list(std::span(w).subspan(1));
        if (!list || !list->lags.empty()) {
            out.unread(line);
            return;
        }
        block_ports = std::move(list->ports);
        for (const std::string& name : block_ports) port(name);
        block = Block::Interface;
    }

    // `vlan-config add untagged-vlan 10`, `vlan-config add tagged-vlan 20 to
    // 30`, `vlan-config add all-tagged`, `vlan-config remove ...`,
    // `vlan-config move untagged-vlan 20`.
    bool vlan_config(PortDraft& draft, const std::string& key, const std::vector<std::string_view>& w) {
        if (w.size() < 3) return false;
        bool add = iequals(w[1], "add");
        bool remove = iequals(w[1], "remove");
        bool move = iequals(w[1], "move");
        if (!add && !remove && !move) return false;
        if (iequals(w[2], "all-tagged") && w.size() == 3) {
            if (add)
                all_tagged.push_back(key);
            else
                std::erase(all_tagged, key);
            if (remove) draft.tagged.clear();
            return !move;
        }
        auto ids = parse_to_list(std::vector<std::string_view>(w.begin() + 3, w.end()));
        if (!ids) return false;
        if (iequals(w[2], "untagged-vlan")) {
            std::vector<std::uint16_t> list = ids->ids();
            if (list.size() != 1) return false;
            if (remove) {
                if (draft.pvid == list[0]) draft.pvid.reset();
            } else {
                draft.pvid = list[0];
            }
            return true;
        }
        if (!iequals(w[2], "tagged-vlan") || move) return false;
        if (add)
            draft.tagged.add(*ids);
        else
            draft.tagged.remove(*ids);
        return true;
    }

    void interface_line(const Line& line, const std::vector<std::string_view>& w) {
        auto is = [&](std::size_t i, std::string_view word) { return w.size() > i && iequals(w[i], word); };
        if (block_lag) {
            const std::string& name = lag_info(*block_lag).name;
            PortDraft& lag = out.lag(name);
            if (lag.mode == Mode::Unset) lag.mode = Mode::Direct;
            // VLANs given to the LAG itself are the LAG's, whatever its ports say.
            if (is(0, "vlan-config") || is(0, "dual-mode")) lag_vlans[*block_lag].named = true;
            each_line(line, w, lag, port_key(name), is);
            return;
        }
        for (const std::string& name : block_ports)
            if (!each_line(line, w, port(name), port_key(name), is)) return; // one message a line
    }

    template <class Is>
    bool each_line(const Line& line, const std::vector<std::string_view>& w, PortDraft& draft,
                   const std::string& key, Is is) {
        if (is(0, "port-name") && w.size() >= 2) {
            std::vector<std::string_view> quoted = split_words(line.content, true);
            draft.description =
                quoted.size() == 2 ? std::string(quoted[1]) : std::string(after_words(line.content, 1));
        } else if (is(0, "disable") && w.size() == 1) {
            draft.shutdown = true;
        } else if (is(0, "enable") && w.size() == 1) {
            draft.shutdown = false;
        } else if (is(0, "dual-mode") && w.size() <= 2) {
            std::optional<std::uint16_t> id;
            if (w.size() == 2) {
                id = parse_vlan_id(w[1]);
                if (!id) {
                    out.unread(line);
                    return false;
                }
            }
            dual_mode[key] = id;
        } else if (is(0, "no") && is(1, "dual-mode")) {
            dual_mode.erase(key);
        } else if ((is(0, "ip") || is(0, "ipv6")) && is(1, "address")) {
            draft.mode = Mode::Routed;
        } else if (is(0, "route-only")) {
            draft.mode = Mode::Routed;
        } else if (is(0, "vlan-config")) {
            if (!vlan_config(draft, key, w)) {
                out.unread(line);
                return false;
            }
        } else if (!ignored(w[0])) {
            out.unread(line);
            return false;
        }
        return true;
    }

    static bool ignored(std::string_view first) {
        static constexpr std::array<std::string_view, 53> k_ignored = {
            "speed-duplex",
            "inline",
            "power-over-ethernet",
            "spanning-tree",
            "stp-bpdu-guard",
            "stp-protect",
            "stp-root-protect",
            "loop-detection",
            "optical-monitor",
            "link-error-disable",
            "broadcast",
            "multicast",
            "unknown-unicast",
            "rate-limit",
            "lldp",
            "voice-vlan",
            "priority",
            "trust",
            "qos",
            "ip",
            "ipv6",
            "mac-authentication",
            "dot1x",
            "authentication",
            "flow-control",
            "gig-default",
            "mdi-mdix",
            "link-aggregate",
            "no",
            "sflow",
            "port",
            "storm-control",
            "monitor",
            "mirror",
            "mtu",
            "jumbo",
            "lacp",
            "lacp-timeout",
            "arp",
            "dhcp",
            "source-guard",
            "udld",
            "poe",
            "load-interval",
            "fec",
            "priority-flow-control",
            "link-fault-signal",
            "pvst-mode",
            "bpdu-flood-enable",
            "use-radius-server",
            "link-keepalive",
            "eee",
            "packet-inerror-detect",
        };
        return iequals_any(k_ignored, first);
    }

    void lag_header(const Line& line, const std::vector<std::string_view>& w) {
        // lag NAME dynamic|static|keep-alive [id N]
        block = Block::Skip;
        std::optional<std::uint32_t> id;
        for (std::size_t i = 2; i + 1 < w.size(); ++i)
            if (iequals(w[i], "id")) id = parse_number(w[i + 1]);
        if (!id) {
            out.unread(line);
            return;
        }
        // lag "core-uplink" dynamic id 1: the name without its quotes.
        lag_info(*id).name = std::string(split_words(line.content, true)[1]);
        block_lag = *id;
        block = Block::Lag;
    }

    void lag_line(const Line& line, const std::vector<std::string_view>& w) {
        LagInfo& lag = lag_info(*block_lag);
        if (iequals(w[0], "ports") && w.size() >= 2) {
            auto list = parse_port_list(std::span(w).subspan(1));
            if (!list || !list->lags.empty()) {
                out.unread(line);
                return;
            }
            for (const std::string& name : list->ports) {
                port(name);
                if (std::find(lag.members.begin(), lag.members.end(), name) == lag.members.end())
                    lag.members.push_back(name);
            }
        } else if (iequals(w[0], "primary-port") && w.size() == 2 && port_name(w[1])) {
            lag.primary = std::string(w[1]);
        } else if (iequals(w[0], "disable") && w.size() >= 3) {
            auto list = parse_port_list(std::span(w).subspan(1));
            if (!list) {
                out.unread(line);
                return;
            }
            for (const std::string& name : list->ports) port(name).shutdown = true;
        } else if (iequals(w[0], "port-name") && w.size() >= 4) {
            // port-name "Server A" ethernet 1/2/1
            std::vector<std::string_view> quoted = split_words(line.content, true);
            if (quoted.size() >= 4 && ethernet_word(quoted[quoted.size() - 2]) && port_name(quoted.back())) {
                std::string text;
                for (std::size_t i = 1; i + 2 < quoted.size(); ++i) {
                    if (i > 1) text += ' ';
                    text += quoted[i];
                }
                port(std::string(quoted.back())).description = text;
            } else {
                out.unread(line);
            }
        }
        // deploy, trunk-type, lacp-timeout, force-up: nothing for the map
    }

    // Older firmware: `trunk ethe 1/2/1 to 1/2/2`, a static LAG without a name.
    void trunk_line(const Line& line, const std::vector<std::string_view>& w) {
        std::size_t at = iequals(w[1], "switch") || iequals(w[1], "server") ? 2 : 1;
        auto list = parse_port_list(std::span(w).subspan(at));
        if (!list || !list->lags.empty() || list->ports.size() < 2) {
            out.unread(line);
            return;
        }
        // Numbers above any `lag ... id` a switch has, so the two never meet.
        std::uint32_t id = 100000 + next_trunk;
        LagInfo& lag = lag_info(id);
        lag.name = "Trunk" + std::to_string(next_trunk++);
        for (const std::string& name : list->ports) {
            port(name);
            lag.members.push_back(name);
        }
    }

    void top(const Line& line, const std::vector<std::string_view>& w) {
        block = Block::Skip;
        block_lag.reset();
        if (iequals(w[0], "hostname") && w.size() >= 2) {
            out.set_host(w[1]);
        } else if (iequals(w[0], "stack") && w.size() == 3 && iequals(w[1], "unit") && parse_number(w[2])) {
            unit = std::string(w[2]) + "/";
            block = Block::Stack;
        } else if (iequals(w[0], "module") && w.size() == 3) {
            unit.clear(); // a switch that is no stack names its ports module/port
            module_line(line, w);
        } else if (iequals(w[0], "default-vlan-id") && w.size() == 2) {
            if (auto id = parse_vlan_id(w[1]))
                default_vlan = *id;
            else
                out.unread(line);
        } else if (iequals(w[0], "vlan") && w.size() >= 2) {
            vlan_header(line, w);
        } else if (iequals(w[0], "interface") && w.size() >= 3) {
            interface_header(line, w);
        } else if (iequals(w[0], "lag") && w.size() >= 3) {
            lag_header(line, w);
        } else if (iequals(w[0], "trunk") && w.size() >= 3) {
            trunk_line(line, w);
        }
    }

    // stack-trunk 1/2/1 to 1/2/2: stacking links too.
    void stack_trunk(const std::vector<std::string_view>& w) {
        std::vector<std::string_view> words{"ethe"};
        words.insert(words.end(), w.begin() + 1, w.end());
        if (auto list = parse_port_list(words))
            for (const std::string& name : list->ports) port(name).mode = Mode::None;
    }

    // Statements of a block even where the text lost its indentation.
    static bool block_word(std::string_view first) {
        static constexpr std::array<std::string_view, 12> k_words = {
            "untagged",     "tagged", "port-name",   "disable", "dual-mode",  "ports",
            "primary-port", "deploy", "vlan-config", "module",  "stack-port", "stack-trunk",
        };
        return std::any_of(k_words.begin(), k_words.end(),
                           [&](std::string_view s) { return iequals(s, first); });
    }

    void read(std::string_view text) {
        Lines lines(text);
        for (Line line; lines.next(line);) {
            std::string_view c = line.content;
            if (c.front() == '!' || iequals(c, "end") || iequals(c, "exit")) {
                block = Block::None;
                continue;
            }
            std::vector<std::string_view> w = split_words(c);
            std::string_view first = iequals(w[0], "no") && w.size() > 1 ? w[1] : w[0];
            bool inside =
                block != Block::None && block != Block::Skip && (line.indent > 0 || block_word(first));
            if (!inside) {
                top(line, w);
                continue;
            }
            switch (block) {
            case Block::Stack:
                if (iequals(w[0], "module") && w.size() == 3)
                    module_line(line, w);
                else if (iequals(w[0], "stack-port")) {
                    // Stacking links: ports of the panel that carry no VLAN.
                    for (std::size_t i = 1; i < w.size(); ++i)
                        if (port_name(w[i])) port(std::string(w[i])).mode = Mode::None;
                } else if (iequals(w[0], "stack-trunk") && w.size() >= 2) {
                    stack_trunk(w);
                }
                break;
            case Block::Vlan:
                vlan_line(line, w);
                break;
            case Block::Interface:
                interface_line(line, w);
                break;
            case Block::Lag:
                lag_line(line, w);
                break;
            case Block::None:
            case Block::Skip:
                break;
            }
        }
    }

    // The untagged VLAN of a port or LAG that the VLANs and `dual-mode`
    // leave: the default VLAN when it is tagged nowhere.
    void settle(PortDraft& draft, const std::string& key) {
        if (draft.mode != Mode::Direct) return;
        if (std::find(all_tagged.begin(), all_tagged.end(), key) != all_tagged.end())
            draft.tagged.add(defined);
        // A dual-mode VLAN the port does not carry is a native VLAN outside
        // the allowed list: nothing goes untagged.
        if (auto dual = dual_mode.find(key); dual != dual_mode.end()) {
            std::uint16_t id = dual->second.value_or(default_vlan);
            bool carried = !dual->second || draft.tagged.has(id) || draft.pvid == id;
            draft.pvid = carried ? std::optional(id) : std::nullopt;
            if (!carried) return;
        }
        if (!draft.pvid && draft.tagged.empty()) draft.pvid = default_vlan;
        if (draft.pvid) draft.tagged.remove(*draft.pvid);
    }

    void finish() {
        for (auto& [id, vlans] : lag_vlans) {
            if (!vlans.named) continue;
            PortDraft& lag = out.lag(lag_info(id).name);
            lag.mode = Mode::Direct;
            if (vlans.untagged) lag.pvid = vlans.untagged;
            lag.tagged.add(vlans.tagged);
        }
        for (auto& [id, lag] : lags)
            for (const std::string& name : lag.members) out.join_lag(port(name), lag.name);
        bool keyed = !dual_mode.empty() || !all_tagged.empty();
        out.each_draft(
            [&](PortDraft& draft) { settle(draft, keyed ? port_key(draft.label) : std::string()); });
        // A LAG the VLANs know by its ports only carries what its primary
        // port carries, as every member must.
        for (auto& [id, lag] : lags) {
            if (lag.members.empty()) continue;
            auto named = lag_vlans.find(id);
            if (named != lag_vlans.end() && named->second.named) continue;
            std::string primary = lag.primary.empty() ? lag.members.front() : lag.primary;
            PortDraft source = port(primary);
            PortDraft& config = out.lag(lag.name);
            config.mode = source.mode;
            config.pvid = source.pvid;
            config.tagged = source.tagged;
        }
        // The default VLAN exists whether the text lists it or not.
        bool used = false;
        out.each_draft([&](const PortDraft& draft) { used = used || draft.pvid == default_vlan; });
        const std::string* name = out.vlan_name(default_vlan);
        if (used && default_vlan != 1 && (!name || name->empty()))
            out.define_vlan(default_vlan, "DEFAULT-VLAN");
    }
};

} // namespace

void read_fastiron(std::string_view text, Collector& out) {
    out.unset_mode = Mode::Direct;
    out.vlan_name_prefix = "VLAN";
    out.vlan_name_digits = 0;
    out.sort_ports = true;
    Reader reader{out};
    reader.read(text);
    out.default_vlan_name = reader.default_vlan == 1 ? "DEFAULT-VLAN" : "VLAN1";
    reader.finish();
}

} // namespace quarn::import_detail
