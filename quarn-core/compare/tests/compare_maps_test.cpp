#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "compare/change_text.hpp"
#include "compare/compare_maps.hpp"
#include "model/generator/generated_map.hpp"
#include "ops/port_ops.hpp"
#include "ops/switch_ops.hpp"
#include "ops/testing/plain_switch.hpp"
#include "ops/vlan_ops.hpp"

namespace quarn {
namespace {

using testing::plain_switch;

// Three switches of eight ports: A and B joined by an uplink on port 8 and
// by LAG Trk1 on ports 5 and 6; C port 2 links, one-sided, to the LAG member
// A port 5.
Map three_switches() {
    Map map;
    map.site = "HQ";
    map.vlans = {{10, "Data", {0, 0, 255}}, {20, "Voice", {255, 0, 0}}, {30, "Guest", {0, 255, 0}}};
    map.switches = {plain_switch("A", 8), plain_switch("B", 8), plain_switch("C", 8)};
    Switch& a = map.switches[0];
    Switch& b = map.switches[1];
    a.ports[0].untagged = 10;
    a.ports[0].tagged = {20};
    a.ports[7].link = PortPeer{"B", "8"};
    b.ports[7].link = PortPeer{"A", "8"};
    a.lags = {Lag{"Trk1", {"5", "6"}, LagPeer{"B", "Trk1"}}};
    b.lags = {Lag{"Trk1", {"5", "6"}, LagPeer{"A", "Trk1"}}};
    map.switches[2].ports[1].link = PortPeer{"A", "5"};
    return map;
}

// Twenty generated switches; the first 500 ports carry VLAN 10 untagged.
// Tagged lists are sorted, as every VLAN edit leaves them (an edit of an
// unsorted list shows as "tagged 20,10 -> 10,20").
Map campus() {
    Map map = generate_map({.switches = 20, .vlans = 12, .seed = 3});
    int count = 0;
    for (Switch& sw : map.switches) {
        for (Port& port : sw.ports) {
            if (count++ < 500) port.untagged = map.vlans[0].id;
            std::sort(port.tagged.begin(), port.tagged.end());
        }
    }
    return map;
}

struct Case {
    const char* name;
    Map (*base)();
    std::function<void(Map&)> edit;
    std::string lines;
};

TEST(CompareMaps, ChangeLines) {
    const Case cases[] = {
        {"nothing changed", three_switches, [](Map&) {}, ""},
        {"the map's own fields", three_switches,
         [](Map& m) {
             m.format = 0;
             m.site = "Campus";
             m.notes = "line 1\nline \"2\"";
         },
         "map: format 1 \u2192 0, site \"HQ\" \u2192 \"Campus\", notes \"\" \u2192 \"line 1\\nline "
         "\\\"2\\\"\"\n"},
        {"VLANs added, removed, renamed and recoloured", three_switches,
         [](Map& m) {
             ASSERT_FALSE(add_vlan(m, {40, "Mgmt", {0x11, 0x22, 0x33}}));
             remove_vlan(m, 30);
             ASSERT_FALSE(edit_vlan(m, 20, {20, "Phone", {0xff, 0x88, 0}}));
         },
         "VLAN 30 removed: name \"Guest\", colour #00ff00\n"
         "VLAN 20: name \"Voice\" \u2192 \"Phone\", colour #ff0000 \u2192 #ff8800\n"
         "VLAN 40 added: name \"Mgmt\", colour #112233\n"},
        {"VLAN list reversed: the middle one stays", three_switches,
         [](Map& m) { std::swap(m.vlans[0], m.vlans[2]); },
         "VLAN 30: position 3 \u2192 1\nVLAN 10: position 1 \u2192 3\n"},
        {"a renamed VLAN on 500 ports is one change", campus,
         [](Map& m) {
             ASSERT_GE(ports_carrying_vlan(m, m.vlans[0].id), 500u);
             Vlan renamed = m.vlans[0];
             renamed.name = "Staff";
             ASSERT_FALSE(edit_vlan(m, renamed.id, renamed));
         },
         "VLAN 10: name \"Data 10\" \u2192 \"Staff\"\n"},
        {"a moved switch is one change", campus,
         [](Map& m) {
             for (std::size_t i = 2; i < 12; ++i) ASSERT_TRUE(move_switch_down(m, i));
         },
         "switch sw-3: position 3 \u2192 13\n"},
        {"port fields", three_switches,
         [](Map& m) {
             Port& one = m.switches[0].ports[0];
             one.untagged = 30;
             one.tagged = {40, 41, 42, 50};
             m.switches[0].ports[1].description = "Printer";
             m.switches[0].ports[1].disabled = true;
             m.switches[0].ports[2].link = PortPeer{"C", "1"};
             m.switches[0].ports[7].link.reset();
         },
         "A port 1: untagged 10 \u2192 30, tagged +40-42,50 \u221220\n"
         "A port 2: description \"\" \u2192 \"Printer\", disabled no \u2192 yes\n"
         "A port 3: link none \u2192 C port 1\n"
         "A port 8: link B port 8 \u2192 none\n"},
        {"tagged VLANs in another order or twice", three_switches,
         [](Map& m) {
             m.switches[0].ports[0].tagged = {20, 20};
             m.switches[0].ports[1].tagged = {7};
         },
         "A port 1: tagged 20 \u2192 20,20\nA port 2: tagged +7\n"},
        {"a label renamed with its LAG member and the far end's link", three_switches,
         [](Map& m) {
             ASSERT_FALSE(set_port_label(m, {0, 4}, "Gi5"));
             ASSERT_FALSE(set_port_label(m, {0, 7}, "up"));
             ASSERT_EQ(m.switches[0].lags[0].members, (std::vector<std::string>{"Gi5", "6"}));
             ASSERT_EQ(m.switches[2].ports[1].link, (PortPeer{"A", "Gi5"}));
             ASSERT_EQ(m.switches[1].ports[7].link, (PortPeer{"A", "up"}));
         },
         "A port Gi5: label 5 \u2192 Gi5\nA port up: label 8 \u2192 up\n"},
        {"a renamed switch: links and LAG peers follow", three_switches,
         [](Map& m) {
             m.switches[1].name = "core";
             m.switches[0].ports[7].link->switch_name = "core";
             m.switches[0].lags[0].peer->switch_name = "core";
         },
         "switch core: name B \u2192 core\n"},
        {"a reference that does not follow the rename is a change", three_switches,
         [](Map& m) {
             m.switches[1].name = "core";
             m.switches[0].ports[7].link->port = "7";
         },
         "A port 8: link B port 8 \u2192 B port 7\nswitch core: name B \u2192 core\n"},
        {"switches added, removed and edited", three_switches,
         [](Map& m) {
             m.switches.pop_back();
             Switch d = plain_switch("D", 4);
             d.location = "Lab";
             m.switches.insert(m.switches.begin(), d);
             m.switches[1].location = "Rack 1";
             m.switches[1].model = "X";
         },
         "switch C removed: layout Rj45 8x1 Rows\n"
         "switch D added: location \"Lab\", layout Rj45 4x1 Rows\n"
         "switch A: location \"\" \u2192 \"Rack 1\", model \"\" \u2192 \"X\"\n"},
        {"another switch in the same place is that switch renamed", three_switches,
         [](Map& m) { m.switches[2] = plain_switch("D", 8); },
         "switch D: name C \u2192 D\nD port 2: link A port 5 \u2192 none\n"},
        {"a new layout: ports added and removed", three_switches,
         [](Map& m) {
             Switch& a = m.switches[0];
             a.groups[0].columns = 10;
             a.groups.push_back(PortGroup{PortKind::Sfp, 2, 1, Numbering::OddTop, 0, 0.5f});
             for (const char* label : {"9", "10", "S1", "S2"}) a.ports.push_back(Port{.label = label});
             a.ports[9].untagged = 10;
             Switch& b = m.switches[1];
             b.groups[0] = {PortKind::Dual, 3, 2, Numbering::OddTop, 3, 0.0f};
             b.ports.resize(6);
         },
         "switch A: layout Rj45 8x1 Rows \u2192 Rj45 10x1 Rows + Sfp 2x1 OddTop gap 0.5\n"
         "A port 9 added\nA port 10 added: untagged 10\nA port S1 added\nA port S2 added\n"
         "switch B: layout Rj45 8x1 Rows \u2192 Dual 3x2 OddTop block 3\n"
         "B port 7 removed\nB port 8 removed: link A port 8\n"},
        {"LAGs added, removed and changed", three_switches,
         [](Map& m) {
             Lag& trk1 = m.switches[0].lags[0];
             trk1.members.push_back("7");
             trk1.peer.reset();
             m.switches[0].lags.push_back(Lag{"Trk2", {"3", "4"}, std::nullopt});
             m.switches[1].lags.clear();
         },
         "A LAG Trk1: members 5,6 \u2192 5,6,7, peer B LAG Trk1 \u2192 none\n"
         "A LAG Trk2 added: members 3,4\n"
         "B LAG Trk1 removed: members 5,6, peer A LAG Trk1\n"},
        {"a renamed LAG: the far end's peer follows", three_switches,
         [](Map& m) {
             m.switches[0].lags[0].name = "Po1";
             m.switches[1].lags[0].peer->lag = "Po1";
         },
         "A LAG Po1: name Trk1 \u2192 Po1\n"},
        {"a name with a line break stays on one line", three_switches,
         [](Map& m) {
             m.switches[2].name = "C\nnew";
             m.switches[2].ports[0].label = "a\tb";
         },
         "switch C\\nnew: name C \u2192 C\\nnew\nC\\nnew port a\\tb: label 1 \u2192 a\\tb\n"},
        {"two ports swapped: one moved", three_switches,
         [](Map& m) { std::swap(m.switches[0].ports[0], m.switches[0].ports[1]); },
         "A port 1: position 1 \u2192 2\n"},
    };
    for (const Case& c : cases) {
        Map before = c.base();
        Map after = before;
        c.edit(after);
        EXPECT_EQ(changes_text(compare_maps(before, after)), c.lines) << c.name;
    }
}

// Added and removed places carry their values on one side only, so that
// scripts can tell "none" from "not there".
TEST(CompareMaps, AddedAndRemovedValuesAreOnOneSide) {
    Map before = three_switches();
    Map after = before;
    after.vlans.pop_back();
    after.switches[0].ports.pop_back();
    after.switches[0].groups[0].columns = 7;
    const std::vector<Change> changes = compare_maps(before, after);
    const std::vector<Change> expected = {
        {Change::Kind::Removed,
         {PlaceKind::Vlan, 30, "", ""},
         {{ChangeField::Name, "Guest", std::nullopt, {}, {}},
          {ChangeField::Color, "#00ff00", std::nullopt, {}, {}}}},
        {Change::Kind::Changed,
         {PlaceKind::Switch, 0, "A", ""},
         {{ChangeField::Layout, "Rj45 8x1 Rows", "Rj45 7x1 Rows", {}, {}}}},
        {Change::Kind::Removed,
         {PlaceKind::Port, 0, "A", "8"},
         {{ChangeField::Link, "B port 8", std::nullopt, {}, {}}}},
    };
    EXPECT_EQ(changes, expected);
}

// A gap that is not a number makes a map differ from its own copy under ==,
// but nothing changed.
TEST(CompareMaps, NanGapIsNoChange) {
    Map map = three_switches();
    map.switches[0].groups[0].gap_after = std::nanf("");
    ASSERT_NE(map, map);
    EXPECT_EQ(compare_maps(map, map), std::vector<Change>{});
}

// Compared the other way round, what was added is removed.
TEST(CompareMaps, ComparingBackwardsSwapsAddedAndRemoved) {
    Map before = three_switches();
    Map after = before;
    after.switches.erase(after.switches.begin());
    after.vlans.push_back({99, "New", {1, 2, 3}});
    EXPECT_EQ(changes_text(compare_maps(after, before)), "VLAN 99 removed: name \"New\", colour #010203\n"
                                                         "switch A added: layout Rj45 8x1 Rows\n");
    EXPECT_EQ(changes_text(compare_maps(before, after)), "VLAN 99 added: name \"New\", colour #010203\n"
                                                         "switch A removed: layout Rj45 8x1 Rows\n");
}

} // namespace
} // namespace quarn
