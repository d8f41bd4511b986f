#include "draw/scene.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "draw/tests/fixtures.hpp"
#include "draw/text_fit.hpp"
#include "model/generator/generated_map.hpp"

namespace quarn {
namespace {

SceneOptions light() {
    return SceneOptions{};
}

TEST(FrontPanel, EmptyMapsGiveTheBackgroundAndAtMostTheSiteTitle) {
    const Scene empty = build_scene(Map{}, light());
    EXPECT_EQ(empty.items, (std::vector<SceneItem>{Rect{0, 0, 32, 32, k_white, std::nullopt, 0}}));
    EXPECT_TRUE(empty.blocks.empty() && empty.cuts.empty() && empty.hits.empty());

    Map map;
    map.site = "Head office";
    SceneOptions no_title;
    no_title.show_site_title = false;
    EXPECT_EQ(build_scene(map, no_title).items, empty.items);
    const Scene titled = build_scene(map, light());
    EXPECT_EQ(titled.items, (std::vector<SceneItem>{Rect{0, 0, titled.width, 62, k_white, std::nullopt, 0},
                                                    Text{"Head office", 16, 26, 16, FontWeight::Bold,
                                                         TextAlign::Left, k_black}}));
    EXPECT_GT(titled.width, 16 + 11 * 8);
}

TEST(FrontPanel, SwitchTitles) {
    struct Case {
        const char* model;
        const char* location;
        const char* title;
    };
    const Case cases[] = {
        {"", "", "core"},
        {"", "Rack 2", "core  -  Rack 2"},
        {"C9300", "", "core  -  C9300"},
        {"C9300", "Rack 2", "core  -  C9300  -  Rack 2"},
    };
    for (const Case& c : cases) {
        Map map;
        Switch sw = row_switch("core", 1);
        sw.model = c.model;
        sw.location = c.location;
        map.switches = {sw};
        EXPECT_EQ(build_scene(map, light()).items[1],
                  SceneItem(Text{c.title, 16, 25, 12, FontWeight::Bold, TextAlign::Left, k_black}));
    }
}

// The items of the one place of a one-port switch, for the marks table.
std::vector<SceneItem> place_items(const Port& port) {
    Map map = two_vlans();
    map.vlans.push_back({30, "Light", {0xf0, 0xf0, 0x80}});
    Switch sw = row_switch("sw", 1);
    sw.ports[0] = port;
    map.switches = {sw};
    const Scene scene = build_scene(map, light());
    return {scene.items.begin() + 3, scene.items.end()};
}

TEST(FrontPanel, MarksOnAPortPlace) {
    const Rgb light_vlan{0xf0, 0xf0, 0x80};
    struct Case {
        const char* name;
        Port port;
        std::vector<SceneItem> items;
    };
    const std::vector<Case> cases = {
        {"no VLANs",
         Port{.label = "Gi1/0/1"},
         {Rect{24, 48, 38, 40, k_white, k_frame, 1},
          Text{"Gi1/0/1", 43, 57, 9, FontWeight::Normal, TextAlign::Centre, k_black}}},
        {"label too long for the place",
         Port{.label = "GigabitEthernet1/0/1"},
         {Rect{24, 48, 38, 40, k_white, k_frame, 1},
          Text{"\u2026/1", 43, 57, 9, FontWeight::Normal, TextAlign::Centre, k_black}}},
        {"untagged only, light colour",
         Port{.label = "1", .untagged = 30},
         {Rect{24, 48, 38, 40, light_vlan, k_frame, 1},
          Text{"1", 43, 57, 9, FontWeight::Normal, TextAlign::Centre, k_black},
          Text{"30", 43, 69, 10, FontWeight::Bold, TextAlign::Centre, k_black}}},
        {"untagged VLAN missing from the list",
         Port{.label = "1", .untagged = 99},
         {Rect{24, 48, 38, 40, k_white, k_frame, 1},
          Text{"1", 43, 57, 9, FontWeight::Normal, TextAlign::Centre, k_black},
          Text{"99", 43, 69, 10, FontWeight::Bold, TextAlign::Centre, k_black}}},
        {"tagged only, four chips, one of them unknown",
         Port{.label = "1", .tagged = {20, 10, 99, 30}},
         {Rect{24, 48, 38, 40, k_white, k_frame, 1},
          Text{"1", 43, 57, 9, FontWeight::Normal, TextAlign::Centre, k_black},
          Text{"T", 43, 69, 10, FontWeight::Bold, TextAlign::Centre, k_black},
          Rect{27, 79, 6, 6, k_green, k_black, 0.5f}, Rect{34, 79, 6, 6, k_red, k_black, 0.5f},
          Rect{41, 79, 6, 6, k_white, k_black, 0.5f}, Rect{48, 79, 6, 6, light_vlan, k_black, 0.5f}}},
        {"five tagged: two chips and a count",
         Port{.label = "1", .untagged = 10, .tagged = {20, 30, 40, 50, 60}},
         {Rect{24, 48, 38, 40, k_red, k_frame, 1},
          Text{"1", 43, 57, 9, FontWeight::Normal, TextAlign::Centre, k_white},
          Text{"10+T", 43, 69, 10, FontWeight::Bold, TextAlign::Centre, k_white},
          Rect{27, 79, 6, 6, k_green, k_white, 0.5f}, Rect{34, 79, 6, 6, light_vlan, k_white, 0.5f},
          Text{"+3", 41, 82, 8, FontWeight::Normal, TextAlign::Left, k_white}}},
        {"disabled on a light face",
         Port{.label = "1", .disabled = true},
         {Rect{24, 48, 38, 40, k_white, k_frame, 1},
          Text{"1", 43, 57, 9, FontWeight::Normal, TextAlign::Centre, k_black},
          Line{24, 88, 62, 48, 1, k_black}}},
        {"disabled on a dark face",
         Port{.label = "1", .untagged = 10, .disabled = true},
         {Rect{24, 48, 38, 40, k_red, k_frame, 1},
          Text{"1", 43, 57, 9, FontWeight::Normal, TextAlign::Centre, k_white},
          Text{"10", 43, 69, 10, FontWeight::Bold, TextAlign::Centre, k_white},
          Line{24, 88, 62, 48, 1, k_white}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(place_items(c.port), c.items);
    }
}

TEST(FrontPanel, SelectionAndSelectedVlan) {
    Map map = two_vlans();
    Switch sw = row_switch("sw", 3);
    sw.ports[0].tagged = {20};
    sw.ports[2].untagged = 20;
    map.switches = {sw};
    SceneOptions options;
    options.selected_switch = 0;
    options.selected_ports = {{0, 0}, {1, 0}};
    options.selected_vlan = 20;
    const Scene scene = build_scene(map, options);

    const Rgb dimmed_face{0xf1, 0xf1, 0xf1};
    const Rgb muted_text{0xc3, 0xc3, 0xc3};
    const Rgb muted_frame{0xd9, 0xd9, 0xd9};
    const std::vector<SceneItem> expected = {
        Rect{0, 0, scene.width, 112, k_white, std::nullopt, 0},
        Text{"sw", 16, 25, 12, FontWeight::Bold, TextAlign::Left, {0xff, 0x00, 0x90}},
        Rect{16, 40, 136, 56, k_panel, k_frame, 1},
        // selected and carrying the VLAN: the selection wins
        Rect{24, 48, 38, 40, k_white, Rgb{0xff, 0x00, 0x90}, 3},
        Text{"1", 43, 57, 9, FontWeight::Normal, TextAlign::Centre, k_black},
        Text{"T", 43, 69, 10, FontWeight::Bold, TextAlign::Centre, k_black},
        Rect{27, 79, 6, 6, k_green, k_black, 0.5f},
        // without the VLAN: dimmed
        Rect{65, 48, 38, 40, dimmed_face, muted_frame, 1},
        Text{"2", 84, 57, 9, FontWeight::Normal, TextAlign::Centre, muted_text},
        // carrying the VLAN
        Rect{106, 48, 38, 40, k_green, k_black, 2},
        Text{"3", 125, 57, 9, FontWeight::Normal, TextAlign::Centre, k_black},
        Text{"20", 125, 69, 10, FontWeight::Bold, TextAlign::Centre, k_black},
    };
    EXPECT_EQ(scene.items, expected);
}

TEST(FrontPanel, LaneItemsBarsAndSpans) {
    Map map;
    Switch sw = row_switch("sw", 4);
    sw.lags = {Lag{"Trk1", {"4", "1"}, std::nullopt}};
    sw.ports[1].link = PortPeer{"core", "24"};
    map.switches = {sw};
    const Scene scene = build_scene(map, light());

    const Rgb lag_color{0x37, 0x47, 0x4f};
    const Rgb uplink_color{0x88, 0x0e, 0x4f};
    const float uplink_patch = estimated_text_width("\u2192 core 24", 10, FontWeight::Bold) + 4;
    const float lag_patch = estimated_text_width("Trk1", 10, FontWeight::Bold) + 4;
    const std::vector<SceneItem> expected = {
        Rect{0, 0, 209, 156, k_white, std::nullopt, 0},
        Text{"sw", 16, 25, 12, FontWeight::Bold, TextAlign::Left, k_black},
        Rect{16, 40, 177, 56, k_panel, k_frame, 1},
        Rect{24, 48, 38, 40, k_white, k_frame, 1},
        Text{"1", 43, 57, 9, FontWeight::Normal, TextAlign::Centre, k_black},
        Rect{24, 85, 38, 3, lag_color, std::nullopt, 0},
        Rect{65, 48, 38, 40, k_white, k_frame, 1},
        Text{"2", 84, 57, 9, FontWeight::Normal, TextAlign::Centre, k_black},
        Rect{65, 85, 38, 3, uplink_color, std::nullopt, 0},
        Rect{106, 48, 38, 40, k_white, k_frame, 1},
        Text{"3", 125, 57, 9, FontWeight::Normal, TextAlign::Centre, k_black},
        Rect{147, 48, 38, 40, k_white, k_frame, 1},
        Text{"4", 166, 57, 9, FontWeight::Normal, TextAlign::Centre, k_black},
        Rect{147, 85, 38, 3, lag_color, std::nullopt, 0},
        // The LAG starts first and takes lane 0 up to x 166; the uplink at
        // x 84 needs lane 1. The deeper lane is painted first, so its line
        // passes behind the LAG's label patch.
        Line{84, 96, 84, 123, 1.5f, uplink_color},
        Rect{84, 121.5f, 0, 3, uplink_color, std::nullopt, 0},
        Rect{82, 127, uplink_patch, 12, k_white, std::nullopt, 0},
        Text{"\u2192 core 24", 84, 133, 10, FontWeight::Bold, TextAlign::Left, k_black},
        Line{43, 96, 43, 101, 1.5f, lag_color},
        Line{166, 96, 166, 101, 1.5f, lag_color},
        Rect{43, 99.5f, 123, 3, lag_color, std::nullopt, 0},
        Rect{41, 105, lag_patch, 12, k_white, std::nullopt, 0},
        Text{"Trk1", 43, 111, 10, FontWeight::Bold, TextAlign::Left, k_black},
    };
    EXPECT_EQ(scene.items, expected);
    EXPECT_EQ(scene.blocks, (std::vector<Span>{{16, 140}}));
    EXPECT_EQ(scene.cuts, (std::vector<Span>{{16, 96}, {96, 118}, {118, 140}}));
}

// The lane colours themselves are pinned by the colour tests.
TEST(FrontPanel, ConnectionsTakeTheLaneColorsOfTheChosenPalette) {
    Map map;
    Switch sw = row_switch("sw", 7);
    for (int i = 0; i < 7; ++i) sw.lags.push_back(Lag{"L" + std::to_string(i), {std::to_string(i + 1)}, {}});
    map.switches = {sw};
    SceneOptions options;
    options.palette = k_dark_palette;
    const Scene scene = build_scene(map, options);
    EXPECT_EQ(std::get<Rect>(scene.items[0]).fill, k_dark_palette.background);
    std::vector<Rgb> bars;
    for (const SceneItem& item : scene.items) {
        const Rect* rect = std::get_if<Rect>(&item);
        if (rect != nullptr && rect->height == 3 && rect->width == 38) bars.push_back(*rect->fill);
    }
    ASSERT_EQ(bars.size(), 7u);
    for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(bars[i], lane_color(i, k_dark_palette));
}

TEST(FrontPanel, DualPortsAreDrawnAndHitTwice) {
    Map map;
    Switch sw;
    sw.name = "sw";
    sw.groups = {PortGroup{PortKind::Rj45, 1, 1, Numbering::Rows, 0, 0.0f},
                 PortGroup{PortKind::Dual, 1, 1, Numbering::Rows, 0, 0.0f}};
    sw.ports = {Port{.label = "1"}, Port{.label = "2"}};
    map.switches = {sw};
    const Scene scene = build_scene(map, light());
    EXPECT_EQ(scene.hits, (std::vector<HitRegion>{
                              {24, 48, 38, 40, 0, 0}, {65, 48, 38, 40, 0, 1}, {144, 48, 38, 40, 0, 1}}));
}

TEST(FrontPanel, SpansFollowTheSwitchesDownThePicture) {
    Map map;
    map.site = "Site";
    map.switches = {row_switch("a", 2), row_switch("b", 2)};
    map.switches[1].ports[0].link = PortPeer{"a", "1"};
    const Scene scene = build_scene(map, light());
    // a: 46..126; b: 142 + 80 = 222, plus one lane of 22
    EXPECT_EQ(scene.blocks, (std::vector<Span>{{46, 126}, {142, 244}}));
    EXPECT_EQ(scene.cuts, (std::vector<Span>{{46, 126}, {142, 222}, {222, 244}}));
    EXPECT_EQ(scene.height, 260);
}

// Whatever the map, the picture holds together: items inside W x H, spans
// in order, every place hit once.
void check_scene_shape(const Map& map, const Scene& scene, ViewKind kind) {
    ASSERT_FALSE(scene.items.empty());
    for (const SceneItem& item : scene.items) {
        if (const Rect* r = std::get_if<Rect>(&item)) {
            EXPECT_GE(r->x, 0);
            EXPECT_GE(r->y, 0);
            EXPECT_LE(r->x + r->width, scene.width);
            EXPECT_LE(r->y + r->height, scene.height);
        } else if (const Text* t = std::get_if<Text>(&item)) {
            EXPECT_LE(t->y + t->size, scene.height);
            EXPECT_LE(t->x, scene.width);
        }
    }
    for (std::size_t i = 1; i < scene.blocks.size(); ++i)
        EXPECT_LT(scene.blocks[i - 1].bottom, scene.blocks[i].top);
    for (std::size_t i = 1; i < scene.cuts.size(); ++i)
        EXPECT_LE(scene.cuts[i - 1].bottom, scene.cuts[i].top);
    for (const Span& cut : scene.cuts) {
        EXPECT_TRUE(std::any_of(scene.blocks.begin(), scene.blocks.end(),
                                [&](const Span& b) { return b.top <= cut.top && cut.bottom <= b.bottom; }));
    }
    // The topology keeps its rows of boxes together, the other views each switch.
    if (kind != ViewKind::Topology) {
        EXPECT_EQ(scene.blocks.size(), map.switches.size());
    }
    if (kind == ViewKind::FrontPanel) {
        std::size_t ports = 0;
        for (const Switch& sw : map.switches) ports += sw.ports.size();
        EXPECT_EQ(scene.hits.size(), ports);
    }
    if (kind == ViewKind::Topology) {
        EXPECT_EQ(scene.hits.size(), map.switches.size());
    }
}

TEST(Scene, GeneratedMapsHoldTogetherInEveryView) {
    const Map map = generate_map({.switches = 6, .vlans = 12, .seed = 7});
    for (ViewMode view : {ViewMode{ViewKind::FrontPanel, false}, ViewMode{ViewKind::VlanBreakdown, false},
                          ViewMode{ViewKind::VlanBreakdown, true}, ViewMode{ViewKind::Topology, false}}) {
        SceneOptions options;
        options.view = view;
        check_scene_shape(map, build_scene(map, options), view.kind);
        options.selected_vlan = map.vlans[1].id;
        check_scene_shape(map, build_scene(map, options), view.kind);
    }
}

TEST(Scene, ReadsBrokenMapsWithoutFailing) {
    Map map = two_vlans();
    Switch few_ports = row_switch("few", 4);
    few_ports.ports.resize(2); // fewer ports than places
    Switch empty_group = row_switch("empty", 2);
    empty_group.groups.push_back(PortGroup{PortKind::Sfp, 0, 3, Numbering::Rows, 0, 0.0f});
    Switch bad_lag = row_switch("lag", 2);
    bad_lag.lags = {Lag{"Trk1", {"9"}, std::nullopt}};
    Switch no_groups;
    no_groups.name = "none";
    no_groups.ports = {Port{.label = "x", .untagged = 10}};
    map.switches = {few_ports, empty_group, bad_lag, no_groups};
    map.switches[1].groups[0].gap_after = -5.0f;
    // Links to ports, LAGs and switches that are not there, and to itself.
    map.switches[0].ports[0].link = PortPeer{"lag", "7"};
    map.switches[0].ports[1].link = PortPeer{"few", "1"};
    map.switches[2].lags.push_back(Lag{"Trk2", {"1", "2"}, LagPeer{"none", "Trk9"}});
    map.switches[3].lags = {Lag{"Trk3", {"x"}, LagPeer{"gone", "Trk1"}}};
    struct Case {
        ViewMode view;
        std::size_t blocks;
    };
    for (const Case& c : {Case{{ViewKind::FrontPanel, false}, 4}, Case{{ViewKind::VlanBreakdown, true}, 4},
                          Case{{ViewKind::Topology, false}, 3}}) {
        SceneOptions options;
        options.view = c.view;
        options.selected_ports = {{7, 7}};
        options.selected_switch = 9;
        options.selected_vlan = 10;
        const Scene scene = build_scene(map, options);
        EXPECT_EQ(scene.blocks.size(), c.blocks);
    }
}

} // namespace
} // namespace quarn
