#include "draw/layout.hpp"

#include <algorithm>
#include <cmath>

namespace quarn {
namespace {

// Where a section has got to: the start of its next group and its right edge.
struct Section {
    float start = 0.0f;
    float edge = 0.0f;
};

float group_width(const PortGroup& group, const PanelGeometry& geometry) {
    const std::uint32_t last = group.columns - 1u;
    float width = static_cast<float>(last) * geometry.column_pitch() + geometry.place_width;
    if (group.block != 0) width += static_cast<float>(last / group.block) * geometry.block_gap;
    return width;
}

// Calls `put(k, x, y)` for every place k of the group placed at the section's
// start, then moves the section on past the group.
template <class Put>
void place_group(const PortGroup& group, const PanelGeometry& geometry, Section& section, Put put) {
    if (group.columns == 0 || group.rows == 0) return; // holds no places, takes no room
    const auto count = static_cast<std::uint32_t>(group_places(group));
    for (std::uint32_t k = 0; k < count; ++k) {
        const PlaceCell cell = place_cell(group, k);
        float x = section.start + static_cast<float>(cell.column) * geometry.column_pitch();
        if (group.block != 0) x += static_cast<float>(cell.column / group.block) * geometry.block_gap;
        const float y = static_cast<float>(cell.row) * geometry.row_pitch();
        if (!put(k, x, y)) break;
    }
    const float width = group_width(group, geometry);
    section.edge = std::max(section.edge, section.start + width);
    const float gap_after =
        std::isnan(group.gap_after) ? 0.0f : std::clamp(group.gap_after, 0.0f, k_max_gap_after);
    section.start += gap_after * geometry.place_width + width + geometry.gap;
}

} // namespace

PanelLayout place_ports(std::span<const PortGroup> groups, const PanelGeometry& geometry,
                        std::size_t place_limit) {
    PanelLayout layout;

    std::vector<std::uint64_t> first(groups.size());
    std::uint64_t total = 0;
    bool all_sfp = true;
    for (std::size_t j = 0; j < groups.size(); ++j) {
        first[j] = total;
        total += group_places(groups[j]);
        if (groups[j].kind != PortKind::Sfp) all_sfp = false;
        if (groups[j].rows != 0 && groups[j].columns != 0) {
            layout.height = std::max(
                layout.height, static_cast<float>(groups[j].rows) * geometry.row_pitch() - geometry.gap);
        }
    }
    const std::size_t limit = static_cast<std::size_t>(std::min<std::uint64_t>(total, place_limit));
    layout.places.resize(limit);

    Section left;
    for (std::size_t j = 0; j < groups.size(); ++j) {
        if (groups[j].kind == PortKind::Sfp && !all_sfp) continue;
        place_group(groups[j], geometry, left, [&](std::uint32_t k, float x, float y) {
            const std::uint64_t index = first[j] + k;
            if (index >= limit) return false;
            layout.places[index] = {x, y};
            return true;
        });
    }

    Section right;
    for (std::size_t j = 0; j < groups.size(); ++j) {
        if (groups[j].kind != PortKind::Dual) continue;
        place_group(groups[j], geometry, right, [&](std::uint32_t k, float x, float y) {
            const std::uint64_t index = first[j] + k;
            if (index >= limit) return false;
            layout.twins.push_back({static_cast<std::size_t>(index), x, y});
            return true;
        });
    }
    if (!all_sfp) {
        for (std::size_t j = 0; j < groups.size(); ++j) {
            if (groups[j].kind != PortKind::Sfp) continue;
            place_group(groups[j], geometry, right, [&](std::uint32_t k, float x, float y) {
                const std::uint64_t index = first[j] + k;
                if (index >= limit) return false;
                layout.places[index] = {x, y};
                layout.right_places.push_back(static_cast<std::size_t>(index));
                return true;
            });
        }
    }

    if (left.edge > 0.0f && right.edge > 0.0f) {
        const float shift = left.edge + geometry.column_pitch();
        for (std::size_t index : layout.right_places) layout.places[index].x += shift;
        for (TwinPlace& twin : layout.twins) twin.x += shift;
        layout.width = left.edge + geometry.column_pitch() + right.edge;
    } else {
        layout.width = std::max(left.edge, right.edge);
    }
    return layout;
}

float line_up_panels(std::span<PanelLayout> layouts) {
    float common = 0.0f;
    for (const PanelLayout& layout : layouts) common = std::max(common, layout.width);
    for (PanelLayout& layout : layouts) line_up_panel(layout, common);
    return common;
}

void line_up_panel(PanelLayout& layout, float common) {
    const float shift = common - layout.width;
    if (shift == 0.0f) return;
    for (std::size_t index : layout.right_places) layout.places[index].x += shift;
    for (TwinPlace& twin : layout.twins) twin.x += shift;
}

} // namespace quarn
