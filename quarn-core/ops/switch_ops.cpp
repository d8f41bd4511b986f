#include "ops/switch_ops.hpp"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "common/fill.hpp"
#include "ops/lag_ops.hpp"

namespace quarn {
namespace {

std::uint16_t halves(std::uint16_t count) {
    return static_cast<std::uint16_t>((std::uint32_t{count} + 1) / 2);
}

bool carries_vlans(const Port& port) {
    return port.untagged.has_value() || !port.tagged.empty();
}

bool sound_layout(const Switch& sw) {
    return place_count(sw) == sw.ports.size() &&
           std::none_of(sw.groups.begin(), sw.groups.end(),
                        [](const PortGroup& group) { return group.columns == 0 || group.rows == 0; });
}

// Renames a switch in the links and LAG peers of one switch.
void rename_references(Switch& sw, const std::string& from, const std::string& to) {
    for (Port& port : sw.ports)
        if (port.link && port.link->switch_name == from) port.link->switch_name = to;
    for (Lag& lag : sw.lags)
        if (lag.peer && lag.peer->switch_name == from) lag.peer->switch_name = to;
}

// The LAG rules of one switch, kept by dropping what breaks them: a member
// must name a port, be met once in the switch and name no port with a link;
// a LAG whose name repeats an earlier one goes.
void keep_lag_rules(Switch& sw) {
    std::unordered_set<std::string_view> labels;
    std::unordered_set<std::string_view> linked;
    for (const Port& port : sw.ports) {
        labels.insert(port.label);
        if (port.link) linked.insert(port.label);
    }
    std::unordered_set<std::string> names;
    std::erase_if(sw.lags, [&](const Lag& lag) { return !names.insert(lag.name).second; });
    std::unordered_set<std::string> met;
    for (Lag& lag : sw.lags) {
        std::erase_if(lag.members, [&](const std::string& member) {
            return !labels.contains(member) || linked.contains(member) || !met.insert(member).second;
        });
    }
}

} // namespace

SwitchLayout build_switch_layout(const SwitchLayoutInput& input) {
    SwitchLayout layout;
    std::uint16_t rows =
        input.rows == 0 ? std::uint16_t{1} : std::min(input.rows, std::max(input.ports, std::uint16_t{1}));
    if (input.ports > 0) {
        auto columns = static_cast<std::uint16_t>((std::uint32_t{input.ports} + rows - 1) / rows);
        Numbering numbering = input.number_row_by_row ? Numbering::Rows : Numbering::OddTop;
        layout.groups.push_back(PortGroup{PortKind::Rj45, columns, rows, numbering, input.gap_every, 1.0f});
    }
    if (input.dual > 0)
        layout.groups.push_back(PortGroup{PortKind::Dual, halves(input.dual),
                                          std::min(input.dual, std::uint16_t{2}), Numbering::OddTop, 0,
                                          0.5f});
    if (input.sfp > 0)
        layout.groups.push_back(PortGroup{PortKind::Sfp, halves(input.sfp),
                                          std::min(input.sfp, std::uint16_t{2}), Numbering::OddTop, 0, 0.0f});
    std::uint64_t places = 0;
    for (const PortGroup& group : layout.groups) places += group_places(group);
    layout.ports.resize(places);
    for (std::uint64_t k = 0; k < places; ++k)
        layout.ports[k].label = input.label_prefix + std::to_string(k + 1);
    return layout;
}

Switch make_switch(std::string name, std::string location, std::string model,
                   const SwitchLayoutInput& layout) {
    SwitchLayout built = build_switch_layout(layout);
    Switch sw;
    sw.name = std::move(name);
    sw.location = std::move(location);
    sw.model = std::move(model);
    sw.groups = std::move(built.groups);
    sw.ports = std::move(built.ports);
    return sw;
}

SwitchEdit prepare_switch_edit(const Switch& old, std::string name, std::string location, std::string model,
                               const SwitchLayoutInput& layout) {
    SwitchEdit edit{make_switch(std::move(name), std::move(location), std::move(model), layout), 0};
    std::unordered_map<std::string_view, std::size_t> first_old;
    for (std::size_t i = 0; i < old.ports.size(); ++i) first_old.emplace(old.ports[i].label, i);
    std::unordered_set<std::string_view> new_labels;
    for (Port& port : edit.edited.ports) {
        new_labels.insert(port.label);
        auto found = first_old.find(port.label);
        if (found == first_old.end()) continue;
        const Port& from = old.ports[found->second];
        port.untagged = from.untagged;
        port.tagged = from.tagged;
        port.description = from.description;
        port.disabled = from.disabled;
        port.link = from.link;
    }
    edit.edited.lags = old.lags;
    for (std::size_t i = 0; i < old.ports.size(); ++i) {
        const Port& port = old.ports[i];
        bool carried = new_labels.contains(port.label) && first_old.at(port.label) == i;
        if (carries_vlans(port) && !carried) ++edit.ports_losing_vlans;
    }
    return edit;
}

bool apply_switch_edit(Map& map, std::size_t index, Switch edited) {
    if (index >= map.switches.size() || !sound_layout(edited)) return false;
    std::string old_name = map.switches[index].name;
    // References reach a switch through its name; when an earlier switch
    // bears the same name they meant that one and are left alone.
    bool named_here = find_switch(map, old_name) == index;

    // 1. Ports that are gone lose their links at both ends, also links of the
    // edited record that pointed at them.
    std::unordered_set<std::string> kept_labels;
    for (const Port& port : edited.ports) kept_labels.insert(port.label);
    std::unordered_set<std::string> gone;
    for (std::size_t p = 0; p < map.switches[index].ports.size(); ++p) {
        const std::string& label = map.switches[index].ports[p].label;
        if (kept_labels.contains(label)) continue;
        gone.insert(label);
        unlink_port(map, PortRef{index, p});
    }
    if (named_here)
        for (Port& port : edited.ports)
            if (port.link && port.link->switch_name == old_name && gone.contains(port.link->port))
                port.link.reset();

    // 2. A rename reaches every link and LAG peer that named the switch.
    if (edited.name != old_name) {
        map.switches[index].name = edited.name;
        if (named_here) {
            for (Switch& sw : map.switches) rename_references(sw, old_name, edited.name);
            rename_references(edited, old_name, edited.name);
        }
    }

    // 3. LAGs keep the members that still name a port (and the other LAG rules).
    keep_lag_rules(edited);

    // 4. and 5. LAGs left without members are unpeered, then dropped.
    for (const Lag& lag : edited.lags) {
        if (!lag.members.empty()) continue;
        unpeer_lag(map, index, lag.name);
        LagPeer self{edited.name, lag.name};
        for (Lag& other : edited.lags)
            if (other.peer == self) other.peer.reset();
    }
    std::erase_if(edited.lags, [](const Lag& lag) { return lag.members.empty(); });

    // 6. The record takes effect.
    map.switches[index] = std::move(edited);
    return true;
}

std::size_t add_switch(Map& map, std::optional<std::size_t> after, std::string name, std::string location,
                       std::string model, const SwitchLayoutInput& layout) {
    std::size_t position = after && *after < map.switches.size() ? *after + 1 : map.switches.size();
    map.switches.insert(map.switches.begin() + static_cast<std::ptrdiff_t>(position),
                        make_switch(std::move(name), std::move(location), std::move(model), layout));
    return position;
}

std::optional<std::size_t> duplicate_switch(Map& map, std::size_t index) {
    if (index >= map.switches.size()) return std::nullopt;
    Switch copy = map.switches[index];
    copy.name = fill("{} (Copy)", {copy.name});
    for (Port& port : copy.ports) port.link.reset();
    for (Lag& lag : copy.lags) lag.peer.reset();
    map.switches.insert(map.switches.begin() + static_cast<std::ptrdiff_t>(index + 1), std::move(copy));
    return index + 1;
}

std::optional<std::size_t> move_switch_up(Map& map, std::size_t index) {
    if (index == 0 || index >= map.switches.size()) return std::nullopt;
    std::swap(map.switches[index - 1], map.switches[index]);
    return index - 1;
}

std::optional<std::size_t> move_switch_down(Map& map, std::size_t index) {
    if (index + 1 >= map.switches.size()) return std::nullopt;
    std::swap(map.switches[index], map.switches[index + 1]);
    return index + 1;
}

void remove_switch(Map& map, std::size_t index) {
    if (index >= map.switches.size()) return;
    std::string name = map.switches[index].name;
    bool named_here = find_switch(map, name) == index;
    map.switches.erase(map.switches.begin() + static_cast<std::ptrdiff_t>(index));
    if (!named_here) return;
    for (Switch& sw : map.switches) {
        for (Port& port : sw.ports)
            if (port.link && port.link->switch_name == name) port.link.reset();
        for (Lag& lag : sw.lags)
            if (lag.peer && lag.peer->switch_name == name) lag.peer.reset();
    }
}

} // namespace quarn
