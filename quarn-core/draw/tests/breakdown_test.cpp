#include <gtest/gtest.h>

#include <vector>

#include "draw/scene.hpp"
#include "draw/tests/fixtures.hpp"

namespace quarn {
namespace {

// Switch a carries 10 (untagged on 1, tagged on 2), switch b carries 20;
// nobody carries 30.
Map three_vlans() {
    Map map = two_vlans();
    map.vlans.push_back({30, "Spare", k_blue});
    Switch a = row_switch("a", 2);
    a.ports[0].untagged = 10;
    a.ports[1].tagged = {10};
    Switch b = row_switch("b", 1);
    b.ports[0].untagged = 20;
    map.switches = {a, b};
    return map;
}

SceneOptions breakdown(bool show_unused) {
    SceneOptions options;
    options.view = {ViewKind::VlanBreakdown, show_unused};
    return options;
}

std::vector<std::string> texts(const Scene& scene) {
    std::vector<std::string> out;
    for (const SceneItem& item : scene.items)
        if (const Text* text = std::get_if<Text>(&item)) out.push_back(text->text);
    return out;
}

TEST(Breakdown, WholeSceneWithUsedVlansOnly) {
    const Scene scene = build_scene(three_vlans(), breakdown(false));
    const Rgb tint{0xff, 0xa6, 0xa6};
    const std::vector<SceneItem> expected = {
        Rect{0, 0, 284, 144, k_white, std::nullopt, 0},
        Text{"a", 16, 25, 12, FontWeight::Bold, TextAlign::Left, k_black},
        Rect{16, 45, 14, 14, k_red, k_frame, 1},
        Text{"10 Data", 36, 52, 11, FontWeight::Normal, TextAlign::Left, k_black},
        Rect{192, 40, 76, 24, k_panel, k_frame, 1},
        Rect{195, 43, 34, 18, k_red, k_frame, 1},
        Text{"1 U", 212, 52, 8, FontWeight::Normal, TextAlign::Centre, k_white},
        Rect{231, 43, 34, 18, tint, k_red, 2},
        Text{"2 T", 248, 52, 8, FontWeight::Normal, TextAlign::Centre, k_black},
        Text{"b", 16, 89, 12, FontWeight::Bold, TextAlign::Left, k_black},
        Rect{16, 109, 14, 14, k_green, k_frame, 1},
        Text{"20 Voice", 36, 116, 11, FontWeight::Normal, TextAlign::Left, k_black},
        Rect{192, 104, 76, 24, k_panel, k_frame, 1},
        Rect{195, 107, 34, 18, k_green, k_frame, 1},
        Text{"1 U", 212, 116, 8, FontWeight::Normal, TextAlign::Centre, k_black},
    };
    EXPECT_EQ(scene.items, expected);
    EXPECT_EQ(scene.blocks, (std::vector<Span>{{16, 64}, {80, 128}}));
    EXPECT_EQ(scene.cuts, (std::vector<Span>{{16, 64}, {80, 128}}));
    EXPECT_EQ(scene.hits, (std::vector<HitRegion>{
                              {195, 43, 34, 18, 0, 0}, {231, 43, 34, 18, 0, 1}, {195, 107, 34, 18, 1, 0}}));
}

TEST(Breakdown, ShowUnusedListsEveryVlanUnderEverySwitchInMapOrder) {
    Map map = three_vlans();
    std::swap(map.vlans[0], map.vlans[2]); // the stored order counts, not the numbers
    const Scene scene = build_scene(map, breakdown(true));
    EXPECT_EQ(texts(scene),
              (std::vector<std::string>{"a", "30 Spare", "1", "2", "20 Voice", "1", "2", "10 Data", "1 U",
                                        "2 T", "b", "30 Spare", "1", "20 Voice", "1 U", "10 Data", "1"}));
    // Rows of 24 with 4 between them; the title and the first row stay together.
    EXPECT_EQ(scene.cuts,
              (std::vector<Span>{{16, 64}, {68, 92}, {96, 120}, {136, 184}, {188, 212}, {216, 240}}));
    EXPECT_EQ(scene.blocks, (std::vector<Span>{{16, 120}, {136, 240}}));
}

TEST(Breakdown, IdlePlacesKeepTheirLabelInGrey) {
    Map map = three_vlans();
    map.switches[0].ports[1].label = "Gi1/0/12";
    map.switches[0].ports[1].disabled = true;
    const Scene scene = build_scene(map, breakdown(true));
    // Row 20 of switch a: neither port carries it.
    const Rgb grey{0x77, 0x77, 0x77};
    const std::vector<SceneItem> row = {
        Rect{195, 71, 34, 18, Rgb{0xf7, 0xf7, 0xf7}, Rgb{0xbf, 0xbf, 0xbf}, 1},
        Text{"1", 212, 80, 8, FontWeight::Normal, TextAlign::Centre, grey},
        Rect{231, 71, 34, 18, Rgb{0xf7, 0xf7, 0xf7}, Rgb{0xbf, 0xbf, 0xbf}, 1},
        Text{"\u2026/12", 248, 80, 8, FontWeight::Normal, TextAlign::Centre, grey},
        Line{231, 89, 265, 71, 1, grey},
    };
    const auto first = scene.items.begin() + 13;
    EXPECT_EQ(std::vector<SceneItem>(first, first + 5), row);
    EXPECT_EQ(scene.items[8],
              SceneItem(Text{"\u2026/12 T", 248, 52, 8, FontWeight::Normal, TextAlign::Centre, k_black}));
}

TEST(Breakdown, SwitchesWithoutRows) {
    Map no_vlans = three_vlans();
    no_vlans.vlans.clear();
    for (bool show_unused : {false, true}) {
        const Scene scene = build_scene(no_vlans, breakdown(show_unused));
        EXPECT_EQ(texts(scene),
                  (std::vector<std::string>{"a", "No VLANs on This Switch", "b", "No VLANs on This Switch"}));
        EXPECT_EQ(scene.items[2], SceneItem(Text{"No VLANs on This Switch", 16, 48, 11, FontWeight::Normal,
                                                 TextAlign::Left, k_black}));
        EXPECT_EQ(scene.blocks, (std::vector<Span>{{16, 56}, {72, 112}}));
        EXPECT_EQ(scene.height, 128);
    }

    // With the option off, a switch that carries nothing gets the text too.
    Map idle = three_vlans();
    idle.switches[1].ports[0].untagged.reset();
    EXPECT_EQ(texts(build_scene(idle, breakdown(false))),
              (std::vector<std::string>{"a", "10 Data", "1 U", "2 T", "b", "No VLANs on This Switch"}));
}

TEST(Breakdown, LongLabelsEndBeforeThePanel) {
    struct Case {
        std::uint16_t id;
        const char* name;
        const char* label;
    };
    const Case cases[] = {
        {10, "", "10 "},
        {4094, "Management networ", "4094 Management networ"},
        {4094, "Management network", "4094 Management net..."},
        {7, "\u00c4\u00d6\u00dc building management", "7 \u00c4\u00d6\u00dc building manag..."},
        {20, "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW", "20 WWWWWWWWWWW..."},
        {30, "\u6771\u4eac\u672c\u793e\u30d3\u30eb\u4e09\u968e\u4f1a\u8b70\u5ba4\u7528\u7121\u7dda",
         "30 \u6771\u4eac\u672c\u793e\u30d3\u30eb\u4e09\u968e\u4f1a\u8b70..."},
    };
    for (const Case& c : cases) {
        Map map;
        map.vlans = {{c.id, c.name, k_red}};
        map.switches = {row_switch("a", 1)};
        const Scene scene = build_scene(map, breakdown(true));
        EXPECT_EQ(std::get<Text>(scene.items[3]).text, c.label);
    }
}

TEST(Breakdown, RowsOfTallPanelsStackWithoutOverlap) {
    Map map = three_vlans();
    Switch big;
    big.name = "big";
    big.groups = {PortGroup{PortKind::Rj45, 12, 2, Numbering::OddTop, 6, 0.0f},
                  PortGroup{PortKind::Sfp, 2, 1, Numbering::Rows, 0, 0.0f}};
    big.ports.resize(26);
    Switch bare;
    bare.name = "bare";
    map.switches.push_back(big);
    map.switches.push_back(bare);
    const Scene scene = build_scene(map, breakdown(true));
    std::vector<Span> bodies;
    std::vector<Span> swatches;
    for (const SceneItem& item : scene.items) {
        const Rect* rect = std::get_if<Rect>(&item);
        if (rect == nullptr) continue;
        if (rect->x == 192) bodies.push_back({rect->y, rect->y + rect->height});
        if (rect->x == 16 && rect->width == 14) swatches.push_back({rect->y, rect->y + rect->height});
    }
    ASSERT_EQ(bodies.size(), 12u);
    ASSERT_EQ(swatches.size(), 12u);
    for (std::size_t i = 1; i < bodies.size(); ++i) {
        EXPECT_LT(bodies[i - 1].bottom, bodies[i].top);
        EXPECT_LT(swatches[i - 1].bottom, swatches[i].top);
    }
    EXPECT_EQ(bodies[6], (Span{bodies[6].top, bodies[6].top + 44})); // two rows of 20, less 2, plus 6
    EXPECT_EQ(bodies[9].bottom - bodies[9].top, 6);                  // no places at all
    EXPECT_GE(swatches[9].top, scene.cuts[9].top);
}

} // namespace
} // namespace quarn
