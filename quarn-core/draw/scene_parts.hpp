#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "draw/scene.hpp"
#include "draw/scene_context.hpp"
#include "draw/topology_layout.hpp"

namespace quarn {

// What changed in a map since the scene was last brought up to date: maybe
// anything, or only the switches named (by their index in the new map).
// The VLAN list, the site and the number of switches the scene checks itself.
struct MapChange {
    bool anything = true;
    std::vector<std::size_t> switches;
};

// The switches that differ between two maps of as many switches, equal as
// the drawing sees them (a gap of -0 is not one of 0); maps with different
// numbers of switches may differ anywhere.
MapChange map_change(const Map& before, const Map& after);

// The scene kept in parts, one for each switch (the topology, whose layout is
// the whole map's, is one part), so that an edit rebuilds the parts of the
// switches it changed and only moves the parts below them. The parts read as
// the scene `build_scene` gives for the same map and options.
class SceneParts {
  public:
    // Brings the parts up to date and returns the stretches of the picture,
    // top to bottom, that may look different now: those of rebuilt and of
    // moved parts, before and after.
    std::vector<Span> update(const Map& map, const SceneOptions& options, const MapChange& change = {});

    [[nodiscard]] float width() const noexcept { return width_; }
    [[nodiscard]] float height() const noexcept { return height_; }

    // The whole scene in one piece, as `build_scene` gives it.
    [[nodiscard]] Scene scene() const;

    // Calls `visitor` with each item of the parts that meet `stretch`, in
    // painting order, at its place in the picture; the background first,
    // whatever the stretch.
    template <class Visitor>
    void visit(Visitor&& visitor, Span stretch) const;

    // The hit regions of the parts that meet `stretch`, at their places in
    // the picture.
    [[nodiscard]] std::vector<HitRegion> hits(Span stretch) const;
    [[nodiscard]] std::vector<HitRegion> hits() const { return hits({-1e30f, 1e30f}); }

    // The blocks that keep together (one for each switch), at their places.
    [[nodiscard]] std::vector<Span> blocks() const;

    // Bytes held by the parts' items and hit regions.
    [[nodiscard]] std::size_t memory_bytes() const noexcept;

  private:
    // A part's hit regions: the breakdown repeats one row's places row
    // after row, so they are kept as one row and the offset of each row.
    struct Hits {
        std::vector<HitRegion> row;
        std::vector<float> offsets; // 0 for the first row

        [[nodiscard]] std::size_t size() const noexcept { return row.size() * offsets.size(); }
        // Calls `add` with each region, `dy` lower.
        template <class Add>
        void each(float dy, Add&& add) const {
            for (float offset : offsets) {
                for (HitRegion hit : row) {
                    if (offset != 0.0f) hit.y += offset;
                    if (dy != 0.0f) hit.y += dy;
                    add(hit);
                }
            }
        }
    };
    static Hits packed_hits(std::vector<HitRegion> hits);

    struct Part {
        Scene scene; // at the place where it was drawn; its hit regions are in `hits`
        Hits hits;
        float drawn_top = 0.0f; // its top when drawn
        float bottom = 0.0f;    // its bottom when drawn
        float top = 0.0f;       // its top now
        float panel_width = 0.0f;
        float right = 0.0f;
        std::vector<std::size_t> selected; // its selected ports when drawn, sorted

        float dy() const { return top - drawn_top; }
        Span span() const { return {top, top + (bottom - drawn_top)}; }
    };

    // What every part is drawn with.
    struct Common {
        ViewMode view;
        Palette palette;
        bool show_site_title = true;
        std::string site;
        std::vector<Vlan> vlans;
        std::optional<std::uint16_t> selected_vlan;
        std::optional<std::size_t> selected_switch;
        std::size_t switches = 0;
        float panel_width = 0.0f;

        bool operator==(const Common&) const = default;
    };

    void rebuild(const Map& map, const SceneOptions& options, const MapChange& change);
    // Whether the topology's layout stays: no switch named in `change`
    // changed its name, ports, links or LAGs.
    bool same_topology(const Map& map, const MapChange& change);
    // The topology after an edit that kept its layout and every switch's
    // reading of the chosen VLAN: the boxes of the switches named, and of
    // the old and the new current switch, put in place of theirs. Nothing
    // when it must be drawn whole.
    std::optional<std::vector<Span>> patch_topology(const Map& map, const SceneOptions& options,
                                                    const MapChange& change);
    void place_parts();

    bool built_ = false;
    Common common_;
    Part header_; // the background and the site title
    std::vector<Part> parts_;
    std::vector<std::size_t> selected_switches_; // with selected ports, ascending
    // The topology's layout, and what of each switch it was made from.
    std::optional<TopologyLayout> topology_;
    std::vector<std::string> shapes_;
    TopologyBoxes boxes_;
    std::vector<std::vector<bool>> readings_; // of the chosen VLAN, when there is one
    float width_ = 0.0f;
    float height_ = 0.0f;
};

template <class Visitor>
void SceneParts::visit(Visitor&& visitor, Span stretch) const {
    visitor(Rect{0.0f, 0.0f, width_, height_, common_.palette.background, std::nullopt, 0.0f});
    bool first = true;
    header_.scene.items.visit([&](const auto& item) {
        if (!first) visitor(item);
        first = false;
    });
    // The parts lie top to bottom; the first that reaches the stretch is
    // found by halving.
    auto it = std::partition_point(parts_.begin(), parts_.end(),
                                   [&](const Part& part) { return part.span().bottom < stretch.top; });
    for (; it != parts_.end() && it->top <= stretch.bottom; ++it)
        it->scene.items.visit_moved(visitor, it->dy());
}

} // namespace quarn
