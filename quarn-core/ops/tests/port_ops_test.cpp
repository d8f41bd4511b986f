#include "ops/port_ops.hpp"

#include <gtest/gtest.h>

#include "ops/testing/plain_switch.hpp"

namespace quarn {
namespace {

// core: ports 1..4, LAG Trk1 over 1 and 2 peered with edge Trk1; core 3
// linked to edge 1 both ways; edge 2 links to core 3 one-sidedly.
Map linked_map() {
    Map map;
    map.switches = {testing::plain_switch("core", 4), testing::plain_switch("edge", 4)};
    map.switches[0].lags = {Lag{"Trk1", {"1", "2"}, LagPeer{"edge", "Trk1"}}};
    map.switches[1].lags = {Lag{"Trk1", {"4"}, LagPeer{"core", "Trk1"}}};
    map.switches[0].ports[2].link = PortPeer{"edge", "1"};
    map.switches[1].ports[0].link = PortPeer{"core", "3"};
    map.switches[1].ports[1].link = PortPeer{"core", "3"};
    return map;
}

TEST(PortOps, RenamingALabelCarriesLagMembersAndLinksAlong) {
    Map map = linked_map();
    ASSERT_FALSE(set_port_label(map, {0, 2}, "Gi3"));
    EXPECT_EQ(map.switches[0].ports[2].label, "Gi3");
    EXPECT_EQ(map.switches[1].ports[0].link, (PortPeer{"core", "Gi3"}));
    EXPECT_EQ(map.switches[1].ports[1].link, (PortPeer{"core", "Gi3"}));

    ASSERT_FALSE(set_port_label(map, {0, 1}, "Gi2"));
    EXPECT_EQ(map.switches[0].lags[0].members, (std::vector<std::string>{"1", "Gi2"}));
}

TEST(PortOps, ALabelThatAnotherPortBearsIsRefused) {
    Map map = linked_map();
    Map before = map;
    // Renaming member 2 to 1 would list port 1 in the LAG twice; renaming 3
    // to 4 would hand its uplink to a LAG member.
    for (auto [port, label] : {std::pair{1, "1"}, std::pair{2, "4"}, std::pair{0, "3"}}) {
        auto error = set_port_label(map, {0, std::size_t(port)}, label);
        ASSERT_TRUE(error) << label;
        EXPECT_EQ(port_label_error_message(*error),
                  std::string("This switch already has a port labelled ") + label + ".");
    }
    // The same label, and a port that does not exist, change nothing.
    EXPECT_FALSE(set_port_label(map, {0, 2}, "3"));
    EXPECT_FALSE(set_port_label(map, {0, 9}, "x"));
    EXPECT_FALSE(set_port_label(map, {7, 0}, "x"));
    EXPECT_EQ(map, before);
}

TEST(PortOps, OnlyTheFirstPortBearingALabelIsWhatReferencesMean) {
    // Two ports labelled 1 (as a file may have them): renaming the second
    // leaves references with the first; renaming the first takes them along
    // and leaves the second unreferenced.
    Map map = linked_map();
    map.switches[0].ports[3].label = "1";
    Map second = map;
    ASSERT_FALSE(set_port_label(second, {0, 3}, "X"));
    EXPECT_EQ(second.switches[0].lags[0].members, (std::vector<std::string>{"1", "2"}));

    ASSERT_FALSE(set_port_label(map, {0, 0}, "X"));
    EXPECT_EQ(map.switches[0].lags[0].members, (std::vector<std::string>{"X", "2"}));
    EXPECT_EQ(map.switches[0].ports[3].label, "1");
}

TEST(PortOps, LinksThroughASwitchNameThatAnEarlierSwitchBearsStay) {
    Map map = linked_map();
    map.switches.insert(map.switches.begin(), map.switches[0]);
    map.switches[0].lags.clear();
    map.switches[0].ports[2].link.reset();
    ASSERT_FALSE(set_port_label(map, {1, 2}, "Gi3"));
    EXPECT_EQ(map.switches[2].ports[0].link, (PortPeer{"core", "3"}));
}

TEST(PortOps, DescriptionAndDisabledTouchOnlyTheSelectedPorts) {
    Map map = linked_map();
    set_port_description(map, {{0, 0}, {1, 3}, {0, 17}}, "server");
    set_port_disabled(map, {{0, 0}, {5, 5}}, true);
    EXPECT_EQ(map.switches[0].ports[0].description, "server");
    EXPECT_TRUE(map.switches[0].ports[0].disabled);
    EXPECT_EQ(map.switches[0].ports[1].description, ""); // its LAG sibling
    EXPECT_FALSE(map.switches[0].ports[1].disabled);
    EXPECT_EQ(map.switches[1].ports[3].description, "server");
}

} // namespace
} // namespace quarn
