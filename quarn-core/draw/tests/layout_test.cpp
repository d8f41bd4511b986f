#include "draw/layout.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace quarn {
namespace {

PortGroup group(PortKind kind, std::uint16_t columns, std::uint16_t rows,
                Numbering numbering = Numbering::OddTop, std::uint16_t block = 0, float gap_after = 0.0f) {
    return {kind, columns, rows, numbering, block, gap_after};
}

struct PlaceCase {
    const char* name;
    std::vector<PortGroup> groups;
    std::vector<std::pair<std::size_t, PlacePoint>> places;
    float width;
    float height;
    std::vector<std::size_t> right_places = {};
    std::vector<TwinPlace> twins = {};
};

TEST(PlacePorts, FrontPanelPositionsWidthsAndSections) {
    const PortGroup copper = group(PortKind::Rj45, 12, 2, Numbering::OddTop, 6);
    // Right places and twins only where a case has them.
    const std::vector<PlaceCase> cases = {
        {"odd top with blocks", {copper}, {{0, {0, 0}}, {1, {0, 43}}, {2, {41, 0}}, {12, {254, 0}}}, 497, 83},
        {"rows numbering",
         {group(PortKind::Rj45, 12, 2, Numbering::Rows, 6)},
         {{1, {41, 0}}, {12, {0, 43}}, {6, {254, 0}}},
         497,
         83},
        {"only SFP groups stay left and unshifted",
         {group(PortKind::Sfp, 4, 1), group(PortKind::Sfp, 2, 1)},
         {{0, {0, 0}}, {4, {164, 0}}, {5, {205, 0}}},
         243,
         40},
        {"SFP group starts one pitch after the copper",
         {copper, group(PortKind::Sfp, 4, 1)},
         {{23, {459, 43}}, {24, {538, 0}}, {27, {661, 0}}},
         699,
         83,
         {24, 25, 26, 27}},
        {"SFP group listed first still goes right",
         {group(PortKind::Sfp, 1, 1), group(PortKind::Rj45, 2, 1)},
         {{0, {120, 0}}, {1, {0, 0}}, {2, {41, 0}}},
         158,
         40,
         {0}},
        {"dual places and their twins",
         {group(PortKind::Dual, 2, 1)},
         {{0, {0, 0}}, {1, {41, 0}}},
         199,
         40,
         {},
         {{0, 120, 0}, {1, 161, 0}}},
        {"twins come before the SFP cages",
         {copper, group(PortKind::Dual, 1, 2), group(PortKind::Sfp, 1, 1)},
         {{24, {500, 0}}, {25, {500, 43}}, {26, {620, 0}}},
         658,
         83,
         {26},
         {{24, 579, 0}, {25, 579, 43}}},
        {"gap after of one place width",
         {group(PortKind::Rj45, 2, 1, Numbering::OddTop, 0, 1.0f), group(PortKind::Rj45, 1, 1)},
         {{1, {41, 0}}, {2, {120, 0}}},
         158,
         40},
        // Out of range, a gap is drawn as the nearest gap in range: two huge
        // gaps cannot add up to infinity, a negative one cannot pull places
        // out of the picture.
        {"huge gaps are drawn as the largest",
         {group(PortKind::Rj45, 1, 1, Numbering::OddTop, 0, 3e38f),
          group(PortKind::Rj45, 1, 1, Numbering::OddTop, 0, 3e38f),
          group(PortKind::Rj45, 1, 1, Numbering::OddTop, 0, 1e30f)},
         {{0, {0, 0}}, {1, {k_max_gap_after * 38 + 41, 0}}, {2, {2 * (k_max_gap_after * 38 + 41), 0}}},
         2 * (k_max_gap_after * 38 + 41) + 38,
         40},
        {"negative and undefined gaps are drawn as none",
         {group(PortKind::Rj45, 1, 1, Numbering::OddTop, 0, -1e6f),
          group(PortKind::Rj45, 1, 1, Numbering::OddTop, 0, std::numeric_limits<float>::quiet_NaN()),
          group(PortKind::Rj45, 1, 1, Numbering::OddTop, 0, -std::numeric_limits<float>::infinity()),
          group(PortKind::Rj45, 1, 1)},
         {{0, {0, 0}}, {1, {41, 0}}, {2, {82, 0}}, {3, {123, 0}}},
         161,
         40},
        {"no groups", {}, {}, 0, 0},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(c.name);
        const PanelLayout layout = place_ports(c.groups, k_front_panel_geometry);
        for (const auto& [index, point] : c.places) {
            ASSERT_LT(index, layout.places.size());
            EXPECT_EQ(layout.places[index], point) << "place " << index;
        }
        EXPECT_EQ(layout.width, c.width);
        EXPECT_EQ(layout.height, c.height);
        EXPECT_EQ(layout.right_places, c.right_places);
        EXPECT_EQ(layout.twins, c.twins);
    }
}

TEST(PlacePorts, CompactGeometry) {
    const PanelLayout layout =
        place_ports(std::vector{group(PortKind::Rj45, 12, 2, Numbering::OddTop, 6)}, k_compact_geometry);
    EXPECT_EQ(layout.places[1], (PlacePoint{0, 20}));
    EXPECT_EQ(layout.places[12], (PlacePoint{6 * 36 + 6, 0}));
    EXPECT_EQ(layout.width, 11 * 36 + 6 + 34);
    EXPECT_EQ(layout.height, 2 * 20 - 2);
}

TEST(PlacePorts, PlacesBeyondTheLimitGetNoPositionButStillTakeRoom) {
    const std::vector groups{group(PortKind::Rj45, 4, 1), group(PortKind::Dual, 2, 1),
                             group(PortKind::Sfp, 2, 1)};
    const PanelLayout layout = place_ports(groups, k_front_panel_geometry, 5);
    EXPECT_EQ(layout.places.size(), 5u);
    EXPECT_EQ(layout.twins, (std::vector<TwinPlace>{{4, 284, 0}}));
    EXPECT_TRUE(layout.right_places.empty());
    EXPECT_EQ(layout.width, place_ports(groups, k_front_panel_geometry).width);

    // A group of 65535 x 65535 places must not be allocated for.
    const PanelLayout huge =
        place_ports(std::vector{group(PortKind::Rj45, 65535, 65535)}, k_front_panel_geometry, 3);
    EXPECT_EQ(huge.places.size(), 3u);
    EXPECT_EQ(huge.width, 65534.0f * 41 + 38);
}

TEST(LineUpPanels, RightSectionsEndAtTheCommonWidth) {
    std::vector<PanelLayout> layouts = {
        place_ports(
            std::vector{group(PortKind::Rj45, 12, 2, Numbering::OddTop, 6), group(PortKind::Sfp, 4, 1)},
            k_front_panel_geometry),
        place_ports(
            std::vector{group(PortKind::Rj45, 4, 1), group(PortKind::Dual, 1, 1), group(PortKind::Sfp, 1, 1)},
            k_front_panel_geometry),
        place_ports(std::vector{group(PortKind::Rj45, 2, 1)}, k_front_panel_geometry),
    };
    EXPECT_EQ(layouts[1].width, 202 + 41 + 79);
    EXPECT_EQ(line_up_panels(layouts), 699);
    // The last SFP cage of each switch ends at 699.
    EXPECT_EQ(layouts[0].places[27].x + 38, 699);
    EXPECT_EQ(layouts[1].places[5].x + 38, 699);
    EXPECT_EQ(layouts[1].twins, (std::vector<TwinPlace>{{4, 699 - 38 - 41, 0}}));
    // Left sections stay where they were.
    EXPECT_EQ(layouts[1].places[4], (PlacePoint{164, 0}));
    EXPECT_EQ(layouts[2].places[1], (PlacePoint{41, 0}));

    std::vector<PanelLayout> none;
    EXPECT_EQ(line_up_panels(none), 0);
}

} // namespace
} // namespace quarn
