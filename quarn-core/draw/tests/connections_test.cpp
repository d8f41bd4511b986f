#include "draw/connections.hpp"

#include <gtest/gtest.h>

#include <tuple>

#include "draw/tests/fixtures.hpp"
#include "ops/port_vlan_ops.hpp"

namespace quarn {
namespace {

// The panel's bars, the CSV's LAG column (both from port_lags) and the
// toggles (which drag LAG siblings) must see the same members.
TEST(Connections, MembershipIsWhatTheTogglesDragAlong) {
    Map map;
    Switch sw = row_switch("edge", 5);
    sw.ports[4].label = "2"; // a second port labelled 2
    sw.lags = {Lag{"Trk1", {"3", "2"}, std::nullopt}, Lag{"Trk2", {"9", "4"}, std::nullopt}};
    const std::vector<std::optional<std::size_t>> expected = {std::nullopt, 0, 0, 1, 0};
    EXPECT_EQ(port_lags(sw), expected);
    map.switches = {sw};
    // A port that two LAGs name (a map that breaks the rules) counts for the
    // first of them.
    Switch twice = sw;
    twice.lags[1].members.push_back("3");
    EXPECT_EQ(port_lags(twice), expected);
    for (std::size_t p = 0; p < sw.ports.size(); ++p) {
        SCOPED_TRACE(p);
        std::vector<std::size_t> dragged;
        for (const PortRef& ref : expand_to_lag_siblings(map, {{0, p}})) dragged.push_back(ref.port_index);
        std::vector<std::size_t> same_lag;
        for (std::size_t q = 0; q < sw.ports.size(); ++q)
            if (q == p || (expected[p] && expected[q] == expected[p])) same_lag.push_back(q);
        EXPECT_EQ(dragged, same_lag);
    }

    // Big switches: many members, the answer found by label.
    Switch big = row_switch("edge", 3000);
    big.ports[2999].label = "7";
    Lag lag{"Trk1", {}, std::nullopt};
    for (int i = 1; i <= 40; ++i) lag.members.push_back(std::to_string(i * 7));
    big.lags = {lag};
    const auto lags = port_lags(big);
    EXPECT_EQ(lags[6], 0u);
    EXPECT_EQ(lags[2999], 0u);
    EXPECT_EQ(lags[279], 0u);
    EXPECT_EQ(lags[280], std::nullopt);
}

TEST(Connections, LagsByListPositionThenUplinksInPortOrder) {
    Switch sw = row_switch("edge", 6);
    sw.lags = {Lag{"Empty", {"nothing"}, std::nullopt}, Lag{"Trk1", {"4", "2"}, LagPeer{"core", "Trk9"}},
               Lag{"Trk2", {"5"}, std::nullopt}};
    sw.ports[5].link = PortPeer{"core", "24"};
    sw.ports[0].link = PortPeer{"dist", "Gi1/0/1"};
    using Row = std::tuple<std::size_t, std::string, std::vector<std::size_t>>;
    std::vector<Row> rows;
    for (const Connection& c : switch_connections(sw, port_lags(sw)))
        rows.emplace_back(c.number, c.name, c.ports);
    EXPECT_EQ(rows, (std::vector<Row>{{1, "Trk1 \u2192 core Trk9", {1, 3}},
                                      {2, "Trk2", {4}},
                                      {3, "\u2192 dist Gi1/0/1", {0}},
                                      {4, "\u2192 core 24", {5}}}));
}

TEST(Connections, LanesAreReusedOnlyTwelveUnitsAfterTheirEnd) {
    struct Case {
        const char* name;
        std::vector<LaneRequest> requests;
        std::vector<std::size_t> lanes;
        std::size_t count;
    };
    const std::vector<Case> cases = {
        {"none", {}, {}, 0},
        {"one", {{10, 50, 10, 20}}, {0}, 1},
        {"exactly twelve apart share", {{10, 50, 10, 20}, {62, 80, 62, 5}}, {0, 0}, 1},
        {"eleven apart do not", {{10, 50, 10, 20}, {61, 80, 61, 5}}, {0, 1}, 2},
        {"a long label occupies the lane", {{10, 20, 10, 100}, {60, 80, 60, 5}}, {0, 1}, 2},
        {"sorted by start, listed in any order",
         {{200, 300, 200, 5}, {10, 100, 10, 5}, {50, 150, 50, 5}},
         {0, 0, 1},
         2},
        {"the label x counts for the start", {{100, 120, 0, 5}, {20, 40, 20, 5}}, {0, 1}, 2},
        {"the lowest free lane",
         {{0, 100, 0, 5}, {10, 30, 10, 5}, {42, 60, 42, 5}, {112, 130, 112, 5}},
         {0, 1, 1, 0},
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const LanePlan plan = assign_lanes(c.requests);
        EXPECT_EQ(plan.lanes, c.lanes);
        EXPECT_EQ(plan.lane_count, c.count);
    }
}

} // namespace
} // namespace quarn
