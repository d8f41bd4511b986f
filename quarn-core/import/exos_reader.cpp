// Extreme Networks ExtremeXOS: one command a line, read in order as the
// switch ran them. `create vlan "Data"` and `configure vlan Data tag 10`
// make a VLAN, `configure vlan Data add ports 1-4,7 untagged` (or `tagged`)
// puts ports into it and `delete ports` takes them out; every port starts
// untagged in the VLAN `Default` (tag 1) until `configure vlan Default
// delete ports all`. Ports are `1` on a single switch and `1:1` in a stack.
// `enable sharing 1 grouping 1-2` makes a LAG whose VLANs are those of its
// master port (1); `disable ports 5` shuts a port down; the ports
// `configure vr VR-Default add ports 1-52` names are all the switch has.
#include <algorithm>
#include <array>
#include <span>
#include <unordered_map>

#include "import/config_reader.hpp"

namespace quarn::import_detail {
namespace {

// A range names at most this many ports; longer ones are typing mistakes.
constexpr std::uint32_t k_max_range = 1024;
// VLANs a text may create; past them, VLANs are not kept.
constexpr std::size_t k_max_vlans = 4094;

struct ExosVlan {
    std::string name;
    std::optional<std::uint16_t> tag;
};

struct PortState {
    std::string label;
    std::optional<std::size_t> untagged; // index of the VLAN
    VlanSet tagged;                      // indices of the VLANs, plus one
    std::string description;
    std::optional<bool> disabled;
};

// "1", "1:1": a port, its slot and number.
struct PortNumber {
    std::optional<std::uint32_t> slot;
    std::uint32_t port = 0;
};

std::optional<PortNumber> parse_port(std::string_view text) {
    PortNumber found;
    std::size_t colon = text.find(':');
    if (colon != std::string_view::npos) {
        found.slot = parse_number(text.substr(0, colon));
        if (!found.slot) return std::nullopt;
        text = text.substr(colon + 1);
    }
    auto port = parse_number(text);
    if (!port) return std::nullopt;
    found.port = *port;
    return found;
}

std::string port_label(const PortNumber& number) {
    return number.slot ? std::to_string(*number.slot) + ":" + std::to_string(number.port)
                       : std::to_string(number.port);
}

struct Sharing {
    std::string master;
    std::vector<std::string> members;
};

struct Reader {
    Collector& out;
    std::vector<ExosVlan> vlans{{"Default", std::uint16_t{1}}};
    std::unordered_map<std::string, std::size_t> vlan_index{{"default", 0}};
    std::vector<PortState> ports;
    std::unordered_map<std::string, std::size_t> port_index;
    // What `add ports all` gave every port, so that ports named later have it too.
    std::vector<std::pair<std::size_t, bool>> all_members{{0, false}};
    std::vector<Sharing> sharing;

    PortState& port(const std::string& label) {
        auto [it, fresh] = port_index.emplace(label, ports.size());
        if (fresh) {
            PortState state;
            state.label = label;
            for (auto [vlan, tagged] : all_members) join(state, vlan, tagged);
            ports.push_back(std::move(state));
        }
        return ports[it->second];
    }

    static void join(PortState& state, std::size_t vlan, bool tagged) {
        if (tagged) {
            if (state.untagged == vlan) state.untagged.reset();
            state.tagged.add(static_cast<std::uint16_t>(vlan + 1));
        } else {
            state.tagged.remove(static_cast<std::uint16_t>(vlan + 1));
            state.untagged = vlan;
        }
    }

    static void leave(PortState& state, std::size_t vlan) {
        if (state.untagged == vlan) state.untagged.reset();
        state.tagged.remove(static_cast<std::uint16_t>(vlan + 1));
    }

    // "1-4,7", "1:1-24", "1:1-1:24", "2:*", "all": the labels, or nothing
    // when a part is no port list. "all" is every port known so far.
    std::optional<std::vector<std::string>> parse_ports(std::string_view text) {
        std::vector<std::string> labels;
        if (iequals(text, "all")) {
            for (const PortState& state : ports) labels.push_back(state.label);
            return labels;
        }
        for (std::string_view rest = text; !rest.empty();) {
            std::size_t comma = rest.find(',');
            std::string_view part = rest.substr(0, comma);
            rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
            if (part.empty()) return std::nullopt;
            if (part.ends_with(":*")) {
                std::string slot(part.substr(0, part.size() - 1));
                if (!parse_number(part.substr(0, part.size() - 2))) return std::nullopt;
                for (const PortState& state : ports)
                    if (state.label.starts_with(slot)) labels.push_back(state.label);
                continue;
            }
            std::size_t dash = part.find('-');
            auto from = parse_port(part.substr(0, dash));
            if (!from) return std::nullopt;
            PortNumber to = *from;
            if (dash != std::string_view::npos) {
                std::string_view end = part.substr(dash + 1);
                auto last = parse_port(end);
                if (!last) return std::nullopt;
                if (last->slot && last->slot != from->slot) return std::nullopt;
                to.port = last->port;
            }
            if (to.port < from->port || to.port - from->port >= k_max_range) return std::nullopt;
            for (std::uint32_t n = from->port; n <= to.port; ++n)
                labels.push_back(port_label({from->slot, n}));
        }
        if (labels.empty()) return std::nullopt;
        return labels;
    }

