#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/map.hpp"

namespace quarn {

// The LAG of the switch that each port belongs to, by port index: the first
// LAG whose members name the port's label. Two ports bearing one label are
// both in it, as the toggles drag both along.
std::vector<std::optional<std::size_t>> port_lags(const Switch& sw);

// A LAG or an uplink of one switch, drawn as a lane below its panel.
struct Connection {
    std::size_t number = 0; // picks the colour: LAGs by list position, then uplinks
    std::string name;
    std::vector<std::size_t> ports; // port indices, LAG members in member order
};

// The switch's LAGs that have at least one member port, numbered by their
// position in the LAG list, then every port with an uplink, in port order,
// numbered on from the number of LAGs.
std::vector<Connection> switch_connections(const Switch& sw,
                                           std::span<const std::optional<std::size_t>> lags_of_ports);

// One connection as the lane assignment sees it, in picture x.
struct LaneRequest {
    float left = 0.0f; // leftmost member x
    float right = 0.0f;
    float label_x = 0.0f;
    float label_width = 0.0f;
};

struct LanePlan {
    std::vector<std::size_t> order; // indices into the requests, sorted by start
    std::vector<std::size_t> lanes; // lane number by request index
    std::size_t lane_count = 0;
};

// Connections sorted by their start (the smaller of left and label x) take
// the first lane whose occupied end plus 12 does not pass their start, or a
// new lane; the lane is then occupied up to their right or label end.
LanePlan assign_lanes(std::span<const LaneRequest> requests);

} // namespace quarn
