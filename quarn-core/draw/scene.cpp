#include "draw/scene.hpp"

#include <algorithm>

#include "draw/scene_context.hpp"
#include "draw/text_fit.hpp"

namespace quarn {
namespace {

constexpr std::size_t k_vlan_slots = 4096;
constexpr float k_margin = 16.0f;
constexpr float k_switch_gap = 16.0f;

} // namespace

SceneContext::SceneContext(const Map& map_, const SceneOptions& options_)
    : map(map_), options(options_), palette(options_.palette), vlan_slots_(k_vlan_slots, 0),
      selected_(options_.selected_ports) {
    muted_frame = mix(palette.frame, palette.panel, 0.82f);
    muted_text = mix(palette.text, palette.panel, 0.82f);
    face_blend = mix(palette.panel, palette.face, 0.5f);
    soft_frame = mix(palette.frame, palette.panel, 0.6f);
    face_light = is_light(palette.face);

    for (std::size_t i = 0; i < map.vlans.size() && i + 1 < 0x10000; ++i) {
        const std::uint16_t id = map.vlans[i].id;
        if (id < k_vlan_slots && vlan_slots_[id] == 0) vlan_slots_[id] = static_cast<std::uint16_t>(i + 1);
    }
    std::sort(selected_.begin(), selected_.end());
}

const Vlan* SceneContext::vlan(std::uint16_t id) const {
    if (id < k_vlan_slots && map.vlans.size() < 0x10000) {
        const std::uint16_t slot = vlan_slots_[id];
        return slot == 0 ? nullptr : &map.vlans[slot - 1u];
    }
    auto index = find_vlan(map, id);
    return index ? &map.vlans[*index] : nullptr;
}

std::optional<Rgb> SceneContext::vlan_color(std::uint16_t id) const {
    const Vlan* found = vlan(id);
    if (found == nullptr) return std::nullopt;
    return found->color;
}

bool SceneContext::selected(std::size_t switch_index, std::size_t port_index) const {
    return !selected_.empty() &&
           std::binary_search(selected_.begin(), selected_.end(), PortRef{switch_index, port_index});
}

Rgb SceneContext::dim(Rgb color) const {
    return mix(color, palette.panel, 0.82f);
}

std::vector<bool> SceneContext::selected_on(std::size_t switch_index, std::size_t ports) const {
    std::vector<bool> marks(ports, false);
    auto first = std::lower_bound(selected_.begin(), selected_.end(), PortRef{switch_index, 0});
    for (auto it = first; it != selected_.end() && it->switch_index == switch_index; ++it)
        if (it->port_index < ports) marks[it->port_index] = true;
    return marks;
}

void SceneContext::add_rect(float x, float y, float width, float height, std::optional<Rgb> fill,
                            std::optional<Rgb> outline, float outline_width) {
    scene.items.add(scene.items.rect_look(width, height, fill, outline, outline_width), x, y);
}

void SceneContext::add_line(float x1, float y1, float x2, float y2, float width, Rgb color, LineStyle style) {
    scene.items.add(scene.items.line_look(x2, y2, width, color, style), x1, y1);
}

void SceneContext::add_text(std::string_view text, float x, float y, float size, FontWeight weight,
                            TextAlign align, Rgb color) {
    scene.items.add_text(scene.items.text_look(size, weight, align, color), scene.items.add_words(text), x,
                         y);
}

void SceneContext::add_wide_text(std::string_view text, float x, float y, float size, FontWeight weight,
                                 Rgb color) {
    right = std::max(right, x + estimated_text_width(text, size, weight));
    add_text(text, x, y, size, weight, TextAlign::Left, color);
}

void SceneContext::add_switch_title(std::size_t switch_index) {
    const Switch& sw = map.switches[switch_index];
    std::string title = sw.name;
    if (!sw.model.empty()) title += "  -  " + sw.model;
    if (!sw.location.empty()) title += "  -  " + sw.location;
    const bool highlighted = options.selected_switch == switch_index;
    add_wide_text(title, k_margin, top + 9.0f, 12.0f, FontWeight::Bold,
                  highlighted ? palette.highlight : palette.text);
}

void add_header(SceneContext& context) {
    context.add_rect(0.0f, 0.0f, 0.0f, 0.0f, context.palette.background, std::nullopt, 0.0f);
    context.top = k_margin;
    context.right = k_margin;
    if (context.options.show_site_title && !context.map.site.empty()) {
        context.add_wide_text(context.map.site, k_margin, 26.0f, 16.0f, FontWeight::Bold,
                              context.palette.text);
        context.top = 46.0f;
    }
}

PanelLayout switch_layout(const Switch& sw, ViewKind view) {
    return place_ports(sw.groups, view == ViewKind::FrontPanel ? k_front_panel_geometry : k_compact_geometry,
                       sw.ports.size());
}

void build_switch(SceneContext& context, std::size_t switch_index, const PanelLayout& layout, float common) {
    if (switch_index > 0) context.top += k_switch_gap;
    if (context.options.front_panel()) {
        build_front_panel_switch(context, switch_index, layout, front_panel_body_width(common));
    } else {
        build_breakdown_switch(context, switch_index, layout, breakdown_body_width(common));
    }
}

Scene build_scene(const Map& map, const SceneOptions& options) {
    SceneContext context(map, options);
    if (options.front_panel()) {
        // At most seven items and two texts of a few bytes a port.
        std::size_t ports = 0;
        for (const Switch& sw : map.switches) ports += sw.ports.size();
        context.scene.items.reserve(2 + map.switches.size() * 16 + ports * 7,
                                    map.switches.size() * 8 + ports * 2, ports * 12);
        context.scene.hits.reserve(ports);
    }
    add_header(context);

    if (options.view.kind == ViewKind::Topology) {
        build_topology(context);
    } else {
        std::vector<PanelLayout> layouts;
        layouts.reserve(map.switches.size());
        for (const Switch& sw : map.switches) layouts.push_back(switch_layout(sw, options.view.kind));
        const float common = line_up_panels(layouts);
        for (std::size_t s = 0; s < map.switches.size(); ++s) build_switch(context, s, layouts[s], common);
    }

    Scene& scene = context.scene;
    scene.width = context.right + k_margin;
    scene.height = context.top + k_margin;
    scene.items.replace(
        0, Rect{0.0f, 0.0f, scene.width, scene.height, options.palette.background, std::nullopt, 0.0f});
    return std::move(context.scene);
}

} // namespace quarn
