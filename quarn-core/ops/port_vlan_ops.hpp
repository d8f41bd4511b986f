#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/map.hpp"

namespace quarn {

// Selected ports; pairs that name no port are ignored by every operation.
using Selection = std::vector<PortRef>;

// A port's VLANs, as Copy Port VLANs keeps them for Paste.
struct PortVlans {
    std::optional<std::uint16_t> untagged;
    std::vector<std::uint16_t> tagged;

    bool operator==(const PortVlans&) const = default;
};

// The affected set: the selection plus, for each selected port, every port
// of its switch that belongs to the first LAG naming the port's label;
// sorted, without repeats and without pairs that name no port.
Selection expand_to_lag_siblings(const Map& map, const Selection& selection);

// The VLAN operations below act on the affected set, so a LAG's members keep
// carrying the same VLANs.
void set_untagged(Map& map, const Selection& selection, std::optional<std::uint16_t> vlan);
void toggle_untagged(Map& map, const Selection& selection, std::uint16_t vlan);
void toggle_tagged(Map& map, const Selection& selection, std::uint16_t vlan);

// Clear VLANs: no untagged VLAN and no tagged VLANs.
void clear_port_vlans(Map& map, const Selection& selection);

// Paste Port VLANs: every affected port takes the copied pair exactly.
void paste_port_vlans(Map& map, const Selection& selection, const PortVlans& vlans);

// Nothing when the reference names no port.
std::optional<PortVlans> copy_port_vlans(const Map& map, PortRef port);

} // namespace quarn
