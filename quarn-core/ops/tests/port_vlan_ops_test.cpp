#include "ops/port_vlan_ops.hpp"

#include <gtest/gtest.h>

#include "ops/testing/plain_switch.hpp"

namespace quarn {
namespace {

using Ids = std::vector<std::uint16_t>;

// Switch 0: ports 1..8, LAG Trk1 over 2..5 (chosen as 5,3,2,4), and LAG Trk2
// over 7; port 6 also named by Trk9 after Trk1 does not exist.
Map lag_map() {
    Map map;
    map.switches = {testing::plain_switch("a", 8), testing::plain_switch("b", 8)};
    map.switches[0].lags = {Lag{"Trk1", {"5", "3", "2", "4"}, std::nullopt},
                            Lag{"Trk2", {"7"}, std::nullopt}};
    return map;
}

TEST(PortVlanOps, WideningTakesWholeLagsSortsAndDropsWhatIsNotThere) {
    Map map = lag_map();
    EXPECT_EQ(expand_to_lag_siblings(map, {{0, 3}}), (Selection{{0, 1}, {0, 2}, {0, 3}, {0, 4}}));
    EXPECT_EQ(expand_to_lag_siblings(map, {{1, 3}, {0, 7}, {0, 7}, {0, 99}, {5, 0}}),
              (Selection{{0, 7}, {1, 3}}));

    // A label named by two LAGs drags only the first LAG's members.
    map.switches[0].lags[1].members = {"7", "3"};
    EXPECT_EQ(expand_to_lag_siblings(map, {{0, 2}}), (Selection{{0, 1}, {0, 2}, {0, 3}, {0, 4}}));
    EXPECT_EQ(expand_to_lag_siblings(map, {{0, 6}}), (Selection{{0, 2}, {0, 6}}));
}

TEST(PortVlanOps, ToggleUntagged) {
    Map map = lag_map();
    toggle_untagged(map, {{0, 1}}, 10);
    for (std::size_t p : {1, 2, 3, 4}) EXPECT_EQ(map.switches[0].ports[p].untagged, 10) << p;
    EXPECT_EQ(map.switches[0].ports[0].untagged, std::nullopt);

    // All carry it: cleared on all of them.
    toggle_untagged(map, {{0, 2}}, 10);
    for (std::size_t p : {1, 2, 3, 4}) EXPECT_EQ(map.switches[0].ports[p].untagged, std::nullopt);

    // One carries another: all get the chosen one, and lose it as tagged.
    map.switches[1].ports[0].untagged = 20;
    map.switches[1].ports[1].untagged = 30;
    map.switches[1].ports[1].tagged = {5, 20, 7, 20};
    toggle_untagged(map, {{1, 0}, {1, 1}}, 20);
    EXPECT_EQ(map.switches[1].ports[1].untagged, 20);
    EXPECT_EQ(map.switches[1].ports[1].tagged, (Ids{5, 7}));

    set_untagged(map, {{1, 1}}, 5);
    EXPECT_EQ(map.switches[1].ports[1].tagged, (Ids{7}));

    Map before = map;
    toggle_untagged(map, {{1, 99}}, 20);
    toggle_untagged(map, {}, 20);
    EXPECT_EQ(map, before);
}

TEST(PortVlanOps, ToggleTagged) {
    Map map = lag_map();
    Switch& sw = map.switches[1];
    sw.ports[0].tagged = {40, 10};
    sw.ports[1].untagged = 30;
    toggle_tagged(map, {{1, 0}, {1, 1}, {1, 2}}, 30);
    EXPECT_EQ(sw.ports[0].tagged, (Ids{10, 30, 40}));
    EXPECT_EQ(sw.ports[1], (Port{.label = "2", .untagged = std::nullopt, .tagged = {30}}));
    EXPECT_EQ(sw.ports[2].tagged, (Ids{30}));

    // Ports that already carry it are left as they are (unsorted included).
    sw.ports[3].tagged = {50, 30, 30};
    toggle_tagged(map, {{1, 3}, {1, 4}}, 30);
    EXPECT_EQ(sw.ports[3].tagged, (Ids{50, 30, 30}));
    EXPECT_EQ(sw.ports[4].tagged, (Ids{30}));

    // All carry it: every occurrence goes, the rest keeps its order.
    toggle_tagged(map, {{1, 3}, {1, 4}}, 30);
    EXPECT_EQ(sw.ports[3].tagged, (Ids{50}));
    EXPECT_EQ(sw.ports[4].tagged, Ids{});

    toggle_tagged(map, {{0, 2}}, 8);
    for (std::size_t p : {1, 2, 3, 4}) EXPECT_EQ(map.switches[0].ports[p].tagged, Ids{8});
}

TEST(PortVlanOps, CopyPasteAndClearWidenToTheLag) {
    Map map = lag_map();
    map.switches[1].ports[0].untagged = 3;
    map.switches[1].ports[0].tagged = {9, 4, 9};
    auto copied = copy_port_vlans(map, {1, 0});
    ASSERT_TRUE(copied);
    EXPECT_EQ(*copied, (PortVlans{3, {9, 4, 9}}));
    EXPECT_FALSE(copy_port_vlans(map, {1, 8}));
    EXPECT_FALSE(copy_port_vlans(map, {2, 0}));

    paste_port_vlans(map, {{0, 4}, {0, 0}}, *copied);
    for (std::size_t p : {0, 1, 2, 3, 4}) EXPECT_EQ(*copy_port_vlans(map, {0, p}), *copied) << p;
    EXPECT_EQ(*copy_port_vlans(map, {0, 5}), PortVlans{});

    clear_port_vlans(map, {{0, 1}});
    for (std::size_t p : {1, 2, 3, 4}) EXPECT_EQ(*copy_port_vlans(map, {0, p}), PortVlans{}) << p;
    EXPECT_EQ(*copy_port_vlans(map, {0, 0}), *copied);
}

} // namespace
} // namespace quarn
