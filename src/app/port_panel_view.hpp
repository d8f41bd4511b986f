#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/map.hpp"

namespace quarn::app {

// Everything the port panel shows for a selection, decided without windows so
// that it can be tested.
struct PortPanelView {
    std::string selection_text;          // "No Ports Selected", "{} Ports Selected" or the one port's name
    std::string vlan_text;               // "VLAN: None Selected" or "VLAN: {} {}"
    std::vector<std::string> port_vlans; // lines of "VLANs on This Port:"
    std::string label;
    std::string description;
    bool label_enabled = false;       // only one port can be renamed at a time
    bool description_enabled = false; // one or more ports
    bool disabled_checked = false;    // every selected port is disabled
    bool disabled_enabled = false;

    bool operator==(const PortPanelView&) const = default;
};

PortPanelView port_panel_view(const Map& map, std::span<const PortRef> selection,
                              std::optional<std::uint16_t> selected_vlan);

} // namespace quarn::app
