#include "ops/lag_ops.hpp"

#include <algorithm>

#include "common/fill.hpp"

namespace quarn {
namespace {

bool contains(const std::vector<std::string>& labels, std::string_view label) {
    return std::find(labels.begin(), labels.end(), label) != labels.end();
}

const Lag* lag_with_member(const Switch& sw, std::string_view label, std::optional<std::string_view> except) {
    for (const Lag& lag : sw.lags)
        if ((!except || lag.name != *except) && contains(lag.members, label)) return &lag;
    return nullptr;
}

bool label_has_link(const Switch& sw, std::string_view label) {
    return std::any_of(sw.ports.begin(), sw.ports.end(),
                       [&](const Port& port) { return port.label == label && port.link.has_value(); });
}

std::vector<std::size_t> existing(const Switch& sw, const std::vector<std::size_t>& ports) {
    std::vector<std::size_t> kept;
    for (std::size_t position : ports)
        if (position < sw.ports.size()) kept.push_back(position);
    return kept;
}

// Members are labels, so a label chosen twice is stored once.
std::vector<std::string> member_labels(const Switch& sw, const std::vector<std::size_t>& ports) {
    std::vector<std::string> labels;
    for (std::size_t position : ports)
        if (!contains(labels, sw.ports[position].label)) labels.push_back(sw.ports[position].label);
    return labels;
}

// Every port bearing one of the joining labels takes the VLANs, as the map
// check and the toggles count every such port as a member.
void give_vlans(Switch& sw, const Port& source, const std::vector<std::string>& joining) {
    auto untagged = source.untagged;
    auto tagged = source.tagged;
    for (Port& port : sw.ports) {
        if (!contains(joining, port.label)) continue;
        port.untagged = untagged;
        port.tagged = tagged;
    }
}

// The first chosen port that already belongs to the edited LAG, else the
// first chosen port.
std::size_t vlan_source(const Switch& sw, const std::vector<std::size_t>& chosen, const Lag* editing) {
    if (editing)
        for (std::size_t position : chosen)
            if (contains(editing->members, sw.ports[position].label)) return position;
    return chosen.front();
}

bool switch_is_named(const Map& map, std::size_t switch_index) {
    return find_switch(map, map.switches[switch_index].name) == switch_index;
}

} // namespace

std::string lag_error_message(const LagError& error) {
    switch (error.kind) {
    case LagError::Kind::NoName:
        return "Enter a name for the LAG.";
    case LagError::Kind::NameTaken:
        return fill("This switch already has a LAG named {}.", {error.lag});
    case LagError::Kind::NoPorts:
        return "A LAG needs at least one port.";
    case LagError::Kind::PortInLag:
        return fill("Port {} is already in LAG {}.", {error.port, error.lag});
    case LagError::Kind::PortHasUplink:
        return fill("Port {} has an uplink. Remove it first.", {error.port});
    case LagError::Kind::NoSuchLag:
        return fill("LAG {} does not exist.", {error.lag});
    }
    return {};
}

std::string default_lag_name(const std::vector<Lag>& lags) {
    for (std::size_t counter = 1;; ++counter) {
        std::string name = "Trk" + std::to_string(counter);
        if (std::none_of(lags.begin(), lags.end(), [&](const Lag& lag) { return lag.name == name; }))
            return name;
    }
}

std::optional<LagError> check_lag_ports(const Switch& sw, const std::vector<std::size_t>& ports,
                                        std::optional<std::string_view> editing) {
    std::vector<std::size_t> chosen = existing(sw, ports);
    if (chosen.empty()) return LagError{LagError::Kind::NoPorts, {}, {}};
    for (std::size_t position : chosen) {
        const std::string& label = sw.ports[position].label;
        if (const Lag* other = lag_with_member(sw, label, editing))
            return LagError{LagError::Kind::PortInLag, label, other->name};
        if (label_has_link(sw, label)) return LagError{LagError::Kind::PortHasUplink, label, {}};
    }
    return std::nullopt;
}

// Texts are copied before anything changes: a caller may pass views into the
// map itself.
std::optional<LagError> create_lag(Map& map, std::size_t switch_index, std::string_view name_view,
                                   const std::vector<std::size_t>& ports) {
    std::string name(name_view);
    if (name.empty()) return LagError{LagError::Kind::NoName, {}, {}};
    if (switch_index >= map.switches.size()) return LagError{LagError::Kind::NoPorts, {}, {}};
    Switch& sw = map.switches[switch_index];
    if (find_lag(sw, name)) return LagError{LagError::Kind::NameTaken, {}, std::string(name)};
    if (auto error = check_lag_ports(sw, ports)) return error;

    std::vector<std::size_t> chosen = existing(sw, ports);
    std::vector<std::string> members = member_labels(sw, chosen);
    Port source = sw.ports[chosen.front()];
    give_vlans(sw, source, members);
    sw.lags.push_back(Lag{std::move(name), std::move(members), std::nullopt});
    return std::nullopt;
}

std::optional<LagError> edit_lag(Map& map, std::size_t switch_index, std::string_view old_view,
                                 std::string_view new_view, const std::vector<std::size_t>& ports) {
    std::string old_name(old_view);
    std::string new_name(new_view);
    auto missing = LagError{LagError::Kind::NoSuchLag, {}, old_name};
    if (switch_index >= map.switches.size()) return missing;
    Switch& sw = map.switches[switch_index];
    auto lag_index = find_lag(sw, old_name);
    if (!lag_index) return missing;
    if (new_name.empty()) return LagError{LagError::Kind::NoName, {}, {}};
    if (new_name != old_name && find_lag(sw, new_name))
        return LagError{LagError::Kind::NameTaken, {}, new_name};
    if (auto error = check_lag_ports(sw, ports, old_name)) return error;

    std::vector<std::size_t> chosen = existing(sw, ports);
    std::vector<std::string> members = member_labels(sw, chosen);
    Lag& lag = sw.lags[*lag_index];
    std::vector<std::string> joining;
    for (const std::string& label : members)
        if (!contains(lag.members, label)) joining.push_back(label);
    if (!joining.empty()) {
        Port source = sw.ports[vlan_source(sw, chosen, &lag)];
        give_vlans(sw, source, joining);
    }

    lag.name = new_name;
    lag.members = std::move(members);
    if (old_name == new_name || !switch_is_named(map, switch_index)) return std::nullopt;
    // Peers name this LAG through the switch's name; when another switch
    // comes first under that name they meant that one, and stay.
    LagPeer old_peer{sw.name, old_name};
    for (Switch& other : map.switches)
        for (Lag& far : other.lags)
            if (far.peer == old_peer) far.peer->lag = new_name;
    return std::nullopt;
}

std::optional<std::size_t> lag_vlan_source(const Switch& sw, const std::vector<std::size_t>& ports,
                                           std::optional<std::string_view> editing) {
    std::vector<std::size_t> chosen = existing(sw, ports);
    if (chosen.empty()) return std::nullopt;
    const Lag* lag = nullptr;
    if (editing) {
        auto index = find_lag(sw, *editing);
        if (index) lag = &sw.lags[*index];
    }
    if (lag && std::all_of(chosen.begin(), chosen.end(),
                           [&](std::size_t p) { return contains(lag->members, sw.ports[p].label); }))
        return std::nullopt;
    return vlan_source(sw, chosen, lag);
}

std::vector<std::size_t> lag_member_positions(const Switch& sw, const Lag& lag) {
    std::vector<std::size_t> positions;
    for (const std::string& member : lag.members)
        if (auto position = find_port(sw, member)) positions.push_back(*position);
    return positions;
}

LinkResult link_ports(Map& map, PortRef first, PortRef second) {
    for (PortRef ref : {first, second})
        if (ref.switch_index >= map.switches.size() ||
            ref.port_index >= map.switches[ref.switch_index].ports.size())
            return LinkResult{LinkResult::Kind::NoPort, {}, {}};
    if (first.switch_index == second.switch_index) return LinkResult{LinkResult::Kind::SameSwitch, {}, {}};
    for (PortRef ref : {first, second}) {
        const Switch& sw = map.switches[ref.switch_index];
        const std::string& label = sw.ports[ref.port_index].label;
        if (const Lag* lag = lag_with_member(sw, label, std::nullopt))
            return LinkResult{LinkResult::Kind::PortInLag, label, lag->name};
    }
    unlink_port(map, first);
    unlink_port(map, second);
    Switch& a = map.switches[first.switch_index];
    Switch& b = map.switches[second.switch_index];
    a.ports[first.port_index].link = PortPeer{b.name, b.ports[second.port_index].label};
    b.ports[second.port_index].link = PortPeer{a.name, a.ports[first.port_index].label};
    return LinkResult{};
}

void unlink_port(Map& map, PortRef ref) {
    if (ref.switch_index >= map.switches.size()) return;
    Switch& sw = map.switches[ref.switch_index];
    if (ref.port_index >= sw.ports.size()) return;
    PortPeer self{sw.name, sw.ports[ref.port_index].label};
    sw.ports[ref.port_index].link.reset();
    for (Switch& other : map.switches)
        for (Port& port : other.ports)
            if (port.link == self) port.link.reset();
}

void unpeer_lag(Map& map, std::size_t switch_index, std::string_view name) {
    if (switch_index >= map.switches.size()) return;
    Switch& sw = map.switches[switch_index];
    LagPeer self{sw.name, std::string(name)};
    if (auto index = find_lag(sw, self.lag)) sw.lags[*index].peer.reset();
    for (Switch& other : map.switches)
        for (Lag& lag : other.lags)
            if (lag.peer == self) lag.peer.reset();
}

void remove_lag(Map& map, std::size_t switch_index, std::string_view name_view) {
    if (switch_index >= map.switches.size()) return;
    std::string name(name_view);
    unpeer_lag(map, switch_index, name);
    std::erase_if(map.switches[switch_index].lags, [&](const Lag& lag) { return lag.name == name; });
}

std::optional<LagError> set_lag_peer(Map& map, std::size_t switch_index, std::string_view name,
                                     const std::optional<LagPeer>& peer) {
    if (switch_index >= map.switches.size() || !find_lag(map.switches[switch_index], name))
        return LagError{LagError::Kind::NoSuchLag, {}, std::string(name)};
    if (!peer) {
        unpeer_lag(map, switch_index, name);
        return std::nullopt;
    }
    auto far_switch = find_switch(map, peer->switch_name);
    if (!far_switch || !find_lag(map.switches[*far_switch], peer->lag))
        return LagError{LagError::Kind::NoSuchLag, {}, peer->lag};
    // Copies: the peer may name records that unpeering changes.
    LagPeer far = *peer;
    std::string own_name(name);
    unpeer_lag(map, switch_index, own_name);
    unpeer_lag(map, *far_switch, far.lag);
    Switch& sw = map.switches[switch_index];
    sw.lags[*find_lag(sw, own_name)].peer = far;
    Switch& other = map.switches[*far_switch];
    other.lags[*find_lag(other, far.lag)].peer = LagPeer{sw.name, own_name};
    return std::nullopt;
}

} // namespace quarn
