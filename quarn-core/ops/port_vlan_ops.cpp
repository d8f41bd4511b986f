#include "ops/port_vlan_ops.hpp"

#include <algorithm>

namespace quarn {
namespace {

bool names_port(const Map& map, PortRef ref) {
    return ref.switch_index < map.switches.size() &&
           ref.port_index < map.switches[ref.switch_index].ports.size();
}

Port& port_at(Map& map, PortRef ref) {
    return map.switches[ref.switch_index].ports[ref.port_index];
}

bool has(const std::vector<std::string>& labels, const std::string& label) {
    return std::find(labels.begin(), labels.end(), label) != labels.end();
}

bool has_tagged(const Port& port, std::uint16_t vlan) {
    return std::find(port.tagged.begin(), port.tagged.end(), vlan) != port.tagged.end();
}

} // namespace

Selection expand_to_lag_siblings(const Map& map, const Selection& selection) {
    Selection affected;
    affected.reserve(selection.size());
    for (PortRef ref : selection) {
        if (!names_port(map, ref)) continue;
        affected.push_back(ref);
        const Switch& sw = map.switches[ref.switch_index];
        const std::string& label = sw.ports[ref.port_index].label;
        auto lag =
            std::find_if(sw.lags.begin(), sw.lags.end(), [&](const Lag& l) { return has(l.members, label); });
        if (lag == sw.lags.end()) continue;
        for (std::size_t i = 0; i < sw.ports.size(); ++i)
            if (has(lag->members, sw.ports[i].label)) affected.push_back(PortRef{ref.switch_index, i});
    }
    std::sort(affected.begin(), affected.end());
    affected.erase(std::unique(affected.begin(), affected.end()), affected.end());
    return affected;
}

void set_untagged(Map& map, const Selection& selection, std::optional<std::uint16_t> vlan) {
    for (PortRef ref : expand_to_lag_siblings(map, selection)) {
        Port& port = port_at(map, ref);
        port.untagged = vlan;
        if (vlan) std::erase(port.tagged, *vlan);
    }
}

void toggle_untagged(Map& map, const Selection& selection, std::uint16_t vlan) {
    Selection affected = expand_to_lag_siblings(map, selection);
    bool all = !affected.empty() && std::all_of(affected.begin(), affected.end(), [&](PortRef ref) {
        return port_at(map, ref).untagged == vlan;
    });
    set_untagged(map, selection, all ? std::nullopt : std::optional<std::uint16_t>(vlan));
}

void toggle_tagged(Map& map, const Selection& selection, std::uint16_t vlan) {
    Selection affected = expand_to_lag_siblings(map, selection);
    bool all = std::all_of(affected.begin(), affected.end(),
                           [&](PortRef ref) { return has_tagged(port_at(map, ref), vlan); });
    for (PortRef ref : affected) {
        Port& port = port_at(map, ref);
        if (all) {
            std::erase(port.tagged, vlan);
        } else if (!has_tagged(port, vlan)) {
            port.tagged.push_back(vlan);
            std::sort(port.tagged.begin(), port.tagged.end());
            if (port.untagged == vlan) port.untagged.reset();
        }
    }
}

void clear_port_vlans(Map& map, const Selection& selection) {
    paste_port_vlans(map, selection, PortVlans{});
}

void paste_port_vlans(Map& map, const Selection& selection, const PortVlans& vlans) {
    for (PortRef ref : expand_to_lag_siblings(map, selection)) {
        Port& port = port_at(map, ref);
        port.untagged = vlans.untagged;
        port.tagged = vlans.tagged;
    }
}

std::optional<PortVlans> copy_port_vlans(const Map& map, PortRef ref) {
    if (!names_port(map, ref)) return std::nullopt;
    const Port& port = map.switches[ref.switch_index].ports[ref.port_index];
    return PortVlans{port.untagged, port.tagged};
}

} // namespace quarn
