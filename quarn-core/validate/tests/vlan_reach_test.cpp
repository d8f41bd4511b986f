#include "validate/vlan_reach.hpp"

#include <functional>

#include <gtest/gtest.h>

#include "reach_network.hpp"
#include "validate/check_map.hpp"
#include "validate/vlan_where.hpp"

namespace quarn {
namespace {

using Lines = std::vector<std::string>;
using testing::ReachNetwork;

Lines reach_messages(const Map& map) {
    Lines lines;
    for (const Problem& problem : check_map(map))
        if (problem.kind == Problem::Kind::VlanCutOff) lines.push_back(problem_message(problem));
    return lines;
}

struct ReachCase {
    const char* name;
    std::function<ReachNetwork()> build;
    Lines expected;
};

TEST(VlanReach, TheRuleOnSmallMaps) {
    const ReachCase cases[] = {
        {"a VLAN pruned on one trunk of a two-hop path",
         [] {
             return std::move(ReachNetwork{"A", "B", "C"}
                                  .use("A", 1, 20)
                                  .use("B", 1, 20)
                                  .use("C", 1, 20)
                                  .use("C", 2, 10)
                                  .use("A", 2, 10)
                                  .trunk("A", 5, "B", 5, {10, 20})
                                  .trunk("B", 6, "C", 6, {10}));
         },
         {"VLAN 20: C cannot reach A, B: no chain of links carries it"}},
        {"a VLAN carried everywhere",
         [] {
             return std::move(ReachNetwork{"A", "B", "C"}
                                  .use("A", 1, 20)
                                  .use("C", 1, 20)
                                  .trunk("A", 5, "B", 5, {10, 20})
                                  .trunk("B", 6, "C", 6, {10, 20}));
         },
         {}},
        {"a VLAN untagged on both ends of the trunk",
         [] {
             ReachNetwork net{"A", "B"};
             net.use("A", 1, 20).use("B", 1, 20).trunk("A", 5, "B", 5, {});
             net.port("A", 5).untagged = 20;
             net.port("B", 5).untagged = 20;
             return net;
         },
         {}},
        {"a LAG link that carries it",
         [] {
             return std::move(
                 ReachNetwork{"A", "B"}.use("A", 1, 20).use("B", 1, 20).lag("A", {20}, "B", {20}));
         },
         {}},
        {"a LAG link whose one side lacks it",
         [] {
             return std::move(
                 ReachNetwork{"A", "B"}.use("A", 1, 20).use("B", 1, 20).lag("A", {20}, "B", {10}));
         },
         {"VLAN 20: B cannot reach A: no chain of links carries it"}},
        {"a LAG link where one member of each side carries it",
         [] {
             ReachNetwork net{"A", "B"};
             net.use("A", 1, 20).use("B", 1, 20).lag("A", {10}, "B", {10});
             net.port("A", 8).tagged = {20};
             net.port("B", 7).tagged = {20};
             return net;
         },
         {}},
        {"switches with no links at all",
         [] {
             return std::move(ReachNetwork{"A", "B", "C"}.use("A", 1, 20).use("B", 1, 20).use("C", 1, 20));
         },
         {}},
        {"a disabled access port is no user",
         [] {
             ReachNetwork net{"A", "B"};
             net.use("A", 1, 20).use("B", 1, 20).trunk("A", 5, "B", 5, {10});
             net.port("B", 1).disabled = true;
             return net;
         },
         {}},
        {"a disabled trunk port carries nothing",
         [] {
             ReachNetwork net{"A", "B"};
             net.use("A", 1, 20).use("B", 1, 20).trunk("A", 5, "B", 5, {10, 20});
             net.port("B", 5).disabled = true;
             return net;
         },
         {"VLAN 20: B cannot reach A: no chain of links carries it"}},
        {"a VLAN on one switch only",
         [] {
             return std::move(ReachNetwork{"A", "B"}
                                  .use("A", 1, 20)
                                  .use("A", 2, 20)
                                  .use("B", 1, 10)
                                  .trunk("A", 5, "B", 5, {10}));
         },
         {}},
        {"three groups",
         [] {
             return std::move(ReachNetwork{"A", "B", "C", "D", "E"}
                                  .use("A", 1, 30)
                                  .use("B", 1, 30)
                                  .use("C", 1, 30)
                                  .use("D", 1, 30)
                                  .use("E", 1, 30)
                                  .trunk("A", 5, "B", 5, {30})
                                  .trunk("B", 6, "C", 5, {10})
                                  .trunk("C", 6, "D", 5, {10})
                                  .trunk("D", 6, "E", 5, {30}));
         },
         // Of the two largest groups, the one that comes first in the map.
         {"VLAN 30: C cannot reach A, B: no chain of links carries it",
          "VLAN 30: D, E cannot reach A, B: no chain of links carries it"}},
        {"the largest group wins over the first",
         [] {
             return std::move(ReachNetwork{"A", "B", "C", "D"}
                                  .use("A", 1, 30)
                                  .use("B", 1, 30)
                                  .use("C", 1, 30)
                                  .use("D", 1, 30)
                                  .trunk("A", 5, "B", 5, {10})
                                  .trunk("B", 6, "C", 5, {30})
                                  .trunk("C", 6, "D", 5, {30}));
         },
         {"VLAN 30: A cannot reach B, C, D: no chain of links carries it"}},
        {"a switch in between that uses nothing passes the VLAN on",
         [] {
             return std::move(ReachNetwork{"A", "core", "B"}
                                  .use("A", 1, 20)
                                  .use("B", 1, 20)
                                  .trunk("A", 5, "core", 1, {20})
                                  .trunk("core", 2, "B", 5, {20}));
         },
         {}},
        {"separate parts are judged each on their own",
         [] {
             return std::move(ReachNetwork{"A", "B", "C", "D"}
                                  .use("A", 1, 20)
                                  .use("B", 1, 20)
                                  .use("C", 1, 20)
                                  .use("D", 1, 20)
                                  .trunk("A", 5, "B", 5, {10})
                                  .trunk("C", 5, "D", 5, {20}));
         },
         {"VLAN 20: B cannot reach A: no chain of links carries it"}},
        {"a link that is not answered joins nothing",
         [] {
             ReachNetwork net{"A", "B"};
             net.use("A", 1, 20).use("B", 1, 20).trunk("A", 5, "B", 5, {20});
             net.port("B", 5).link = PortPeer{"A", "6"};
             return net;
         },
         {}},
        {"VLANs not in the list are not judged",
         [] {
             ReachNetwork net{"A", "B"};
             net.use("A", 1, 77).use("B", 1, 77).trunk("A", 5, "B", 5, {10});
             return net;
         },
         {}},
        {"more than five switches in a group",
         [] {
             ReachNetwork net{"s1", "s2", "s3", "s4", "s5", "s6", "s7", "x"};
             const char* chain[] = {"s1", "s2", "s3", "s4", "s5", "s6", "s7"};
             for (int i = 0; i < 7; ++i) net.use(chain[i], 1, 10);
             for (int i = 0; i + 1 < 7; ++i) net.trunk(chain[i], 5, chain[i + 1], 6, {10});
             net.use("x", 1, 10).trunk("s7", 7, "x", 5, {20});
             return net;
         },
         {"VLAN 10: x cannot reach s1, s2, s3, s4, s5 and 2 more: no chain of links carries it"}},
    };
    for (const ReachCase& c : cases) EXPECT_EQ(reach_messages(c.build().map()), c.expected) << c.name;
}

// The groups and ports that the topology view and the VLAN list show.
TEST(VlanReach, GroupsAndTheirPorts) {
    ReachNetwork net{"A", "B", "C", "D"};
    net.use("A", 1, 20).use("B", 2, 20).trunk("A", 5, "B", 5, {20}).trunk("B", 6, "C", 5, {10});
    net.port("C", 1).tagged = {10, 20};
    net.use("C", 2, 20).use("C", 3, 20).use("D", 1, 20);
    net.port("C", 3).disabled = true;
    net.port("C", 5).tagged.push_back(20); // the far end of the trunk lacks it
    const VlanReach reach = vlan_reach(net.map(), 20);
    const VlanReach expected{20,
                             {
                                 ReachGroup{{0, 1}, {{0, 0}, {1, 1}}, 0, std::nullopt},
                                 ReachGroup{{2}, {{2, 0}, {2, 1}}, 0, 0},
                                 ReachGroup{{3}, {{3, 0}}, 3, std::nullopt},
                             }};
    EXPECT_EQ(reach, expected);
    EXPECT_EQ(vlan_reach(net.map(), 30), (VlanReach{30, {}}));

    // The problem selects the cut-off switch's ports that use the VLAN.
    std::vector<Problem> problems;
    for (Problem& problem : check_map(net.map()))
        if (problem.kind == Problem::Kind::VlanCutOff) problems.push_back(problem);
    ASSERT_EQ(problems.size(), 1u);
    Problem expected_problem{Problem::Kind::VlanCutOff, "C", "A, B", 20};
    expected_problem.ports = {{2, 0}, {2, 1}};
    EXPECT_EQ(problems[0], expected_problem);
}

TEST(VlanReach, SwitchList) {
    ReachNetwork net{"a", "b", "c", "d", "e", "f"};
    const std::vector<std::size_t> all = {0, 1, 2, 3, 4, 5};
    EXPECT_EQ(switch_list(net.map(), std::span(all).first(1)), "a");
    EXPECT_EQ(switch_list(net.map(), std::span(all).first(5)), "a, b, c, d, e");
    EXPECT_EQ(switch_list(net.map(), all), "a, b, c, d, e and 1 more");
}

TEST(VlanReach, ReachLines) {
    struct Case {
        const char* name;
        std::function<ReachNetwork()> build;
        Lines expected;
    };
    const Case cases[] = {
        {"on links only",
         [] {
             return std::move(ReachNetwork{"A", "B"}.trunk("A", 5, "B", 5, {20}));
         },
         {"VLAN 20 is used on no switch: every port that carries it has a link or is disabled."}},
        {"one switch",
         [] {
             return std::move(ReachNetwork{"A", "B"}.use("A", 1, 20).use("A", 2, 20));
         },
         {"VLAN 20 is used on A only."}},
        {"two switches",
         [] {
             return std::move(
                 ReachNetwork{"A", "B"}.use("A", 1, 20).use("B", 1, 20).trunk("A", 5, "B", 5, {20}));
         },
         {"VLAN 20 reaches both switches that use it: A, B."}},
        {"six switches",
         [] {
             ReachNetwork net{"a", "b", "c", "d", "e", "f"};
             const char* names[] = {"a", "b", "c", "d", "e", "f"};
             for (int i = 0; i < 6; ++i) net.use(names[i], 1, 20);
             for (int i = 0; i + 1 < 6; ++i) net.trunk(names[i], 5, names[i + 1], 6, {20});
             return net;
         },
         {"VLAN 20 reaches all 6 switches that use it: a, b, c, d, e and 1 more."}},
        {"separate parts",
         [] {
             return std::move(ReachNetwork{"A", "B", "C", "D", "E"}
                                  .use("A", 1, 20)
                                  .use("B", 1, 20)
                                  .use("C", 1, 20)
                                  .use("D", 1, 20)
                                  .use("E", 1, 20)
                                  .trunk("A", 5, "B", 5, {10})
                                  .trunk("C", 5, "D", 5, {20}));
         },
         {"VLAN 20 is used on 5 switches in 4 groups that no chain of links joins.",
          "VLAN 20: B cannot reach A: no chain of links carries it",
          "VLAN 20: no link at all joins C, D to the other switches that use it, so this is not judged",
          "VLAN 20: no link at all joins E to the other switches that use it, so this is not judged"}},
    };
    for (const Case& c : cases) {
        const Map map = c.build().map();
        EXPECT_EQ(reach_lines(map, vlan_reach(map, 20)), c.expected) << c.name;
    }
}

// "Where Is This VLAN..." puts the verdict first; the command line puts it
// last.
TEST(VlanReach, WhereTextInBothOrders) {
    ReachNetwork net{"A", "B", "C"};
    net.use("A", 1, 20).trunk("A", 5, "B", 5, {20}).lag("B", {10, 20}, "C", {10, 20});
    net.port("C", 2).tagged = {30, 20};
    net.port("C", 3).untagged = 20;
    net.port("C", 3).tagged = {20};
    net.port("C", 3).disabled = true;
    const std::string ports = "A\n"
                              "  port 1: untagged\n"
                              "  port 5: tagged, link to B port 5\n"
                              "B\n"
                              "  port 5: tagged, link to A port 5\n"
                              "  port 7: tagged, LAG Trk1 to C Trk1\n"
                              "  port 8: tagged, LAG Trk1 to C Trk1\n"
                              "C\n"
                              "  port 2: tagged\n"
                              "  port 3: untagged and tagged, disabled\n"
                              "  port 7: tagged, LAG Trk1 to B Trk1\n"
                              "  port 8: tagged, LAG Trk1 to B Trk1\n";
    const std::string reach = "VLAN 20 reaches both switches that use it: A, C.\n";
    EXPECT_EQ(vlan_where_text(net.map(), 20, WhereOrder::PortsFirst), ports + "\n" + reach);
    EXPECT_EQ(vlan_where_text(net.map(), 20, WhereOrder::ReachFirst), reach + "\n" + ports);
    EXPECT_EQ(vlan_where_text(net.map(), 40, WhereOrder::ReachFirst), "VLAN 40 is on no port.\n");
    EXPECT_TRUE(vlan_carried(net.map(), 20));
    EXPECT_FALSE(vlan_carried(net.map(), 40));
}

} // namespace
} // namespace quarn