    std::optional<std::size_t> find_vlan(std::string_view name) const {
        auto it = vlan_index.find(lower(name));
        if (it == vlan_index.end()) return std::nullopt;
        return it->second;
    }

    std::optional<std::size_t> create_vlan(std::string_view name, std::optional<std::uint16_t> tag) {
        if (auto known = find_vlan(name)) {
            if (tag) vlans[*known].tag = tag;
            return known;
        }
        if (vlans.size() >= k_max_vlans) return std::nullopt;
        vlan_index.emplace(lower(name), vlans.size());
        vlans.push_back(ExosVlan{std::string(name), tag});
        return vlans.size() - 1;
    }

    // Newer versions name VLANs by their tags: `create vlan 10,20-30` makes
    // VLAN_0010 and its kin.
    static std::string tag_name(std::uint16_t tag) {
        std::string number = std::to_string(tag);
        return "VLAN_" + std::string(4 - number.size(), '0') + number;
    }

    // The VLANs a command names: one by name, or several by tag.
    std::optional<std::vector<std::size_t>> named_vlans(std::string_view name) {
        if (name.empty()) return std::nullopt;
        if (name.front() >= '0' && name.front() <= '9') {
            auto tags = parse_dash_list(name);
            if (!tags) return std::nullopt;
            std::vector<std::size_t> found;
            for (std::uint16_t tag : tags->ids()) {
                auto it =
                    std::find_if(vlans.begin(), vlans.end(), [&](const ExosVlan& v) { return v.tag == tag; });
                if (it != vlans.end())
                    found.push_back(static_cast<std::size_t>(it - vlans.begin()));
                else if (auto made = create_vlan(tag_name(tag), tag))
                    found.push_back(*made);
            }
            return found;
        }
        auto index = find_vlan(name);
        if (!index) return std::nullopt;
        return std::vector<std::size_t>{*index};
    }

    void create(const Line& line, const std::vector<std::string_view>& w) {
        // create vlan NAME [tag N] [vr VR]
        if (w.size() < 3) return;
        std::optional<std::uint16_t> tag;
        for (std::size_t i = 3; i + 1 < w.size(); ++i)
            if (iequals(w[i], "tag")) {
                tag = parse_vlan_id(w[i + 1]);
                if (!tag) {
                    out.unread(line);
                    return;
                }
            }
        if (w[2].front() >= '0' && w[2].front() <= '9') {
            if (!named_vlans(w[2])) out.unread(line);
            return;
        }
        create_vlan(w[2], tag);
    }

    void configure_vlan(const Line& line, std::string_view name, std::span<const std::string_view> w) {
        // NAME tag N | NAME add ports LIST [tagged|untagged] | NAME delete ports LIST | NAME name NEW
        if (w.empty()) return;
        bool add = iequals(w[0], "add");
        bool remove = iequals(w[0], "delete");
        bool tag = iequals(w[0], "tag") && w.size() == 2;
        bool rename = iequals(w[0], "name") && w.size() == 2;
        bool ports_ = (add || remove) && w.size() >= 3 && (iequals(w[1], "ports") || iequals(w[1], "port"));
        if (!tag && !rename && !ports_) return; // ipaddress, description, and the rest
        auto found = named_vlans(name);
        if (!found || found->empty()) {
            out.unread(line);
            return;
        }
        if (tag) {
            auto id = parse_vlan_id(w[1]);
            if (!id || found->size() != 1) {
                out.unread(line);
                return;
            }
            vlans[found->front()].tag = id;
            return;
        }
        if (rename) {
            if (found->size() != 1) return;
            ExosVlan& vlan = vlans[found->front()];
            vlan_index.erase(lower(vlan.name));
            vlan.name = std::string(w[1]);
            vlan_index[lower(vlan.name)] = found->front();
            return;
        }
        bool all = iequals(w[2], "all");
        auto labels = parse_ports(w[2]);
        bool tagged = w.size() >= 4 && iequals(w[3], "tagged");
        if (!labels || (add && w.size() >= 4 && !tagged && !iequals(w[3], "untagged"))) {
            out.unread(line);
            return;
        }
        for (std::size_t vlan : *found) {
            for (const std::string& label : *labels) {
                PortState& state = port(label);
                if (add)
                    join(state, vlan, tagged);
                else
                    leave(state, vlan);
            }
            if (all) {
                std::erase_if(all_members, [&](const auto& entry) { return entry.first == vlan; });
                if (add) all_members.emplace_back(vlan, tagged);
            }
        }
    }

    void configure_ports(const Line& line, const std::vector<std::string_view>& w) {
        // configure ports LIST display-string TEXT | description-string TEXT
        if (w.size() < 5) return;
        bool text = iequals(w[3], "display-string") || iequals(w[3], "description-string");
        if (!text) return; // speed, auto, and the rest
        auto labels = parse_ports(w[2]);
        if (!labels) {
            out.unread(line);
            return;
        }
        for (const std::string& label : *labels) port(label).description = std::string(w[4]);
    }

