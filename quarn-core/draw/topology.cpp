#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "draw/scene_context.hpp"
#include "draw/text_fit.hpp"
#include "draw/topology_layout.hpp"
#include "validate/vlan_reach.hpp"

namespace quarn {
namespace {

constexpr float k_margin = 16.0f;
// Above the top row, for the mark of a cut-off switch there.
constexpr float k_mark_room = 16.0f;
constexpr float k_text_inset = 6.0f;
constexpr float k_link_width = 1.5f;
constexpr float k_lag_width = 4.0f;
constexpr float k_ring_gap = 4.0f;

bool carries(const Port& port, std::uint16_t vlan) {
    return !port.disabled && (port.untagged == vlan ||
                              std::find(port.tagged.begin(), port.tagged.end(), vlan) != port.tagged.end());
}

// One end of a link carries the VLAN when its port does, or for a LAG any
// member port; a disabled port passes nothing on.
bool end_carries(const Switch& sw, const std::vector<std::size_t>& ports, std::uint16_t vlan) {
    return std::any_of(ports.begin(), ports.end(), [&](std::size_t p) { return carries(sw.ports[p], vlan); });
}

enum class Use : std::uint8_t { None, Uses, CutOff };

std::vector<Use> vlan_use(const Map& map, std::uint16_t vlan) {
    std::vector<Use> use(map.switches.size(), Use::None);
    for (const ReachGroup& group : vlan_reach(map, vlan).groups)
        for (std::size_t s : group.switches) use[s] = group.cut_off_from ? Use::CutOff : Use::Uses;
    return use;
}

// The key's row: above the boxes, below the site's title.
constexpr float k_key_height = 20.0f;
constexpr float k_key_gap = 12.0f;
constexpr float k_key_sample = 28.0f;
constexpr float k_key_size = 10.0f;

// What each kind of line and outline means, left to right. Without a VLAN,
// the two widths of line; with one, its colours, shown on the same marks as
// the picture uses.
class Key {
  public:
    Key(SceneContext& context, float y) : context_(context), y_(y) {}

    void line(float width, Rgb color, LineStyle style, std::string_view text) {
        context_.add_line(x_, y_, x_ + k_key_sample, y_, width, color, style);
        label(text);
    }

    void box(Rgb outline, float outline_width, bool ringed, std::string_view text) {
        const float top = y_ - 6.0f;
        if (ringed)
            context_.add_rect(x_ - k_ring_gap / 2.0f, top - k_ring_gap / 2.0f, k_key_sample + k_ring_gap,
                              12.0f + k_ring_gap, std::nullopt, outline, 1.5f);
        context_.add_rect(x_, top, k_key_sample, 12.0f, context_.palette.panel, outline, outline_width);
        label(text);
    }

    void title(std::string_view text, FontWeight weight = FontWeight::Bold) {
        context_.add_wide_text(text, x_, y_, k_key_size, weight, context_.palette.text);
        x_ += estimated_text_width(text, k_key_size, weight) + k_key_gap;
    }

  private:
    void label(std::string_view text) {
        const float at = x_ + k_key_sample + 6.0f;
        context_.add_wide_text(text, at, y_, k_key_size, FontWeight::Normal, context_.palette.text);
        x_ = at + estimated_text_width(text, k_key_size, FontWeight::Normal) + k_key_gap + 6.0f;
    }

