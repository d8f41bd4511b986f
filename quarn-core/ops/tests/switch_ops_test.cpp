#include "ops/switch_ops.hpp"

#include <gtest/gtest.h>

#include "model/map_file.hpp"

namespace quarn {
namespace {

std::vector<std::string> labels(const std::vector<Port>& ports) {
    std::vector<std::string> list;
    for (const Port& port : ports) list.push_back(port.label);
    return list;
}

std::vector<std::string> numbered(const std::string& prefix, int count) {
    std::vector<std::string> list;
    for (int i = 1; i <= count; ++i) list.push_back(prefix + std::to_string(i));
    return list;
}

TEST(SwitchOps, BuildLayout) {
    using K = PortKind;
    using N = Numbering;
    struct Case {
        SwitchLayoutInput input;
        std::vector<PortGroup> groups;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {{"", 24, 2, 6, 0, 0, false}, {{K::Rj45, 12, 2, N::OddTop, 6, 1.0f}}, numbered("", 24)},
        {{"", 8, 0, 0, 0, 0, true}, {{K::Rj45, 8, 1, N::Rows, 0, 1.0f}}, numbered("", 8)},
        {{"", 2, 4, 0, 0, 0, false}, {{K::Rj45, 1, 2, N::OddTop, 0, 1.0f}}, numbered("", 2)},
        {{"", 0, 2, 6, 0, 2, false}, {{K::Sfp, 1, 2, N::OddTop, 0, 0.0f}}, numbered("", 2)},
        {{"", 25, 2, 0, 0, 3, false},
         {{K::Rj45, 13, 2, N::OddTop, 0, 1.0f}, {K::Sfp, 2, 2, N::OddTop, 0, 0.0f}},
         numbered("", 30)},
        {{"Gi1/0/", 48, 2, 6, 4, 4, false},
         {{K::Rj45, 24, 2, N::OddTop, 6, 1.0f},
          {K::Dual, 2, 2, N::OddTop, 0, 0.5f},
          {K::Sfp, 2, 2, N::OddTop, 0, 0.0f}},
         numbered("Gi1/0/", 56)},
        {{"", 0, 0, 0, 1, 0, false}, {{K::Dual, 1, 1, N::OddTop, 0, 0.5f}}, numbered("", 1)},
        {{"x", 0, 0, 0, 0, 0, false}, {}, {}},
    };
    for (const Case& c : cases) {
        SwitchLayout layout = build_switch_layout(c.input);
        EXPECT_EQ(layout.groups, c.groups) << c.input.ports;
        EXPECT_EQ(labels(layout.ports), c.labels) << c.input.ports;
        for (const Port& port : layout.ports) EXPECT_EQ(port, Port{.label = port.label});
    }
}

// sw-1 (24 ports) with LAG Trk1 over 17, 18 peered with sw-2 Trk1, and LAG
// Trk2 over 3, 20; uplinks sw-1 2 <-> sw-2 2 and sw-1 21 <-> sw-2 21.
Map site() {
    Map map;
    SwitchLayoutInput form{"", 24, 2, 6, 0, 0, false};
    add_switch(map, std::nullopt, "sw-1", "rack 1", "m", form);
    add_switch(map, std::nullopt, "sw-2", "rack 2", "m", form);
    Switch& a = map.switches[0];
    Switch& b = map.switches[1];
    a.lags = {Lag{"Trk1", {"17", "18"}, LagPeer{"sw-2", "Trk1"}}, Lag{"Trk2", {"3", "20"}, std::nullopt}};
    b.lags = {Lag{"Trk1", {"17", "18"}, LagPeer{"sw-1", "Trk1"}}};
    a.ports[1].link = PortPeer{"sw-2", "2"};
    b.ports[1].link = PortPeer{"sw-1", "2"};
    a.ports[20].link = PortPeer{"sw-2", "21"};
    b.ports[20].link = PortPeer{"sw-1", "21"};
    a.ports[1].untagged = 10;
    a.ports[1].description = "up";
    a.ports[10].tagged = {20};
    a.ports[12].disabled = true;
    a.ports[12].description = "no VLANs";
    return map;
}

TEST(SwitchOps, RenameKeepsEveryReferenceAndCarriesPortData) {
    Map map = site();
    SwitchEdit edit =
        prepare_switch_edit(map.switches[0], "core", "rack 9", "m2", {"", 24, 2, 6, 0, 0, true});
    EXPECT_EQ(edit.ports_losing_vlans, 0u);
    ASSERT_TRUE(apply_switch_edit(map, 0, edit.edited));
    Switch expected = site().switches[0];
    expected.name = "core";
    expected.location = "rack 9";
    expected.model = "m2";
    expected.groups[0].numbering = Numbering::Rows;
    EXPECT_EQ(map.switches[0], expected);
    EXPECT_EQ(map.switches[1].ports[1].link, (PortPeer{"core", "2"}));
    EXPECT_EQ(map.switches[1].lags[0].peer, (LagPeer{"core", "Trk1"}));
}

TEST(SwitchOps, ShrinkingUnlinksGoneEndsAndDropsEmptyLags) {
    Map map = site();
    SwitchEdit edit = prepare_switch_edit(map.switches[0], "sw-1", "rack 1", "m", {"", 8, 2, 6, 0, 0, false});
    EXPECT_EQ(edit.ports_losing_vlans, 1u); // port 11 with tagged 20; 13 has none
    ASSERT_TRUE(apply_switch_edit(map, 0, edit.edited));
    const Switch& a = map.switches[0];
    EXPECT_EQ(labels(a.ports), numbered("", 8));
    EXPECT_EQ(a.lags, (std::vector<Lag>{Lag{"Trk2", {"3"}, std::nullopt}}));
    EXPECT_EQ(map.switches[1].lags[0].peer, std::nullopt);
    EXPECT_EQ(map.switches[1].ports[20].link, std::nullopt);
    EXPECT_EQ(map.switches[1].ports[1].link, (PortPeer{"sw-1", "2"}));
}

TEST(SwitchOps, LosingCountIncludesDuplicateLabelsWhoseDataIsNotCarried) {
    Switch old = site().switches[0];
    old.ports[5].label = "2"; // a second port 2; the first one's data wins
    old.ports[5].untagged = 30;
    SwitchEdit edit = prepare_switch_edit(old, "sw-1", "", "", {"", 24, 2, 6, 0, 0, false});
    EXPECT_EQ(edit.ports_losing_vlans, 1u);
    EXPECT_EQ(edit.edited.ports[1].untagged, 10);
    EXPECT_EQ(edit.edited.ports[5].untagged, std::nullopt);
}

TEST(SwitchOps, ApplyKeepsTheLagRulesOfAnyRecord) {
    Map map = site();
    Switch record = map.switches[0];
    record.lags.push_back(Lag{"Trk1", {"5"}, std::nullopt});                  // name again
    record.lags.push_back(Lag{"Trk3", {"17", "9", "2", "99"}, std::nullopt}); // 17 twice, 2 linked, 99 gone
    ASSERT_TRUE(apply_switch_edit(map, 0, record));
    EXPECT_EQ(map.switches[0].lags.size(), 3u);
    EXPECT_EQ(map.switches[0].lags[2], (Lag{"Trk3", {"9"}, std::nullopt}));
    EXPECT_EQ(find_damage(map), std::nullopt);

    Map before = map;
    record.ports.pop_back();
    EXPECT_FALSE(apply_switch_edit(map, 0, record));
    EXPECT_FALSE(apply_switch_edit(map, 7, map.switches[0]));
    EXPECT_EQ(map, before);
}

TEST(SwitchOps, AddDuplicateMoveRemove) {
    Map map = site();
    EXPECT_EQ(add_switch(map, 0, "mid", "", "", {"", 4, 1, 0, 0, 0, false}), 1u);
    EXPECT_EQ(add_switch(map, 99, "end", "", "", {"", 4, 1, 0, 0, 0, false}), 3u);

    auto copy = duplicate_switch(map, 0);
    ASSERT_EQ(copy, 1u);
    const Switch& dup = map.switches[1];
    EXPECT_EQ(dup.name, "sw-1 (Copy)");
    EXPECT_EQ(dup.ports[1], (Port{"2", 10, {}, "up", false, std::nullopt}));
    EXPECT_EQ(dup.lags[0], (Lag{"Trk1", {"17", "18"}, std::nullopt}));
    EXPECT_EQ(map.switches[2].name, "mid");
    EXPECT_FALSE(duplicate_switch(map, 9));

    EXPECT_EQ(move_switch_up(map, 0), std::nullopt);
    EXPECT_EQ(move_switch_down(map, 4), std::nullopt);
    EXPECT_EQ(move_switch_down(map, 0), 1u);
    EXPECT_EQ(map.switches[1].name, "sw-1");
    EXPECT_EQ(move_switch_up(map, 1), 0u);
    EXPECT_EQ(map.switches[0].name, "sw-1");

    // sw-2 goes: sw-1 loses its uplinks and LAG peer towards it.
    remove_switch(map, 3);
    EXPECT_EQ(map.switches.size(), 4u);
    EXPECT_EQ(map.switches[0].ports[1].link, std::nullopt);
    EXPECT_EQ(map.switches[0].ports[20].link, std::nullopt);
    EXPECT_EQ(map.switches[0].lags[0].peer, std::nullopt);
    remove_switch(map, 17);
    EXPECT_EQ(map.switches.size(), 4u);
}

TEST(SwitchOps, RemovingALaterSwitchOfTheSameNameKeepsTheReferences) {
    Map map = site();
    Switch twin = map.switches[1];
    twin.lags.clear();
    for (Port& port : twin.ports) port.link.reset();
    map.switches.push_back(twin);
    remove_switch(map, 2);
    EXPECT_EQ(map, site());
}

} // namespace
} // namespace quarn
