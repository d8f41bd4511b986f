#include <algorithm>
#include <string>

#include "draw/layout.hpp"
#include "draw/scene_context.hpp"
#include "draw/text_fit.hpp"

namespace quarn {
namespace {

constexpr float k_switch_gap = 16.0f;
constexpr float k_margin = 16.0f;
constexpr float k_swatch = 14.0f;
constexpr float k_label_x = 36.0f;
constexpr float k_body_x = 192.0f;
constexpr float k_row_gap = 4.0f;
constexpr float k_place_w = k_compact_geometry.place_width;
constexpr float k_place_h = k_compact_geometry.place_height;
// "{id} {name}" at size 11 from x 36 must end before the body at x 192.
constexpr float k_label_width = k_body_x - k_label_x - 4.0f;
// What fits in a compact place at size 8: the whole text of an idle place,
// and the port label in front of " U" or " T".
constexpr std::size_t k_place_text_limit = 6;
constexpr std::size_t k_marked_label_limit = 4;

enum class Carriage { None, Untagged, Tagged };

Carriage carriage(const Port& port, std::uint16_t vlan) {
    if (port.untagged == vlan) return Carriage::Untagged;
    if (std::find(port.tagged.begin(), port.tagged.end(), vlan) != port.tagged.end()) return Carriage::Tagged;
    return Carriage::None;
}

// The VLAN numbers that the switch's ports carry, sorted, once each.
std::vector<std::uint16_t> carried_vlans(const Switch& sw) {
    std::vector<std::uint16_t> ids;
    for (const Port& port : sw.ports) {
        if (port.untagged) ids.push_back(*port.untagged);
        ids.insert(ids.end(), port.tagged.begin(), port.tagged.end());
    }
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

// One compact place of a row. A port carrying the row's VLAN untagged is
// filled with the VLAN's colour and marked U; carried tagged, it gets a pale
// tint of the colour inside a frame of the full colour and is marked T;
// otherwise it stays a plain face with its label in grey, so the row still
// shows which port is which.
// The shortened port labels of one switch, worked out once for all its rows.
struct PlaceLabels {
    std::vector<std::string> idle;   // the whole text of an idle place
    std::vector<std::string> marked; // what stands before " U" or " T"
};

PlaceLabels place_labels(const Switch& sw, std::size_t places) {
    PlaceLabels labels;
    labels.idle.reserve(places);
    labels.marked.reserve(places);
    for (std::size_t p = 0; p < places; ++p) {
        labels.idle.push_back(short_port_label(sw.ports[p].label, k_place_text_limit));
        labels.marked.push_back(short_port_label(sw.ports[p].label, k_marked_label_limit));
    }
    return labels;
}

// The looks of the three kinds of place in one row.
struct PlaceStyle {
    Rgb fill;
    Rgb outline;
    float outline_width = 1.0f;
    Rgb ink;
};

struct RowStyles {
    PlaceStyle idle;
    PlaceStyle untagged;
    PlaceStyle tagged;
};

RowStyles row_styles(const SceneContext& context, const Vlan& vlan) {
    const Palette& palette = context.palette;
    RowStyles styles;
    styles.idle = {context.face_blend, context.soft_frame, 1.0f, mix(palette.text, palette.panel, 0.5f)};
    styles.untagged = {vlan.color, palette.frame, 1.0f, text_on(vlan.color)};
    const Rgb tint = mix(vlan.color, palette.face, 0.65f);
    styles.tagged = {tint, vlan.color, 2.0f, text_on(tint)};
    return styles;
}

void draw_compact_place(SceneContext& context, std::size_t switch_index, std::size_t port_index,
                        const Port& port, const PlaceLabels& labels, const Vlan& vlan,
                        const RowStyles& styles, float x, float y) {
    const PlaceStyle* style = &styles.idle;
    std::string text;
    switch (carriage(port, vlan.id)) {
    case Carriage::Untagged:
        style = &styles.untagged;
        text = labels.marked[port_index];
        text += " U";
        break;
    case Carriage::Tagged:
        style = &styles.tagged;
        text = labels.marked[port_index];
        text += " T";
        break;
    case Carriage::None:
        text = labels.idle[port_index];
        break;
    }
    if (context.selected(switch_index, port_index)) {
        context.add_rect(x, y, k_place_w, k_place_h, style->fill, context.palette.highlight, 2.0f);
    } else {
        context.add_rect(x, y, k_place_w, k_place_h, style->fill, style->outline, style->outline_width);
    }
    context.add_text(std::move(text), x + k_place_w / 2.0f, y + k_place_h / 2.0f, 8.0f, FontWeight::Regular,
                     TextAlign::Centre, style->ink);
    if (port.disabled) context.add_line(x, y + k_place_h, x + k_place_w, y, 1.0f, style->ink);
    context.scene.hits.push_back({x, y, k_place_w, k_place_h, switch_index, port_index});
}

} // namespace

void build_breakdown(SceneContext& context) {
    const std::vector<Switch>& switches = context.map.switches;
    std::vector<PanelLayout> layouts;
    layouts.reserve(switches.size());
    for (const Switch& sw : switches)
        layouts.push_back(place_ports(sw.groups, k_compact_geometry, sw.ports.size()));
    const float common = line_up_panels(layouts);
    const float body_width = common + 6.0f;

    // The rows of every switch first, so that the item list is allocated
    // once: a big map has over a million items in this view.
    std::vector<std::vector<const Vlan*>> rows_of(switches.size());
    std::size_t items = 0;
    for (std::size_t s = 0; s < switches.size(); ++s) {
        const std::vector<std::uint16_t> carried = carried_vlans(switches[s]);
        for (const Vlan& vlan : context.map.vlans) {
            if (context.options.view.show_unused ||
                std::binary_search(carried.begin(), carried.end(), vlan.id))
                rows_of[s].push_back(&vlan);
        }
        const std::size_t places = layouts[s].places.size() + layouts[s].twins.size();
        items += rows_of[s].size() * (3 + 2 * places);
    }
    context.scene.items.reserve(context.scene.items.size() + items + 2 * switches.size());
    context.scene.hits.reserve(items / 2);

    for (std::size_t s = 0; s < switches.size(); ++s) {
        const Switch& sw = switches[s];
        const PanelLayout& layout = layouts[s];
        const std::vector<const Vlan*>& rows = rows_of[s];
        if (s > 0) context.top += k_switch_gap;
        const float block_top = context.top;
        context.add_switch_title(s);
        context.top += 24.0f;

        if (rows.empty()) {
            context.add_wide_text("No VLANs on This Switch", k_margin, context.top + 8.0f, 11.0f,
                                  FontWeight::Regular, context.palette.text);
            context.top += 16.0f;
            context.scene.cuts.push_back({block_top, context.top});
            context.scene.blocks.push_back({block_top, context.top});
            continue;
        }

        context.right = std::max(context.right, k_body_x + body_width);
        const PlaceLabels labels = place_labels(sw, layout.places.size());
        const float row_height = layout.height + 6.0f;
        // A switch without places has rows lower than the swatch; the swatch
        // then decides how far the rows lie apart.
        const float swatch_offset = (row_height - k_swatch) / 2.0f;
        const float row_top_extent = std::min(0.0f, swatch_offset);
        const float row_extent = std::max(row_height, swatch_offset + k_swatch);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const Vlan& vlan = *rows[r];
            if (r > 0) context.top += k_row_gap - row_top_extent;
            const float row_top = context.top;
            context.add_rect(k_margin, row_top + swatch_offset, k_swatch, k_swatch, vlan.color,
                             context.palette.frame, 1.0f);
            context.add_text(
                cut_text_to_width(std::to_string(vlan.id) + " " + vlan.name, k_label_width, 11.0f), k_label_x,
                row_top + row_height / 2.0f, 11.0f, FontWeight::Regular, TextAlign::Left,
                context.palette.text);
            context.add_rect(k_body_x, row_top, body_width, row_height, context.palette.panel,
                             context.palette.frame, 1.0f);
            const RowStyles styles = row_styles(context, vlan);
            for (std::size_t p = 0; p < layout.places.size(); ++p) {
                draw_compact_place(context, s, p, sw.ports[p], labels, vlan, styles,
                                   k_body_x + 3.0f + layout.places[p].x, row_top + 3.0f + layout.places[p].y);
            }
            for (const TwinPlace& twin : layout.twins) {
                draw_compact_place(context, s, twin.place, sw.ports[twin.place], labels, vlan, styles,
                                   k_body_x + 3.0f + twin.x, row_top + 3.0f + twin.y);
            }
            context.top = row_top + row_extent;
            // The title stays with the first row on a page.
            context.scene.cuts.push_back({r == 0 ? block_top : row_top + row_top_extent, context.top});
        }
        context.scene.blocks.push_back({block_top, context.top});
    }
}

} // namespace quarn
