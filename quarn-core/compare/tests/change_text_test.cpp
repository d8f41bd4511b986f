#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compare/change_json.hpp"
#include "compare/change_text.hpp"
#include "compare/compare_maps.hpp"
#include "compare/port_lines.hpp"
#include "compare/value_text.hpp"
#include "ops/testing/plain_switch.hpp"

namespace quarn {
namespace {

TEST(ChangeText, VlanLists) {
    struct Row {
        std::vector<std::uint16_t> ids;
        const char* list;
        const char* set;
    };
    const Row rows[] = {
        {{}, "none", "none"},
        {{10}, "10", "10"},
        {{10, 11}, "10,11", "10,11"},
        {{10, 11, 12, 20}, "10-12,20", "10-12,20"},
        {{20, 12, 11, 10}, "20,12,11,10", "10-12,20"},
        {{1, 2, 3, 3, 4}, "1-3,3,4", "1-4"},
        {{4093, 4094, 1, 2, 3}, "4093,4094,1-3", "1-3,4093,4094"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(vlan_list_text(row.ids), row.list) << row.list;
        EXPECT_EQ(vlan_set_text(row.ids), row.set) << row.list;
    }
}

TEST(ChangeText, Layouts) {
    EXPECT_EQ(layout_text({}), "none");
    EXPECT_EQ(layout_text({{PortKind::Rj45, 24, 2, Numbering::OddTop, 6, 1.0f},
                           {PortKind::Sfp, 2, 2, Numbering::Rows, 0, 0.0f},
                           {PortKind::Dual, 4, 1, Numbering::OddTop, 0, 0.25f}}),
              "Rj45 24x2 OddTop block 6 gap 1 + Sfp 2x2 Rows + Dual 4x1 OddTop gap 0.25");
}

TEST(ChangeText, PortLines) {
    Map map;
    map.switches = {testing::plain_switch("acc-a1", 3), testing::plain_switch("x y", 1)};
    Port& first = map.switches[0].ports[0];
    first.untagged = 20;
    first.tagged = {40, 41, 42, 50};
    first.description = "Printer \"2\"\tbay";
    first.disabled = true;
    first.link = PortPeer{"core-1", "Gi1/0/48"};
    map.switches[0].ports[1].tagged = {30, 10};
    map.switches[0].ports[2].description = "bad \xff byte";
    EXPECT_EQ(
        ports_text(map),
        "acc-a1 port 1: untagged 20, tagged 40-42,50, description \"Printer \\\"2\\\"\\tbay\", disabled, "
        "link core-1 port Gi1/0/48\n"
        "acc-a1 port 2: untagged none, tagged 30,10\n"
        "acc-a1 port 3: untagged none, tagged none, description \"bad \xEF\xBF\xBD byte\"\n"
        "x y port 1: untagged none, tagged none\n");
    EXPECT_EQ(ports_text(Map{}), "");
}

TEST(ChangeText, Json) {
    Map before;
    before.vlans = {{10, "Data", {0, 0, 255}}};
    before.switches = {testing::plain_switch("A", 2)};
    before.switches[0].ports[0].tagged = {10, 20};
    Map after = before;
    after.notes = "n\xff";
    after.vlans.clear();
    after.switches[0].ports[0].tagged = {10, 30};
    after.switches[0].lags = {Lag{"Trk1", {"2"}, std::nullopt}};
    EXPECT_EQ(changes_json(compare_maps(before, after)), R"([
  {
    "change": "changed",
    "place": {
      "kind": "map"
    },
    "fields": [
      {
        "field": "notes",
        "old": "",
        "new": "n�"
      }
    ],
    "text": "map: notes \"\" → \"n�\""
  },
  {
    "change": "removed",
    "place": {
      "kind": "vlan",
      "vlan": 10
    },
    "fields": [
      {
        "field": "name",
        "old": "Data",
        "new": null
      },
      {
        "field": "colour",
        "old": "#0000ff",
        "new": null
      }
    ],
    "text": "VLAN 10 removed: name \"Data\", colour #0000ff"
  },
  {
    "change": "changed",
    "place": {
      "kind": "port",
      "switch": "A",
      "port": "1"
    },
    "fields": [
      {
        "field": "tagged",
        "old": "10,20",
        "new": "10,30",
        "added": [
          30
        ],
        "removed": [
          20
        ]
      }
    ],
    "text": "A port 1: tagged +30 −20"
  },
  {
    "change": "added",
    "place": {
      "kind": "lag",
      "switch": "A",
      "lag": "Trk1"
    },
    "fields": [
      {
        "field": "members",
        "old": null,
        "new": "2"
      }
    ],
    "text": "A LAG Trk1 added: members 2"
  }
])");
    EXPECT_EQ(changes_json({}), "[]");
}

} // namespace
} // namespace quarn
