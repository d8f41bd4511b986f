#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "draw/layout.hpp"
#include "draw/scene.hpp"
#include "draw/topology_layout.hpp"

namespace quarn {

// The state of one update of a scene's parts, shared by the views.
class SceneContext {
  public:
    SceneContext(const Map& map, const SceneOptions& options);

    const Map& map;
    const SceneOptions& options;
    const Palette& palette;

    // Derived once per build.
    Rgb muted_frame; // outline of a dimmed port
    Rgb muted_text;  // writing on a dimmed port
    Rgb face_blend;  // an idle place of the breakdown
    Rgb soft_frame;  // outline of an idle place of the breakdown
    bool face_light = false;

    Scene scene;
    // Drawing parts of their own: each part reserves room for its items.
    bool parts = false;
    float top = 0.0f;   // running top
    float right = 0.0f; // rightmost extent of the content so far

    // The colour of a VLAN by number: the first VLAN of the list with it.
    std::optional<Rgb> vlan_color(std::uint16_t id) const;
    const Vlan* vlan(std::uint16_t id) const;

    bool selected(std::size_t switch_index, std::size_t port_index) const;
    // Whether each of the first `ports` ports of the switch is selected.
    std::vector<bool> selected_on(std::size_t switch_index, std::size_t ports) const;
    bool any_selected() const { return !selected_.empty(); }

    // Mixes 0.82 of the way towards the panel colour.
    Rgb dim(Rgb color) const;

    void add_rect(float x, float y, float width, float height, std::optional<Rgb> fill,
                  std::optional<Rgb> outline, float outline_width);
    void add_line(float x1, float y1, float x2, float y2, float width, Rgb color,
                  LineStyle style = LineStyle::Solid);
    void add_text(std::string_view text, float x, float y, float size, FontWeight weight, TextAlign align,
                  Rgb color);
    // Adds a left-aligned text and counts its guessed width into the extent.
    void add_wide_text(std::string_view text, float x, float y, float size, FontWeight weight, Rgb color);

    // "name  -  model  -  location", in highlight colour for the selected switch.
    void add_switch_title(std::size_t switch_index);

  private:
    // Index + 1 into the VLAN list for the numbers 0..4095, 0 for none; any
    // other number is looked up in the list.
    std::vector<std::uint16_t> vlan_slots_;
    std::vector<PortRef> selected_; // sorted
};

// One switch's part of a view, drawn from the context's top (0 for a part of
// its own); `layout` is lined up with the other switches' and `body_width`
// comes from the common width of the picture.
float front_panel_body_width(float common);
void build_front_panel_switch(SceneContext& context, std::size_t switch_index, const PanelLayout& layout,
                              float body_width);
float breakdown_body_width(float common);
void build_breakdown_switch(SceneContext& context, std::size_t switch_index, const PanelLayout& layout,
                            float body_width);
// The background, whose size is known only at the end, and the site title.
void add_header(SceneContext& context);
// A switch's panel as the view lays it out, before lining up.
PanelLayout switch_layout(const Switch& sw, ViewKind view);
// The switch's part of the front panel or the breakdown, below the gap
// after the switch before it.
void build_switch(SceneContext& context, std::size_t switch_index, const PanelLayout& layout, float common);
// The topology's layout is the whole map's: it is one part.
void build_topology(SceneContext& context);
// What the topology drew of each switch, so that a box can be drawn again
// alone and put in the place of the one drawn before.
struct TopologyBoxes {
    float top = 0.0f;                    // where the layout's boxes start
    std::vector<std::uint8_t> use;       // how each switch uses the chosen VLAN, as drawn
    std::vector<std::size_t> first_item; // each box's first item, and one past the last box's
};
// The same with the map's layout worked out before; `boxes`, when given,
// is filled in.
void build_topology(SceneContext& context, const TopologyLayout& layout, TopologyBoxes* boxes = nullptr);
// Switch s's box drawn again alone, with the use `boxes` holds; the rows of
// the picture it covers.
Span draw_topology_box(SceneContext& context, const TopologyLayout& layout, const TopologyBoxes& boxes,
                       std::size_t s);
// What of a switch the topology's colours for a VLAN read: whether a port
// facing hosts carries it, and for each port facing another switch (a link
// or a LAG's member) whether it carries it. While no switch's reading
// changes, nor the layout, the VLAN's reach and every line stay as drawn.
std::vector<bool> topology_reading(const Switch& sw, std::uint16_t vlan);

} // namespace quarn
