#pragma once

#include <cstddef>
#include <vector>

#include "draw/layout.hpp"
#include "model/map.hpp"

namespace quarn {

// A line of the topology: an uplink between ports of two switches of the
// map, or a LAG whose members lead to one switch (by its peer, or by the
// members' own uplinks). Links to switches that are not in the map, and
// links of a switch to itself, are left out.
struct TopologyLink {
    std::size_t from = 0; // switch index; the end found first in map order
    std::size_t to = 0;
    // The ports of each end: the uplink's port, or the LAG's member ports.
    // Empty for an end whose port or LAG the link names but the map lacks.
    std::vector<std::size_t> from_ports;
    std::vector<std::size_t> to_ports;
    std::size_t members = 0; // member ports of a LAG, 0 for an uplink

    bool operator==(const TopologyLink&) const = default;
};

// LAGs in map order, then uplinks in map order of their first end.
std::vector<TopologyLink> topology_links(const Map& map);

inline constexpr float k_topology_box_width = 168.0f;
inline constexpr float k_topology_box_height = 44.0f;

// Where the topology puts each switch and runs each link, in layout
// coordinates from (0, 0).
//
// Layers as a campus reads: in each linked part of the map the switch with
// the most links (of equal ones the first in the map) on top, every other
// switch one layer below the nearest switch above it by hops, so a link
// joins two switches of one layer or of two neighbouring layers. The parts
// stand side by side in map order of their top switch; switches without
// links fill rows of ten below them. Within a layer, switches are ordered by
// the mean position of their neighbours, sweeping down and up a few times,
// so lines stay short and cross little; ties keep the order of the search,
// which takes neighbours in map order. Each switch then stands under the
// mean of its neighbours above; switches that would stand closer than a
// column apart form a block centred on what its members want, so a small
// edit moves the block it touches and leaves the rest of the layer.
//
// Rows of boxes are separated by bands that hold no box: a link between
// neighbouring layers runs straight across the band between them, a link
// within a layer dips into the band below its row and back up. So no line
// runs through a box, whatever the map.
struct TopologyLayout {
    std::vector<TopologyLink> links;
    std::vector<PlacePoint> boxes; // top-left corner, by switch index
    // Each link's line as points, in link order: two for a straight line,
    // four for one that dips into the band below its row.
    std::vector<std::vector<PlacePoint>> routes;
    std::vector<PlacePoint> labels; // the middle of each link's line
    std::vector<float> row_tops;    // top of each row of boxes, top to bottom
    float width = 0.0f;
    float height = 0.0f;

    bool operator==(const TopologyLayout&) const = default;
};

TopologyLayout layout_topology(const Map& map);

} // namespace quarn
