#include "ops/lag_ops.hpp"

#include <gtest/gtest.h>

#include "ops/testing/plain_switch.hpp"

namespace quarn {
namespace {

using Labels = std::vector<std::string>;
using testing::plain_switch;

// A, B, C: ports 1..8; A Trk1 over 1,2 peered with B Trk1; A 5 linked to B 5.
// (The property test checks that every edit here leaves a map that loads and
// that a refusal changes nothing.)
Map two_switches() {
    Map map;
    map.switches = {plain_switch("A", 8), plain_switch("B", 8), plain_switch("C", 8)};
    map.switches[0].lags = {Lag{"Trk1", {"1", "2"}, LagPeer{"B", "Trk1"}}};
    map.switches[1].lags = {Lag{"Trk1", {"1", "2"}, LagPeer{"A", "Trk1"}}};
    map.switches[0].ports[4].link = PortPeer{"B", "5"};
    map.switches[1].ports[4].link = PortPeer{"A", "5"};
    return map;
}

TEST(LagOps, DefaultName) {
    EXPECT_EQ(default_lag_name({}), "Trk1");
    EXPECT_EQ(default_lag_name({Lag{"Trk1"}, Lag{"Trk3"}}), "Trk2");
    EXPECT_EQ(default_lag_name({Lag{"Trk2"}, Lag{"Trk1"}, Lag{"x"}}), "Trk3");
}

TEST(LagOps, CreateAndEditRefuseWithTheWholeMessage) {
    Map map = two_switches();
    ASSERT_FALSE(create_lag(map, 0, "Trk2", {5}));
    // C's second port labelled 1 has the uplink: a LAG over the first would
    // make the map unloadable.
    map.switches[2].ports[3].label = "1";
    map.switches[2].ports[3].link = PortPeer{"A", "8"};
    struct Case {
        std::size_t sw;
        const char* editing; // nullptr: create
        std::string name;
        std::vector<std::size_t> ports;
        const char* message;
    };
    const Case cases[] = {
        {0, nullptr, "", {3}, "Enter a name for the LAG."},
        {0, nullptr, "Trk1", {3}, "This switch already has a LAG named Trk1."},
        {0, nullptr, "Trk3", {}, "A LAG needs at least one port."},
        {0, nullptr, "Trk3", {40, 41}, "A LAG needs at least one port."},
        {0, nullptr, "Trk3", {3, 1}, "Port 2 is already in LAG Trk1."},
        {0, nullptr, "Trk3", {2, 4}, "Port 5 has an uplink. Remove it first."},
        {2, nullptr, "Trk1", {0}, "Port 1 has an uplink. Remove it first."},
        {0, "Gone", "X", {2}, "LAG Gone does not exist."},
        {9, "Trk1", "X", {0}, "LAG Trk1 does not exist."},
        {0, "Trk1", "", {2}, "Enter a name for the LAG."},
        {0, "Trk1", "Trk2", {0}, "This switch already has a LAG named Trk2."},
        {0, "Trk1", "Trk1", {0, 5}, "Port 6 is already in LAG Trk2."},
        {0, "Trk1", "Trk1", {0, 4}, "Port 5 has an uplink. Remove it first."},
        {0, "Trk1", "Trk1", {}, "A LAG needs at least one port."},
    };
    for (const Case& c : cases) {
        Map edited = map;
        auto error = c.editing ? edit_lag(edited, c.sw, c.editing, c.name, c.ports)
                               : create_lag(edited, c.sw, c.name, c.ports);
        ASSERT_TRUE(error) << c.message;
        EXPECT_EQ(lag_error_message(*error), c.message);
    }
}

TEST(LagOps, CreateCopiesTheFirstPortsVlansAndStoresEachLabelOnce) {
    Map map = two_switches();
    Switch& sw = map.switches[0];
    sw.ports[6].untagged = 10;
    sw.ports[6].tagged = {30, 20};
    sw.ports[2].untagged = 99;
    // Port 7 chosen twice and port 4 (position 3) relabelled 3: one label
    // each, however often chosen.
    sw.ports[3].label = "3";
    ASSERT_FALSE(create_lag(map, 0, "Trk2", {6, 2, 6, 3, 99}));
    EXPECT_EQ(sw.lags[1], (Lag{"Trk2", {"7", "3"}, std::nullopt}));
    for (std::size_t p : {2, 3, 6}) {
        EXPECT_EQ(sw.ports[p].untagged, 10) << p;
        EXPECT_EQ(sw.ports[p].tagged, (std::vector<std::uint16_t>{30, 20})) << p;
    }
    EXPECT_EQ(lag_member_positions(sw, sw.lags[1]), (std::vector<std::size_t>{6, 2}));
}

TEST(LagOps, EditRenamesKeepsPeersAndGivesVlansToJoiningPortsOnly) {
    Map map = two_switches();
    Switch& a = map.switches[0];
    a.ports[0].untagged = 10; // members 1 and 2 differ on purpose
    a.ports[1].untagged = 20;
    a.ports[2].untagged = 30;
    ASSERT_FALSE(edit_lag(map, 0, "Trk1", "Po1", {2, 1, 3}));
    EXPECT_EQ(a.lags[0], (Lag{"Po1", {"3", "2", "4"}, LagPeer{"B", "Trk1"}}));
    EXPECT_EQ(map.switches[1].lags[0].peer, (LagPeer{"A", "Po1"}));
    EXPECT_EQ(lag_vlan_source(a, {2, 1, 3}, "Po1"), std::nullopt);
    // Port 2 stayed and gives its VLAN to 3 and 4; port 1 left with its own.
    EXPECT_EQ(a.ports[0].untagged, 10);
    EXPECT_EQ(a.ports[1].untagged, 20);
    EXPECT_EQ(a.ports[2].untagged, 20);
    EXPECT_EQ(a.ports[3].untagged, 20);

    // Nothing of the old members left: like a new LAG, the first chosen port.
    EXPECT_EQ(lag_vlan_source(a, {7, 6}, "Po1"), 7u);
    EXPECT_EQ(lag_vlan_source(a, {7, 6}), 7u);
    ASSERT_FALSE(edit_lag(map, 0, "Po1", "Po1", {7, 6}));
    EXPECT_EQ(a.lags[0].members, (Labels{"8", "7"}));
}

TEST(LagOps, LinkPorts) {
    Map map = two_switches();
    // C 1 already linked to A 3, answered.
    map.switches[2].ports[0].link = PortPeer{"A", "3"};
    map.switches[0].ports[2].link = PortPeer{"C", "1"};
    EXPECT_EQ(link_ports(map, {0, 2}, {1, 6}), LinkResult{});
    EXPECT_EQ(map.switches[0].ports[2].link, (PortPeer{"B", "7"}));
    EXPECT_EQ(map.switches[1].ports[6].link, (PortPeer{"A", "3"}));
    EXPECT_EQ(map.switches[2].ports[0].link, std::nullopt);

    EXPECT_EQ(link_ports(map, {0, 2}, {0, 3}).kind, LinkResult::Kind::SameSwitch);
    EXPECT_EQ(link_ports(map, {2, 3}, {1, 1}), (LinkResult{LinkResult::Kind::PortInLag, "2", "Trk1"}));
    EXPECT_EQ(link_ports(map, {2, 3}, {2, 30}).kind, LinkResult::Kind::NoPort);
    // A port that shares its label with a LAG member counts as a member.
    map.switches[2].ports[5].label = "Z";
    map.switches[2].lags = {Lag{"Trk1", {"Z"}, std::nullopt}};
    map.switches[2].ports[6].label = "Z";
    EXPECT_EQ(link_ports(map, {2, 6}, {1, 3}), (LinkResult{LinkResult::Kind::PortInLag, "Z", "Trk1"}));
}

TEST(LagOps, UnlinkClearsOnlyWhatPointsBack) {
    Map map = two_switches();
    map.switches[2].ports[0].link = PortPeer{"A", "5"}; // one-sided, at A 5
    map.switches[0].ports[5].link = PortPeer{"C", "2"}; // one-sided, A 6 at C 2
    unlink_port(map, {0, 4});
    EXPECT_EQ(map.switches[0].ports[4].link, std::nullopt);
    EXPECT_EQ(map.switches[1].ports[4].link, std::nullopt);
    EXPECT_EQ(map.switches[2].ports[0].link, std::nullopt);
    unlink_port(map, {2, 1});
    EXPECT_EQ(map.switches[0].ports[5].link, std::nullopt);
    unlink_port(map, {2, 99});
}

TEST(LagOps, UnpeerRemoveAndSetPeer) {
    Map map = two_switches();
    map.switches[2].lags = {Lag{"Trk1", {"8"}, LagPeer{"A", "Trk1"}}};
    remove_lag(map, 0, "Trk1");
    EXPECT_TRUE(map.switches[0].lags.empty());
    EXPECT_EQ(map.switches[1].lags[0].peer, std::nullopt);
    EXPECT_EQ(map.switches[2].lags[0].peer, std::nullopt);

    // Peering B Trk1 with C Trk1 both ways; then C Trk1 with a new A LAG
    // takes it away from B.
    ASSERT_FALSE(set_lag_peer(map, 1, "Trk1", LagPeer{"C", "Trk1"}));
    EXPECT_EQ(map.switches[2].lags[0].peer, (LagPeer{"B", "Trk1"}));
    ASSERT_FALSE(create_lag(map, 0, "Po9", {0}));
    ASSERT_FALSE(set_lag_peer(map, 0, "Po9", LagPeer{"C", "Trk1"}));
    EXPECT_EQ(map.switches[1].lags[0].peer, std::nullopt);
    EXPECT_EQ(map.switches[2].lags[0].peer, (LagPeer{"A", "Po9"}));
    EXPECT_EQ(map.switches[0].lags[0].peer, (LagPeer{"C", "Trk1"}));

    EXPECT_EQ(lag_error_message(*set_lag_peer(map, 0, "Po9", LagPeer{"C", "Nope"})),
              "LAG Nope does not exist.");
    EXPECT_EQ(lag_error_message(*set_lag_peer(map, 0, "Nope", std::nullopt)), "LAG Nope does not exist.");
    ASSERT_FALSE(set_lag_peer(map, 0, "Po9", std::nullopt));
    EXPECT_EQ(map.switches[2].lags[0].peer, std::nullopt);
}

} // namespace
} // namespace quarn
