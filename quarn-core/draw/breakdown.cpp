#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "draw/layout.hpp"
#include "draw/scene_context.hpp"
#include "draw/text_fit.hpp"

namespace quarn {
namespace {

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

using Index = SceneItems::Index;

// The three kinds of place in a row, in the order of the tables below.
enum Carriage : std::size_t { None, Untagged, Tagged };

Carriage carriage(const Port& port, std::uint16_t vlan) {
    if (port.untagged == vlan) return Untagged;
    if (std::find(port.tagged.begin(), port.tagged.end(), vlan) != port.tagged.end()) return Tagged;
    return None;
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

// What a compact place says, by kind of place: the shortened label of an
// idle place, "{label} U" and "{label} T" for the others. Worked out once
// for all the rows of a switch, and each kept once in the scene.
std::vector<std::array<Index, 3>> place_words(SceneItems& items, const Switch& sw, std::size_t places) {
    std::vector<std::array<Index, 3>> words(places);
    for (std::size_t p = 0; p < places; ++p) {
        const std::string& label = sw.ports[p].label;
        words[p][None] = items.add_words(short_port_label(label, k_place_text_limit));
        const std::string marked = short_port_label(label, k_marked_label_limit);
        words[p][Untagged] = items.add_words(marked + " U");
        words[p][Tagged] = items.add_words(marked + " T");
    }
    return words;
}

// The looks of a place of one row, by kind of place. A port carrying the
// row's VLAN untagged is filled with the VLAN's colour and marked U; carried
// tagged, it gets a pale tint of the colour inside a frame of the full
// colour and is marked T; otherwise it stays a plain face with its label in
// grey, so the row still shows which port is which. A selected place keeps
// its fill inside a frame of the highlight colour.
struct RowLooks {
    std::array<Index, 3> place;
    std::array<Index, 3> selected_place;
    std::array<Index, 3> words;
    std::array<Rgb, 3> ink;
};

RowLooks row_looks(SceneContext& context, const Vlan& vlan) {
    const Palette& palette = context.palette;
    struct Style {
        Rgb fill;
        Rgb outline;
        float outline_width;
        Rgb ink;
    };
    const Rgb tint = mix(vlan.color, palette.face, 0.65f);
    const Style styles[3] = {
        {context.face_blend, context.soft_frame, 1.0f, mix(palette.text, palette.panel, 0.5f)},
        {vlan.color, palette.frame, 1.0f, text_on(vlan.color)},
        {tint, vlan.color, 2.0f, text_on(tint)},
    };
    SceneItems& items = context.scene.items;
    RowLooks looks;
    for (std::size_t k = 0; k < 3; ++k) {
        const Style& style = styles[k];
        looks.place[k] =
            items.rect_look(k_place_w, k_place_h, style.fill, style.outline, style.outline_width);
        looks.selected_place[k] = items.rect_look(k_place_w, k_place_h, style.fill, palette.highlight, 2.0f);
        looks.words[k] = items.text_look(8.0f, FontWeight::Normal, TextAlign::Centre, style.ink);
        looks.ink[k] = style.ink;
    }
    return looks;
}

} // namespace

float breakdown_body_width(float common) {
    return common + 6.0f;
}

void build_breakdown_switch(SceneContext& context, std::size_t s, const PanelLayout& layout,
                            float body_width) {
    const Switch& sw = context.map.switches[s];
    const std::vector<std::uint16_t> carried = carried_vlans(sw);
    std::vector<const Vlan*> rows;
    for (const Vlan& vlan : context.map.vlans) {
        if (context.options.view.show_unused || std::binary_search(carried.begin(), carried.end(), vlan.id))
            rows.push_back(&vlan);
    }

    // A part's item list is allocated once and exactly: a big switch shows
    // thousands of items in this view.
    std::size_t marks = 2 * layout.places.size();
    for (std::size_t p = 0; p < layout.places.size(); ++p) marks += sw.ports[p].disabled ? 1 : 0;
    for (const TwinPlace& twin : layout.twins) marks += sw.ports[twin.place].disabled ? 3 : 2;
    SceneItems& scene_items = context.scene.items;
    if (context.parts) {
        scene_items.reserve(1 + std::max<std::size_t>(1, rows.size() * (3 + marks)));
        context.scene.hits.reserve(rows.size() * (layout.places.size() + layout.twins.size()));
    }

    const float block_top = context.top;
    context.add_switch_title(s);
    context.top += 24.0f;

    if (rows.empty()) {
        context.add_wide_text("No VLANs on This Switch", k_margin, context.top + 8.0f, 11.0f,
                              FontWeight::Normal, context.palette.text);
        context.top += 16.0f;
        context.scene.cuts.push_back({block_top, context.top});
        context.scene.blocks.push_back({block_top, context.top});
        return;
    }

    const Index label_look =
        scene_items.text_look(11.0f, FontWeight::Normal, TextAlign::Left, context.palette.text);
    context.right = std::max(context.right, k_body_x + body_width);
    const std::vector<std::array<Index, 3>> words = place_words(scene_items, sw, layout.places.size());
    const std::vector<bool> selected = context.selected_on(s, layout.places.size());
    const float row_height = layout.height + 6.0f;
    const Index body_look =
        scene_items.rect_look(body_width, row_height, context.palette.panel, context.palette.frame, 1.0f);
    // A switch without places has rows lower than the swatch; the swatch
    // then decides how far the rows lie apart.
    const float swatch_offset = (row_height - k_swatch) / 2.0f;
    const float row_top_extent = std::min(0.0f, swatch_offset);
    const float row_extent = std::max(row_height, swatch_offset + k_swatch);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const Vlan& vlan = *rows[r];
        if (r > 0) context.top += k_row_gap - row_top_extent;
        const float row_top = context.top;
        scene_items.add(scene_items.rect_look(k_swatch, k_swatch, vlan.color, context.palette.frame, 1.0f),
                        k_margin, row_top + swatch_offset);
        const Index label = scene_items.add_words(
            cut_text_to_width(std::to_string(vlan.id) + " " + vlan.name, k_label_width, 11.0f));
        scene_items.add_text(label_look, label, k_label_x, row_top + row_height / 2.0f);
        scene_items.add(body_look, k_body_x, row_top);

        const RowLooks looks = row_looks(context, vlan);
        auto place = [&](std::size_t p, float x, float y) {
            const Port& port = sw.ports[p];
            const Carriage kind = carriage(port, vlan.id);
            scene_items.add(selected[p] ? looks.selected_place[kind] : looks.place[kind], x, y);
            scene_items.add_text(looks.words[kind], words[p][kind], x + k_place_w / 2.0f,
                                 y + k_place_h / 2.0f);
            if (port.disabled)
                scene_items.add(scene_items.line_look(x + k_place_w, y, 1.0f, looks.ink[kind]), x,
                                y + k_place_h);
            context.scene.hits.push_back({x, y, k_place_w, k_place_h, s, p});
        };
        for (std::size_t p = 0; p < layout.places.size(); ++p)
            place(p, k_body_x + 3.0f + layout.places[p].x, row_top + 3.0f + layout.places[p].y);
        for (const TwinPlace& twin : layout.twins)
            place(twin.place, k_body_x + 3.0f + twin.x, row_top + 3.0f + twin.y);
        context.top = row_top + row_extent;
        // The title stays with the first row on a page.
        context.scene.cuts.push_back({r == 0 ? block_top : row_top + row_top_extent, context.top});
    }
    context.scene.blocks.push_back({block_top, context.top});
}

} // namespace quarn
