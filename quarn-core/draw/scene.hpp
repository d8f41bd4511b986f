#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "draw/colors.hpp"
#include "draw/scene_items.hpp"
#include "model/map.hpp"

namespace quarn {

// A vertical stretch of the picture, top to bottom.
struct Span {
    float top = 0.0f;
    float bottom = 0.0f;

    bool operator==(const Span&) const = default;
};

// Where a port is drawn, for finding the port under the mouse; in the
// topology, where a switch's box is drawn, with `k_whole_switch` for a port.
struct HitRegion {
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    std::size_t switch_index = 0;
    std::size_t port_index = 0;

    bool operator==(const HitRegion&) const = default;
};

// The port index of a hit region that stands for the whole switch: no
// switch has that many ports.
inline constexpr std::size_t k_whole_switch = static_cast<std::size_t>(-1);

struct Scene {
    SceneItems items;    // the first is always the background
    float width = 0.0f;  // W
    float height = 0.0f; // H
    // Page breaking: blocks that should stay together on one page (one per
    // switch), and finer spans inside blocks at which a block too tall for a
    // page may be cut. Both top to bottom.
    std::vector<Span> blocks;
    std::vector<Span> cuts;
    std::vector<HitRegion> hits;
};

enum class ViewKind : std::uint8_t { FrontPanel, VlanBreakdown, Topology };

struct ViewMode {
    ViewKind kind = ViewKind::FrontPanel;
    bool show_unused = false; // breakdown only: list VLANs that no port of the switch carries

    bool operator==(const ViewMode&) const = default;
};

struct SceneOptions {
    std::optional<std::size_t> selected_switch;
    std::vector<PortRef> selected_ports;
    std::optional<std::uint16_t> selected_vlan;
    Palette palette = k_light_palette;
    bool show_site_title = true;
    ViewMode view;

    // Derived from the view so that the two can never disagree.
    bool front_panel() const { return view.kind == ViewKind::FrontPanel; }
};

// Reads the map only and never fails: whatever the map holds, a picture
// comes out.
Scene build_scene(const Map& map, const SceneOptions& options);

} // namespace quarn
