#pragma once

#include <cstddef>
#include <limits>
#include <span>
#include <vector>

#include "model/map.hpp"

namespace quarn {

// Sizes of one port place and the spaces between places, in scene units.
struct PanelGeometry {
    float place_width = 0.0f;
    float place_height = 0.0f;
    float gap = 0.0f;
    float block_gap = 0.0f;

    constexpr float column_pitch() const { return place_width + gap; }
    constexpr float row_pitch() const { return place_height + gap; }
};

// The range in which a group's gap_after (in place widths) is drawn; a value
// outside it is drawn as the nearest end, one that is not a number as 0. The
// file keeps what it holds, but no stored value can make a drawing that is
// not finite (two gaps of 3e38 add up to infinity) or put places outside the
// picture (a negative gap pulls them left of the panel).
inline constexpr float k_max_gap_after = 64.0f;

inline constexpr PanelGeometry k_front_panel_geometry{38.0f, 40.0f, 3.0f, 8.0f};
inline constexpr PanelGeometry k_compact_geometry{34.0f, 18.0f, 2.0f, 6.0f};

struct PlacePoint {
    float x = 0.0f;
    float y = 0.0f;

    bool operator==(const PlacePoint&) const = default;
};

// The second position of a place of a `Dual` group: its SFP cage.
struct TwinPlace {
    std::size_t place = 0;
    float x = 0.0f;
    float y = 0.0f;

    bool operator==(const TwinPlace&) const = default;
};

// The positions of one switch's places in local panel coordinates.
struct PanelLayout {
    std::vector<PlacePoint> places; // by place index
    std::vector<TwinPlace> twins;
    std::vector<std::size_t> right_places; // place indices of the right-hand section
    float width = 0.0f;
    float height = 0.0f;
};

// Places with an index of `place_limit` or more get no position (the widths
// still count them), so a switch whose groups promise more places than it has
// ports cannot make the layout allocate for places nobody draws.
PanelLayout place_ports(std::span<const PortGroup> groups, const PanelGeometry& geometry,
                        std::size_t place_limit = std::numeric_limits<std::size_t>::max());

// Lines up the panels of one picture: the right-hand places and the SFP twins
// of every layout move right so that all right-hand sections end at the
// common width, which is returned (the widest layout, 0 for none).
float line_up_panels(std::span<PanelLayout> layouts);
// Lines up one panel with a common width found before.
void line_up_panel(PanelLayout& layout, float common);

} // namespace quarn