    SceneContext& context_;
    float x_ = k_margin;
    float y_;
};

std::string second_line(const Switch& sw) {
    std::string text = sw.model;
    if (!sw.model.empty() && !sw.location.empty()) text += "  -  ";
    text += sw.location;
    return text;
}

// The looks of the boxes' words.
struct BoxLooks {
    SceneItems::Index name;
    SceneItems::Index current;
    SceneItems::Index detail;
    SceneItems::Index mark;
};

BoxLooks box_looks(SceneContext& context) {
    const Palette& palette = context.palette;
    const std::optional<std::uint16_t> vlan = context.options.selected_vlan;
    const Rgb vlan_color = vlan ? context.vlan_color(*vlan).value_or(palette.highlight) : palette.highlight;
    SceneItems& items = context.scene.items;
    return {
        items.text_look(11.0f, FontWeight::Bold, TextAlign::Centre, palette.text),
        items.text_look(11.0f, FontWeight::Bold, TextAlign::Centre, palette.highlight),
        items.text_look(9.0f, FontWeight::Normal, TextAlign::Centre, mix(palette.text, palette.panel, 0.35f)),
        items.text_look(9.0f, FontWeight::Bold, TextAlign::Centre, vlan_color)};
}

// Switch s's box at its place, and the rows of the picture it covers.
Span add_box(SceneContext& context, const TopologyLayout& layout, float top, std::size_t s, Use use,
             const BoxLooks& looks) {
    const Palette& palette = context.palette;
    const std::optional<std::uint16_t> vlan = context.options.selected_vlan;
    const Rgb vlan_color = vlan ? context.vlan_color(*vlan).value_or(palette.highlight) : palette.highlight;
    SceneItems& items = context.scene.items;
    const float text_width = k_topology_box_width - 2.0f * k_text_inset;
    const Switch& sw = context.map.switches[s];
    const float x = k_margin + layout.boxes[s].x;
    const float y = top + layout.boxes[s].y;
    const float centre = x + k_topology_box_width / 2.0f;
    if (use == Use::CutOff) {
        context.add_rect(x - k_ring_gap, y - k_ring_gap, k_topology_box_width + 2.0f * k_ring_gap,
                         k_topology_box_height + 2.0f * k_ring_gap, std::nullopt, vlan_color, 1.5f);
        items.add_text(looks.mark, items.add_words("cut off"), centre, y - k_ring_gap - 7.0f);
    }
    if (use == Use::None) {
        context.add_rect(x, y, k_topology_box_width, k_topology_box_height, palette.panel, palette.frame,
                         1.0f);
    } else {
        context.add_rect(x, y, k_topology_box_width, k_topology_box_height, palette.panel, vlan_color, 3.0f);
    }
    const std::string detail = second_line(sw);
    const bool current = context.options.selected_switch == s;
    items.add_text(current ? looks.current : looks.name,
                   items.add_words(cut_text_to_width(sw.name, text_width, 11.0f)), centre,
                   y + (detail.empty() ? k_topology_box_height / 2.0f : 15.0f));
    if (!detail.empty())
        items.add_text(looks.detail, items.add_words(cut_text_to_width(detail, text_width, 9.0f)), centre,
                       y + 31.0f);
    return {y - k_mark_room - k_ring_gap, y + k_topology_box_height + k_ring_gap};
}

} // namespace

std::vector<bool> topology_reading(const Switch& sw, std::uint16_t vlan) {
    std::vector<bool> lagged(sw.ports.size(), false);
    for (const Lag& lag : sw.lags)
        for (const std::string& member : lag.members)
            for (std::size_t p = 0; p < sw.ports.size(); ++p)
                if (sw.ports[p].label == member) lagged[p] = true;
    std::vector<bool> reading{false};
    for (std::size_t p = 0; p < sw.ports.size(); ++p) {
        const bool carried = carries(sw.ports[p], vlan);
        if (sw.ports[p].link || lagged[p])
            reading.push_back(carried);
        else if (carried)
            reading[0] = true;
    }
    return reading;
}

Span draw_topology_box(SceneContext& context, const TopologyLayout& layout, const TopologyBoxes& boxes,
                       std::size_t s) {
    return add_box(context, layout, boxes.top, s, static_cast<Use>(boxes.use[s]), box_looks(context));
}

// Each switch a box with its name, and its model and location below when
// given; each link a line, a LAG a thicker one with its member count. With a
// VLAN chosen, links carrying it at both ends take its colour, at one end a
// dashed line of its colour, the others grey; switches that use it are
// outlined in its colour, and those of a cut-off group get a second outline
// and the mark "cut off" above. The current switch's name is in the
// highlight colour, as its title is in the other views.
void build_topology(SceneContext& context) {
    if (context.map.switches.empty()) return;
    build_topology(context, layout_topology(context.map));
}

void build_topology(SceneContext& context, const TopologyLayout& layout, TopologyBoxes* boxes) {
    const Map& map = context.map;
    if (map.switches.empty()) return;
    const Palette& palette = context.palette;
    const float left = k_margin;

    const std::optional<std::uint16_t> vlan = context.options.selected_vlan;
    const Rgb vlan_color = vlan ? context.vlan_color(*vlan).value_or(palette.highlight) : palette.highlight;
    const Rgb grey = mix(palette.frame, palette.background, 0.45f);

    const float key_top = context.top;
    Key key(context, key_top + k_key_height / 2.0f);
    if (vlan) {
        const Vlan* chosen = context.vlan(*vlan);
        key.title("VLAN " + std::to_string(*vlan) +
                  (chosen && !chosen->name.empty() ? " " + chosen->name : "") + ":");
        key.line(k_link_width, vlan_color, LineStyle::Solid, "carried at both ends");
        key.line(k_link_width, vlan_color, LineStyle::Dashed, "at one end only");
        key.line(k_link_width, grey, LineStyle::Solid, "not carried");
        key.box(vlan_color, 3.0f, false, "uses the VLAN");
        key.box(vlan_color, 3.0f, true, "cut off from the others");
    } else {
        key.line(k_link_width, palette.frame, LineStyle::Solid, "Link");
        key.line(k_lag_width, palette.frame, LineStyle::Solid, "LAG, with its number of ports");
        key.title("Select a VLAN with Highlight Selected VLAN on to see where it runs.", FontWeight::Normal);
    }
    const float top = key_top + k_key_height + k_mark_room;
    const std::vector<Use> use =
        vlan ? vlan_use(map, *vlan) : std::vector<Use>(map.switches.size(), Use::None);

    SceneItems& items = context.scene.items;
    items.reserve(items.size() + layout.links.size() * 5 + map.switches.size() * 6, map.switches.size() * 2,
                  map.switches.size() * 24);
    context.scene.hits.reserve(map.switches.size());

    const SceneItems::Index count_look =
        items.text_look(9.0f, FontWeight::Bold, TextAlign::Centre, palette.text);
    for (std::size_t i = 0; i < layout.links.size(); ++i) {
        const TopologyLink& link = layout.links[i];
        Rgb color = palette.frame;
        LineStyle style = LineStyle::Solid;
        if (vlan) {
            const bool near = end_carries(map.switches[link.from], link.from_ports, *vlan);
            const bool far = end_carries(map.switches[link.to], link.to_ports, *vlan);
            color = near || far ? vlan_color : grey;
            if (near != far) style = LineStyle::Dashed;
        }
        const float width = link.members > 0 ? k_lag_width : k_link_width;
        const std::vector<PlacePoint>& route = layout.routes[i];
        for (std::size_t k = 1; k < route.size(); ++k)
            context.add_line(left + route[k - 1].x, top + route[k - 1].y, left + route[k].x, top + route[k].y,
                             width, color, style);
        if (link.members > 0) {
            const std::string count = std::to_string(link.members) + "x";
            const float label_width = estimated_text_width(count, 9.0f, FontWeight::Bold) + 4.0f;
            const PlacePoint at = layout.labels[i];
            context.add_rect(left + at.x - label_width / 2.0f, top + at.y - 6.0f, label_width, 12.0f,
                             palette.background, std::nullopt, 0.0f);
            items.add_text(count_look, items.add_words(count), left + at.x, top + at.y);
        }
    }

    const BoxLooks looks = box_looks(context);
    if (boxes != nullptr) {
        boxes->top = top;
        boxes->use.assign(use.size(), 0);
        boxes->first_item.clear();
    }
    for (std::size_t s = 0; s < map.switches.size(); ++s) {
        if (boxes != nullptr) {
            boxes->use[s] = static_cast<std::uint8_t>(use[s]);
            boxes->first_item.push_back(items.size());
        }
        (void)add_box(context, layout, top, s, use[s], looks);
        const float x = left + layout.boxes[s].x;
        const float y = top + layout.boxes[s].y;
        context.scene.hits.push_back({x, y, k_topology_box_width, k_topology_box_height, s, k_whole_switch});
    }
    if (boxes != nullptr) boxes->first_item.push_back(items.size());

    // A page break falls between rows of boxes, never through one, nor
    // between the key and the first row.
    for (float row_top : layout.row_tops) {
        Span row{top + row_top - k_mark_room, top + row_top + k_topology_box_height};
        if (context.scene.blocks.empty()) row.top = key_top;
        context.scene.blocks.push_back(row);
        context.scene.cuts.push_back(row);
    }
    context.right = std::max(context.right, left + layout.width);
    context.top = top + layout.height;
}

} // namespace quarn
