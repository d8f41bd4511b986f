#include "app/port_panel_view.hpp"

namespace quarn::app {
namespace {

const Port* port_of(const Map& map, PortRef ref) {
    if (ref.switch_index >= map.switches.size()) return nullptr;
    const Switch& sw = map.switches[ref.switch_index];
    if (ref.port_index >= sw.ports.size()) return nullptr;
    return &sw.ports[ref.port_index];
}

std::string vlan_line(const Map& map, std::uint16_t id, const char* mark) {
    std::string line = std::to_string(id) + " " + mark;
    if (auto index = find_vlan(map, id)) line += "  " + map.vlans[*index].name;
    return line;
}

} // namespace

PortPanelView port_panel_view(const Map& map, std::span<const PortRef> selection,
                              std::optional<std::uint16_t> selected_vlan) {
    PortPanelView view;
    view.vlan_text = "VLAN: None Selected";
    if (selected_vlan) {
        view.vlan_text = "VLAN: " + std::to_string(*selected_vlan);
        if (auto index = find_vlan(map, *selected_vlan)) view.vlan_text += " " + map.vlans[*index].name;
    }

    std::vector<std::pair<PortRef, const Port*>> ports;
    for (PortRef ref : selection)
        if (const Port* port = port_of(map, ref)) ports.emplace_back(ref, port);

    if (ports.empty()) {
        view.selection_text = "No Ports Selected";
        return view;
    }
    if (ports.size() == 1) {
        const auto& [ref, port] = ports.front();
        view.selection_text = map.switches[ref.switch_index].name + " port " + port->label;
        view.label = port->label;
        view.label_enabled = true;
    } else {
        view.selection_text = std::to_string(ports.size()) + " Ports Selected";
    }

    const Port& first = *ports.front().second;
    bool same_vlans = true, same_description = true, all_disabled = true;
    for (const auto& [ref, port] : ports) {
        same_vlans = same_vlans && port->untagged == first.untagged && port->tagged == first.tagged;
        same_description = same_description && port->description == first.description;
        all_disabled = all_disabled && port->disabled;
    }
    if (same_vlans) {
        if (first.untagged) view.port_vlans.push_back(vlan_line(map, *first.untagged, "U"));
        for (std::uint16_t id : first.tagged) view.port_vlans.push_back(vlan_line(map, id, "T"));
    } else {
        view.port_vlans.push_back("The selected ports differ.");
    }
    if (same_description) view.description = first.description;
    view.description_enabled = true;
    view.disabled_checked = all_disabled;
    view.disabled_enabled = true;
    return view;
}

} // namespace quarn::app
