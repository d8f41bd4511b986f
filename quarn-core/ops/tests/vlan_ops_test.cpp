#include "ops/vlan_ops.hpp"

#include <gtest/gtest.h>

namespace quarn {
namespace {

Map with_vlans(std::initializer_list<std::uint16_t> ids) {
    Map map;
    for (std::uint16_t id : ids) map.vlans.push_back(Vlan{id, "v" + std::to_string(id), {}});
    return map;
}

std::vector<std::uint16_t> ids(const Map& map) {
    std::vector<std::uint16_t> list;
    for (const Vlan& vlan : map.vlans) list.push_back(vlan.id);
    return list;
}

TEST(VlanOps, AddAndEditRefuseWithTheWholeMessage) {
    struct Case {
        std::optional<std::uint16_t> editing; // nothing: add
        std::uint16_t id;
        const char* message;
    };
    const Case cases[] = {
        {{}, 4095, "VLAN ID 4095 is not between 1 and 4094."},
        {{}, 0, "VLAN ID 0 is not between 1 and 4094."},
        {{}, 65535, "VLAN ID 65535 is not between 1 and 4094."},
        {{}, 20, "VLAN 20 already exists."},
        // Edit checks the new ID's range, then the old VLAN, then the new ID.
        {20, 40, "VLAN 40 already exists."},
        {99, 7, "VLAN 99 does not exist."},
        {99, 5000, "VLAN ID 5000 is not between 1 and 4094."},
        {20, 0, "VLAN ID 0 is not between 1 and 4094."},
    };
    for (const Case& c : cases) {
        Map map = with_vlans({10, 20, 40});
        const Vlan vlan{c.id, "x", {}};
        auto error = c.editing ? edit_vlan(map, *c.editing, vlan) : add_vlan(map, vlan);
        ASSERT_TRUE(error) << c.message;
        EXPECT_EQ(vlan_error_message(*error), c.message);
    }
}

TEST(VlanOps, AddInsertsAtTheSortedPlace) {
    Map map = with_vlans({10, 20, 40});
    ASSERT_FALSE(add_vlan(map, Vlan{30, "x", {}}));
    EXPECT_EQ(ids(map), (std::vector<std::uint16_t>{10, 20, 30, 40}));
    ASSERT_FALSE(add_vlan(map, Vlan{1, "x", {}}));
    ASSERT_FALSE(add_vlan(map, Vlan{4094, "x", {}}));
    EXPECT_EQ(ids(map), (std::vector<std::uint16_t>{1, 10, 20, 30, 40, 4094}));

    // A file's own order is kept; the new VLAN goes where bisection puts it.
    Map unsorted = with_vlans({30, 10, 20});
    ASSERT_FALSE(add_vlan(unsorted, Vlan{25, "x", {}}));
    EXPECT_EQ(ids(unsorted), (std::vector<std::uint16_t>{30, 10, 20, 25}));
}

TEST(VlanOps, EditKeepsPlaceOrMovesAndRenumbersPorts) {
    Map map = with_vlans({10, 20, 40});
    map.switches.resize(2);
    map.switches[0].ports = {Port{.label = "1", .untagged = 20, .tagged = {30, 20}},
                             Port{.label = "2", .untagged = 7, .tagged = {30, 10}}};
    map.switches[1].ports = {Port{.label = "1", .untagged = std::nullopt, .tagged = {20, 20}}};

    ASSERT_FALSE(edit_vlan(map, 20, Vlan{20, "renamed", {1, 2, 3}}));
    EXPECT_EQ(ids(map), (std::vector<std::uint16_t>{10, 20, 40}));
    EXPECT_EQ(map.vlans[1], (Vlan{20, "renamed", {1, 2, 3}}));
    // Every edit sorts every tagged list, also where the VLAN is not.
    EXPECT_EQ(map.switches[0].ports[1].tagged, (std::vector<std::uint16_t>{10, 30}));

    ASSERT_FALSE(edit_vlan(map, 20, Vlan{5, "five", {}}));
    EXPECT_EQ(ids(map), (std::vector<std::uint16_t>{5, 10, 40}));
    EXPECT_EQ(map.switches[0].ports[0].untagged, 5);
    EXPECT_EQ(map.switches[0].ports[0].tagged, (std::vector<std::uint16_t>{5, 30}));
    EXPECT_EQ(map.switches[0].ports[1].untagged, 7);
    EXPECT_EQ(map.switches[1].ports[0].tagged, (std::vector<std::uint16_t>{5, 5}));
}

TEST(VlanOps, RemoveTakesTheVlanOffListAndPortsEvenWhenNotListed) {
    Map map = with_vlans({10, 20, 30});
    map.switches.resize(1);
    map.switches[0].ports = {Port{.label = "1", .untagged = 20, .tagged = {20, 30, 20}},
                             Port{.label = "2", .untagged = 99, .tagged = {99, 10}}};
    remove_vlan(map, 20);
    EXPECT_EQ(ids(map), (std::vector<std::uint16_t>{10, 30}));
    EXPECT_EQ(map.switches[0].ports[0].untagged, std::nullopt);
    EXPECT_EQ(map.switches[0].ports[0].tagged, (std::vector<std::uint16_t>{30}));
    EXPECT_EQ(ports_carrying_vlan(map, 99), 1u);
    remove_vlan(map, 99);
    EXPECT_EQ(map.switches[0].ports[1], (Port{.label = "2", .untagged = std::nullopt, .tagged = {10}}));
    EXPECT_EQ(ports_carrying_vlan(map, 99), 0u);
}

TEST(VlanOps, ProposedIdAndColor) {
    EXPECT_EQ(propose_vlan_id(Map{}), 1);
    EXPECT_EQ(propose_vlan_id(with_vlans({10, 4094})), 4094);
    EXPECT_EQ(propose_vlan_id(with_vlans({30, 20})), 21);

    Map map;
    EXPECT_EQ(propose_vlan_color(map), (Rgb{0x2E, 0x7D, 0x32}));
    map.vlans = {Vlan{1, "", k_default_vlan_colors[0]}, Vlan{2, "", k_default_vlan_colors[2]}};
    EXPECT_EQ(propose_vlan_color(map), (Rgb{0x15, 0x65, 0xC0}));

    map.vlans.clear();
    for (std::uint16_t i = 0; i < 20; ++i)
        map.vlans.push_back(Vlan{std::uint16_t(i + 1), "", k_default_vlan_colors[i]});
    EXPECT_EQ(propose_vlan_color(map), k_default_vlan_colors[0]);
    map.vlans.push_back(Vlan{21, "", k_default_vlan_colors[5]});
    EXPECT_EQ(rgb_text(propose_vlan_color(map)), "#1565c0");
}

} // namespace
} // namespace quarn
