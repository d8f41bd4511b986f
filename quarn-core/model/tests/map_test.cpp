#include "model/map.hpp"

#include <gtest/gtest.h>

namespace quarn {
namespace {

TEST(Rgb, ReadsEitherCaseWritesLowerCaseAndRefusesTheRestByItsText) {
    EXPECT_EQ(parse_rgb("#0A00FF").value(), (Rgb{10, 0, 255}));
    EXPECT_EQ(parse_rgb("#0a00ff").value(), (Rgb{10, 0, 255}));
    EXPECT_EQ(rgb_text(Rgb{10, 0, 255}), "#0a00ff");
    for (const char* text : {"#fff", "0a00ff", "#0a00ff ", "#0a00fg", "", "#", "##0a00ff"}) {
        auto result = parse_rgb(text);
        ASSERT_FALSE(result.ok()) << text;
        EXPECT_EQ(result.error(), std::string("not a #rrggbb colour: ") + text);
    }
}

TEST(Places, CountIsWideAndCellsFollowTheNumbering) {
    Switch empty;
    EXPECT_EQ(place_count(empty), 0u);

    Switch big;
    big.groups.assign(3, PortGroup{PortKind::Rj45, 65535, 65535, Numbering::Rows, 0, 0.0f});
    EXPECT_EQ(place_count(big), 3ull * 65535ull * 65535ull);

    PortGroup odd_top{PortKind::Rj45, 12, 2, Numbering::OddTop, 6, 0.0f};
    EXPECT_EQ(place_cell(odd_top, 0), (PlaceCell{0, 0}));
    EXPECT_EQ(place_cell(odd_top, 1), (PlaceCell{0, 1}));
    EXPECT_EQ(place_cell(odd_top, 2), (PlaceCell{1, 0}));

    PortGroup rows = odd_top;
    rows.numbering = Numbering::Rows;
    EXPECT_EQ(place_cell(rows, 0), (PlaceCell{0, 0}));
    EXPECT_EQ(place_cell(rows, 12), (PlaceCell{0, 1}));
    EXPECT_EQ(place_cell(rows, 1), (PlaceCell{1, 0}));
}

TEST(Lookups, TakeTheFirstMatchInListOrder) {
    Map map;
    map.vlans = {{10, "a", {}}, {20, "b", {}}};
    Switch sw;
    sw.name = "core";
    sw.ports = {Port{.label = "1"}, Port{.label = "2"}, Port{.label = "1"}};
    sw.lags = {Lag{.name = "Trk1"}, Lag{.name = "Trk1"}};
    map.switches = {sw, sw};

    EXPECT_EQ(find_switch(map, "core"), 0u);
    EXPECT_EQ(find_switch(map, "edge"), std::nullopt);
    EXPECT_EQ(find_port(sw, "1"), 0u);
    EXPECT_EQ(find_port(sw, "2"), 1u);
    EXPECT_EQ(find_lag(sw, "Trk1"), 0u);
    EXPECT_EQ(find_vlan(map, 20), 1u);
    EXPECT_EQ(find_vlan(map, 30), std::nullopt);
}

} // namespace
} // namespace quarn
