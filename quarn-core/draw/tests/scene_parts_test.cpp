#include "draw/scene_parts.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "draw/tests/fixtures.hpp"
#include "model/generator/generated_map.hpp"
#include "ops/port_vlan_ops.hpp"
#include "ops/testing/plain_switch.hpp"
#include "ops/testing/random_edits.hpp"

namespace quarn {
namespace {

void expect_same_scene(const Scene& kept, const Scene& fresh, const std::string& where) {
    EXPECT_EQ(kept.width, fresh.width) << where;
    EXPECT_EQ(kept.height, fresh.height) << where;
    EXPECT_TRUE(kept.items == fresh.items) << where;
    EXPECT_EQ(kept.hits, fresh.hits) << where;
    EXPECT_EQ(kept.blocks, fresh.blocks) << where;
    EXPECT_EQ(kept.cuts, fresh.cuts) << where;
}

const ViewMode k_views[] = {
    {ViewKind::FrontPanel, false},
    {ViewKind::VlanBreakdown, false},
    {ViewKind::VlanBreakdown, true},
    {ViewKind::Topology, false},
};

Map small_site() {
    Map map;
    map.site = "Depot";
    map.vlans = {{10, "Data", k_red}, {20, "Voice", k_green}, {30, "Cameras", k_blue}};
    for (int i = 0; i < 5; ++i)
        map.switches.push_back(testing::plain_switch("sw-" + std::to_string(i), 6 + i));
    map.switches[1].ports[0].untagged = 10;
    map.switches[3].ports[2].tagged = {20, 30};
    return map;
}

// Whatever the user does, and whatever is selected, the kept scene reads as
// the scene drawn afresh, in every view; the parts are told only which
// switches differ, as the program tells them.
TEST(SceneParts, AfterAnyEditingSessionReadAsAFreshScene) {
    constexpr std::uint32_t k_sessions = 4;
    constexpr int k_steps = 150;
    for (const ViewMode& view : k_views) {
        for (std::uint32_t seed = 1; seed <= k_sessions; ++seed) {
            Map map = small_site();
            testing::RandomEdits edits(seed * 31u);
            SceneOptions options;
            options.view = view;
            SceneParts parts;
            parts.update(map, options);
            std::uint32_t pick = seed;
            for (int step = 0; step < k_steps; ++step) {
                const Map before = map;
                const std::string operation = edits.apply(map).operation;
                // Now and then the selection, the current switch or the
                // chosen VLAN moves too.
                pick = pick * 1664525u + 1013904223u;
                if (pick % 5 == 0 && !map.switches.empty()) {
                    const std::size_t s = (pick >> 8) % map.switches.size();
                    options.selected_switch = s;
                    options.selected_ports = {{s, (pick >> 4) % 4}, {s, 1}};
                }
                if (pick % 7 == 0) options.selected_ports.clear();
                if (pick % 11 == 0)
                    options.selected_vlan = map.vlans.empty()
                                                ? std::nullopt
                                                : std::optional(map.vlans[pick % map.vlans.size()].id);
                if (pick % 13 == 0) options.palette = pick % 2 ? k_dark_palette : k_light_palette;

                parts.update(map, options, map_change(before, map));
                const std::string where = "view " + std::to_string(static_cast<int>(view.kind)) + "/" +
                                          std::to_string(view.show_unused) + " seed " + std::to_string(seed) +
                                          " step " + std::to_string(step) + " " + operation;
                const Scene fresh = build_scene(map, options);
                expect_same_scene(parts.scene(), fresh, where);
                ASSERT_EQ(parts.hits(), fresh.hits) << where;
                if (::testing::Test::HasFailure()) return;
            }
        }
    }
}

// Painting reads the parts where they lie: all of them give the fresh
// scene's items in order, and a stretch gives the background and the items
// of the switches that meet it.
TEST(SceneParts, VisitingAStretchGivesTheSwitchesThatMeetIt) {
    Map map = small_site();
    SceneOptions options;
    SceneParts parts;
    parts.update(map, options);
    const Scene fresh = build_scene(map, options);

    std::vector<SceneItem> all;
    parts.visit(
        [&](const auto& item) {
            if constexpr (std::is_same_v<std::decay_t<decltype(item)>, TextRef>) {
                all.push_back(Text{std::string(item.text), item.x, item.y, item.size, item.weight, item.align,
                                   item.color});
            } else {
                all.push_back(item);
            }
        },
        {0.0f, parts.height()});
    EXPECT_TRUE(fresh.items == all);

    const Span third = fresh.blocks[2];
    std::size_t texts = 0;
    std::vector<std::string> titles;
    parts.visit(
        [&](const auto& item) {
            if constexpr (std::is_same_v<std::decay_t<decltype(item)>, TextRef>) {
                ++texts;
                if (item.size == 12.0f) titles.emplace_back(item.text);
            }
        },
        {third.top + 1.0f, third.bottom - 1.0f});
    EXPECT_EQ(titles, std::vector<std::string>{"sw-2"});
    EXPECT_EQ(parts.hits({third.top + 1.0f, third.bottom - 1.0f}).size(), map.switches[2].ports.size());
}

// What an update says to repaint: the switch an edit changed, and when it
// grew, everything below it too; a new selection repaints the switches it
// leaves and reaches.
TEST(SceneParts, UpdatesNameTheStretchesThatChanged) {
    for (const ViewMode& view : {k_views[0], k_views[1]}) {
        Map map = small_site();
        SceneOptions options;
        options.view = view;
        SceneParts parts;
        parts.update(map, options);
        const Scene before = build_scene(map, options);

        Map edited = map;
        toggle_tagged(edited, {{2, 0}}, 10);
        const std::vector<Span> changed = parts.update(edited, options, map_change(map, edited));
        const Scene after = build_scene(edited, options);
        if (view.kind == ViewKind::FrontPanel) {
            // A tagged chip: the switch keeps its height.
            EXPECT_EQ(changed, std::vector<Span>{before.blocks[2]});
        } else {
            // A new row for VLAN 10: the switch and all below it.
            ASSERT_EQ(changed.size(), 1u);
            EXPECT_EQ(changed[0].top, before.blocks[2].top);
            EXPECT_EQ(changed[0].bottom, after.height);
        }

        options.selected_ports = {{4, 1}};
        options.selected_switch = 4;
        EXPECT_EQ(parts.update(edited, options, MapChange{false, {}}), std::vector<Span>{after.blocks[4]});
        options.selected_ports = {{0, 0}};
        options.selected_switch = 0;
        EXPECT_EQ(parts.update(edited, options, MapChange{false, {}}),
                  (std::vector<Span>{after.blocks[0], after.blocks[4]}));
        EXPECT_TRUE(parts.update(edited, options, MapChange{false, {}}).empty());
    }
}

// The topology's layout and the VLAN's reach are the whole map's; an edit
// that changes neither (a port facing hosts, a model, the current switch)
// puts the boxes it touched in place of theirs, and one that changes what a
// link carries draws the topology afresh. Either way it reads as a fresh
// scene.
TEST(SceneParts, TheTopologyRedrawsOnlyTheBoxesAnEditTouchedWhileTheReachStays) {
    Map map = generate_map({.switches = 12, .vlans = 6});
    const std::uint16_t vlan = map.vlans[2].id;
    SceneOptions options;
    options.view = {ViewKind::Topology, false};
    options.selected_vlan = vlan;
    options.selected_switch = 3;
    SceneParts parts;
    parts.update(map, options);
    ASSERT_TRUE(map.switches[5].ports[46].link); // Gi1/0/47 chains a switch to the next
    struct Step {
        const char* name;
        void (*edit)(Map&, SceneOptions&);
        bool whole;
    };
    const Step steps[] = {
        {"a host port",
         [](Map& m, SceneOptions& o) {
             toggle_untagged(m, {{5, 10}}, *o.selected_vlan);
         },
         false},
        {"the model", [](Map& m, SceneOptions&) { m.switches[7].model = "Edge switch, new model"; }, false},
        {"the current switch", [](Map&, SceneOptions& o) { o.selected_switch = 8; }, false},
        {"another VLAN",
         [](Map& m, SceneOptions&) {
             toggle_tagged(m, {{2, 3}}, m.vlans[4].id);
         },
         false},
        // Carried still, tagged now: the reach is as it was.
        {"an uplink port tagged",
         [](Map& m, SceneOptions& o) {
             toggle_tagged(m, {{5, 46}}, *o.selected_vlan);
         },
         false},
        {"an uplink port cleared",
         [](Map& m, SceneOptions&) {
             clear_port_vlans(m, {{5, 46}});
         },
         true},
        {"a host port again",
         [](Map& m, SceneOptions& o) {
             toggle_untagged(m, {{5, 10}}, *o.selected_vlan);
         },
         false},
    };
    for (const Step& step : steps) {
        const Map before = map;
        step.edit(map, options);
        const std::vector<Span> changed = parts.update(map, options, map_change(before, map));
        expect_same_scene(parts.scene(), build_scene(map, options), step.name);
        const bool whole =
            changed.size() == 1 && changed[0].top == 0.0f && changed[0].bottom >= parts.height();
        EXPECT_EQ(whole, step.whole) << step.name;
        if (!step.whole) {
            for (const Span& span : changed) EXPECT_LT(span.bottom - span.top, 100.0f) << step.name;
        }
    }
}

TEST(SceneParts, MapChangeNamesTheSwitchesThatDiffer) {
    const Map map = small_site();
    Map edited = map;
    edited.switches[1].ports[0].untagged.reset();
    edited.switches[4].groups[0].gap_after = -0.0f;
    const MapChange change = map_change(map, edited);
    EXPECT_FALSE(change.anything);
    EXPECT_EQ(change.switches, (std::vector<std::size_t>{1, 4}));
    edited.switches.pop_back();
    EXPECT_TRUE(map_change(map, edited).anything);
}

} // namespace
} // namespace quarn
