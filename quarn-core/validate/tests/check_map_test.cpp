#include "validate/check_map.hpp"

#include <gtest/gtest.h>

#include "model/generator/generated_map.hpp"
#include "ops/testing/plain_switch.hpp"
#include "ops/testing/random_edits.hpp"

namespace quarn {
namespace {

using Lines = std::vector<std::string>;
using testing::plain_switch;

Map base() {
    Map map;
    map.vlans = {Vlan{10, "a", {}}, Vlan{20, "b", {}}, Vlan{30, "c", {}}};
    map.switches = {plain_switch("A", 6), plain_switch("B", 6)};
    // Every listed VLAN on both switches, so nothing is on one switch only.
    for (Switch& sw : map.switches) sw.ports[5].tagged = {10, 20, 30};
    return map;
}

Lines messages(const Map& map) {
    Lines lines;
    for (const Problem& problem : check_map(map)) lines.push_back(problem_message(problem));
    return lines;
}

void link(Map& map, std::size_t s, std::size_t p, std::string sw, std::string port) {
    map.switches[s].ports[p].link = PortPeer{std::move(sw), std::move(port)};
}

TEST(CheckMap, ACleanMapHasNoProblems) {
    Map map = base();
    link(map, 0, 0, "B", "1");
    link(map, 1, 0, "A", "1");
    // The link carries every VLAN, so each reaches both switches.
    for (Switch& sw : map.switches) sw.ports[0].tagged = {10, 20, 30};
    EXPECT_EQ(check_map(map), std::vector<Problem>{});
    EXPECT_EQ(check_report(check_map(map)), "No problems found.");
    EXPECT_EQ(check_report(check_map(generate_map({20, 30, 3}))), "No problems found.");
}

TEST(CheckMap, PortVlans) {
    Map map = base();
    Port& port = map.switches[0].ports[0];
    port.untagged = 99;
    port.tagged = {99, 7, 20, 7, 10};
    map.switches[0].ports[1].untagged = 20;
    map.switches[0].ports[1].tagged = {20};
    EXPECT_EQ(messages(map), (Lines{
                                 "A port 1: VLAN 99 is not in the VLAN list",
                                 "A port 1: VLAN 7 is not in the VLAN list",
                                 "A port 1: VLAN 99 is both tagged and untagged",
                                 "A port 2: VLAN 20 is both tagged and untagged",
                             }));
}

TEST(CheckMap, VlanOnOneSwitch) {
    Map map = base();
    map.vlans.push_back(Vlan{40, "d", {}});
    map.vlans.push_back(Vlan{50, "unused", {}});
    map.switches[1].ports[2].untagged = 40;
    map.switches[1].ports[3].tagged = {77};
    EXPECT_EQ(messages(map), (Lines{"B port 4: VLAN 77 is not in the VLAN list", "VLAN 40 is only on B"}));

    map.switches.pop_back();
    map.switches[0].ports[2].untagged = 40;
    EXPECT_EQ(messages(map), Lines{});
}

TEST(CheckMap, Uplinks) {
    Map map = base();
    map.switches.push_back(plain_switch("C", 6));
    map.switches[2].ports[5].tagged = {10, 20, 30};
    link(map, 0, 0, "B", "1"); // answered, with different VLANs
    link(map, 1, 0, "A", "1");
    map.switches[0].ports[0].tagged = {30, 20, 20};
    map.switches[1].ports[0].untagged = 20;
    map.switches[1].ports[0].tagged = {30, 10, 10};
    link(map, 0, 1, "Z", "1");  // no such switch
    link(map, 0, 2, "B", "99"); // no such port
    link(map, 0, 3, "C", "4");  // C 4 links elsewhere
    link(map, 2, 3, "B", "2");  // B 2 has no link
    EXPECT_EQ(messages(map), (Lines{
                                 "A port 1 / B port 1: untagged VLAN differs (none against 20)",
                                 "A port 1 / B port 1: VLAN 10 is tagged on one side only",
                                 "A port 1 / B port 1: VLAN 20 is tagged on one side only",
                                 "A port 2 links to Z port 1, which does not exist",
                                 "A port 3 links to B port 99, which does not exist",
                                 "A port 4 links to C port 4, which links elsewhere",
                                 "C port 4 links to B port 2, which links elsewhere",
                                 // A port 1 lacks VLAN 10; the other links are broken.
                                 "VLAN 10: B cannot reach A: no chain of links carries it",
                             }));
}

TEST(CheckMap, AnsweredMeansTheFarEndLeadsBackToThisVeryPort) {
    // B's ports 1 and 2 are both labelled 1: B's second "1" links to A 1,
    // but A 1's link names B 1, which is B's first port (without link).
    // Neither end is answered.
    Map map = base();
    map.switches[1].ports[1].label = "1";
    link(map, 0, 0, "B", "1");
    link(map, 1, 1, "A", "1");
    EXPECT_EQ(messages(map), (Lines{"A port 1 links to B port 1, which links elsewhere",
                                    "B port 1 links to A port 1, which links elsewhere"}));
}

TEST(CheckMap, Lags) {
    Map map = base();
    map.switches.push_back(plain_switch("C", 6));
    map.switches[2].ports[5].tagged = {10, 20, 30};
    Switch& a = map.switches[0];
    Switch& b = map.switches[1];
    Switch& c = map.switches[2];
    // A Trk1 (1,2) <-> B Trk1 (2,1): members paired in port order.
    a.lags = {Lag{"Trk1", {"2", "1"}, LagPeer{"B", "Trk1"}}, Lag{"Trk2", {"3", "4"}, LagPeer{"C", "Po1"}},
              Lag{"Trk3", {"5"}, LagPeer{"C", "Nope"}}};
    b.lags = {Lag{"Trk1", {"1", "2"}, LagPeer{"A", "Trk1"}}};
    c.lags = {Lag{"Po1", {"1"}, LagPeer{"A", "Trk2"}}, Lag{"Po2", {"2"}, LagPeer{"A", "Trk1"}}};
    a.ports[0].tagged = {10, 20};
    a.ports[1].tagged = {20, 10}; // same set, other order: members differ
    b.ports[0].untagged = 30;
    b.ports[1].untagged = 30;
    b.ports[0].tagged = {10, 20};
    b.ports[1].tagged = {10, 20};
    EXPECT_EQ(messages(map), (Lines{
                                 "A Trk1: member ports have different VLANs",
                                 "A Trk1 / B Trk1: untagged VLAN differs (none against 30)",
                                 "A Trk2 / C Po1: 2 ports against 1",
                                 "A Trk3 links to C Nope, which does not exist",
                                 "C Po2 links to A Trk1, which links elsewhere",
                                 // A and B share 10 and 20 over Trk1; A Trk2 carries nothing.
                                 "VLAN 10: C cannot reach A, B: no chain of links carries it",
                                 "VLAN 20: C cannot reach A, B: no chain of links carries it",
                                 "VLAN 30: B cannot reach A: no chain of links carries it",
                                 "VLAN 30: C cannot reach A: no chain of links carries it",
                             }));
}

TEST(CheckMap, ReportShowsFifteenLinesThenTheRest) {
    auto problems_of = [](std::size_t count) {
        std::vector<Problem> problems;
        for (std::size_t i = 0; i < count; ++i)
            problems.push_back(Problem{Problem::Kind::VlanOnOneSwitch, "sw" + std::to_string(i), {}, 10});
        return problems;
    };
    std::string fifteen;
    for (std::size_t i = 0; i < 15; ++i)
        fifteen += (i ? "\n" : "") + std::string("VLAN 10 is only on sw") + std::to_string(i);
    EXPECT_EQ(check_report(problems_of(15)), fifteen);
    EXPECT_EQ(check_report(problems_of(16)), fifteen + "\n... and 1 more");
    EXPECT_EQ(check_report(problems_of(40)), fifteen + "\n... and 25 more");
    EXPECT_EQ(check_report(problems_of(1)), "VLAN 10 is only on sw0");
}

TEST(CheckMap, EveryKindHasItsMessage) {
    Problem size{Problem::Kind::LagSizeMismatch, "A Trk1", "B Trk2"};
    size.first_count = 4;
    size.second_count = 2;
    EXPECT_EQ(problem_message(size), "A Trk1 / B Trk2: 4 ports against 2");
    Problem untagged{Problem::Kind::UntaggedDiffers, "A port 1", "B port 2"};
    untagged.first_untagged = 5;
    EXPECT_EQ(problem_message(untagged), "A port 1 / B port 2: untagged VLAN differs (5 against none)");
}

// Whatever editing leaves behind, the check reads it without fault (the
// sanitizers watch) and reports every problem with a message of its own.
TEST(CheckMap, CopesWithWhateverEditingLeaves) {
    Map map = generate_map({6, 12, 5});
    testing::RandomEdits edits(99);
    for (int step = 0; step < 400; ++step) {
        edits.apply(map);
        auto problems = check_map(map);
        std::string report = check_report(problems);
        auto lines = std::count(report.begin(), report.end(), '\n') + 1;
        EXPECT_EQ(lines, problems.empty() ? 1 : std::min<std::size_t>(problems.size(), 16)) << report;
        for (const Problem& problem : problems) EXPECT_FALSE(problem_message(problem).empty());
    }
}

} // namespace
} // namespace quarn