    void sharing_line(const Line& line, const std::vector<std::string_view>& w) {
        // enable sharing MASTER grouping LIST [algorithm ...] [lacp|health-check]
        if (w.size() < 5 || !iequals(w[3], "grouping")) {
            out.unread(line);
            return;
        }
        auto master = parse_port(w[2]);
        auto members = parse_ports(w[4]);
        if (!master || !members) {
            out.unread(line);
            return;
        }
        Sharing group{port_label(*master), std::move(*members)};
        for (const std::string& label : group.members) port(label);
        port(group.master);
        sharing.push_back(std::move(group));
    }

    void configure_sharing(const Line& line, const std::vector<std::string_view>& w) {
        // configure sharing MASTER add|delete ports LIST
        if (w.size() < 6 || !(iequals(w[4], "ports") || iequals(w[4], "port"))) return;
        auto master = parse_port(w[2]);
        auto labels = parse_ports(w[5]);
        if (!master || !labels) {
            out.unread(line);
            return;
        }
        std::string name = port_label(*master);
        auto group =
            std::find_if(sharing.begin(), sharing.end(), [&](const Sharing& s) { return s.master == name; });
        if (group == sharing.end()) {
            out.unread(line);
            return;
        }
        for (const std::string& label : *labels) {
            std::erase(group->members, label);
            if (iequals(w[3], "add")) {
                port(label);
                group->members.push_back(label);
            }
        }
    }

    void read(std::string_view text) {
        Lines lines(text);
        for (Line line; lines.next(line);) {
            if (line.content.front() == '#') continue;
            std::vector<std::string_view> w = split_words(line.content, true);
            auto is = [&](std::size_t i, std::string_view word) {
                return w.size() > i && iequals(w[i], word);
            };
            if (is(0, "create") && is(1, "vlan")) {
                create(line, w);
            } else if (is(0, "configure") && is(1, "vlan") && w.size() >= 4) {
                configure_vlan(line, w[2], std::span(w).subspan(3));
            } else if (is(0, "configure") && (is(1, "ports") || is(1, "port"))) {
                configure_ports(line, w);
            } else if (is(0, "configure") && is(1, "snmp") && is(2, "sysname") && w.size() >= 4) {
                out.set_host(w[3]);
            } else if (is(0, "configure") && is(1, "vr") && is(3, "add") && w.size() >= 6 &&
                       (is(4, "ports") || is(4, "port"))) {
                if (auto labels = parse_ports(w[5]))
                    for (const std::string& label : *labels) port(label);
            } else if (is(0, "configure") && is(1, "sharing")) {
                configure_sharing(line, w);
            } else if (is(0, "enable") && is(1, "sharing")) {
                sharing_line(line, w);
            } else if ((is(0, "disable") || is(0, "enable")) && (is(1, "ports") || is(1, "port")) &&
                       w.size() == 3) {
                auto labels = parse_ports(w[2]);
                if (!labels) {
                    out.unread(line);
                    continue;
                }
                for (const std::string& label : *labels) port(label).disabled = is(0, "disable");
            } else if (is(0, "configure") && w.size() >= 4 && find_vlan(w[1]) &&
                       (is(2, "add") || is(2, "delete") || is(2, "tag"))) {
                // The word `vlan` may be left out.
                configure_vlan(line, w[1], std::span(w).subspan(2));
            }
        }
    }

    void fill(PortDraft& draft, const PortState& state) {
        draft.mode = Mode::Direct;
        if (state.untagged) draft.pvid = vlans[*state.untagged].tag;
        for (std::uint16_t index : state.tagged.ids())
            if (auto tag = vlans[index - 1].tag) draft.tagged.add(*tag);
    }

    void finish() {
        for (const ExosVlan& vlan : vlans)
            if (vlan.tag && &vlan != &vlans.front()) out.define_vlan(*vlan.tag, vlan.name);
        for (const PortState& state : ports) {
            PortDraft& draft = out.port(state.label, PortKind::Rj45);
            fill(draft, state);
            draft.description = state.description;
            draft.shutdown = state.disabled;
        }
        for (const Sharing& group : sharing) {
            std::string name = "LAG" + group.master;
            fill(out.lag(name), ports[port_index.at(group.master)]);
            out.join_lag(out.port(group.master, PortKind::Rj45), name);
            for (const std::string& label : group.members)
                out.join_lag(out.port(label, PortKind::Rj45), name);
        }
    }
};

} // namespace

void read_exos(std::string_view text, Collector& out) {
    out.unset_mode = Mode::Direct;
    out.default_vlan_name = "Default";
    out.vlan_name_prefix = "VLAN_";
    out.vlan_name_digits = 4;
    out.sort_ports = true;
    Reader reader{out};
    reader.read(text);
    reader.finish();
}

} // namespace quarn::import_detail
