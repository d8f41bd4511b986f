#include "import/import_apply.hpp"

#include <gtest/gtest.h>

#include "model/map_file.hpp"
#include "ops/lag_ops.hpp"
#include "ops/switch_ops.hpp"
#include "ops/vlan_ops.hpp"

namespace quarn {
namespace {

constexpr const char* k_access_switch = "hostname acc-1\n"
                                        "vlan 10\n name Data\nvlan 20\n name Voice\n"
                                        "interface Port-channel1\n switchport mode trunk\n"
                                        " switchport trunk allowed vlan 10,20\n"
                                        "interface GigabitEthernet1/0/1\n switchport access vlan 10\n"
                                        " description Desk\n"
                                        "interface GigabitEthernet1/0/2\n shutdown\n"
                                        "interface GigabitEthernet1/0/3\n switchport access vlan 20\n"
                                        "interface TenGigabitEthernet1/1/1\n channel-group 1 mode active\n"
                                        "interface TenGigabitEthernet1/1/2\n channel-group 1 mode active\n";

Port port(std::string label, std::optional<std::uint16_t> untagged, std::vector<std::uint16_t> tagged = {},
          std::string description = "", bool disabled = false) {
    return Port{std::move(label),       untagged, std::move(tagged),
                std::move(description), disabled, std::nullopt};
}

TEST(ImportApply, NewSwitchAsTheSwitchDialogBuildsIt) {
    Map map;
    map.vlans = {Vlan{10, "Existing", k_default_vlan_colors[0]}};
    ImportApplied applied = import_new_switch(map, import_config(k_access_switch), "ignored");

    Switch expected;
    expected.name = "acc-1";
    expected.groups = {PortGroup{PortKind::Rj45, 2, 2, Numbering::OddTop, 6, 1.0f},
                       PortGroup{PortKind::Sfp, 1, 2, Numbering::OddTop, 0, 0.0f}};
    expected.ports = {port("Gi1/0/1", 10, {}, "Desk"),
                      port("Gi1/0/2", 1, {}, "", true),
                      port("Gi1/0/3", 20),
                      port("", std::nullopt),
                      port("Te1/1/1", std::nullopt, {10, 20}),
                      port("Te1/1/2", std::nullopt, {10, 20})};
    expected.lags = {Lag{"Po1", {"Te1/1/1", "Te1/1/2"}, std::nullopt}};
    ASSERT_EQ(map.switches.size(), 1u);
    EXPECT_EQ(map.switches[0], expected);
    // New VLANs take the next free default colours; the map's own VLAN 10 keeps its name.
    EXPECT_EQ(map.vlans, (std::vector<Vlan>{{1, "default", k_default_vlan_colors[1]},
                                            {10, "Existing", k_default_vlan_colors[0]},
                                            {20, "Voice", k_default_vlan_colors[2]}}));
    EXPECT_EQ(applied, (ImportApplied{0, 5, 2, {}, {}}));
    EXPECT_TRUE(load_map(save_map(map)).ok());
}

TEST(ImportApply, NamesOfNewSwitches) {
    Map map;
    map.switches = {make_switch("acc-1", "", "", {"", 2, 1, 0, 0, 0, false}),
                    make_switch("acc-1 (2)", "", "", {"", 2, 1, 0, 0, 0, false})};
    ImportResult named = import_config(k_access_switch);
    ImportResult unnamed = named;
    unnamed.host_name.clear();
    EXPECT_EQ(imported_switch_name(map, named, "file"), "acc-1 (3)");
    EXPECT_EQ(imported_switch_name(map, unnamed, "floor3"), "floor3");
    EXPECT_EQ(imported_switch_name(map, unnamed, ""), "Switch");
}

TEST(ImportApply, UpdateMatchesLongAndShortFormsAndKeepsLinks) {
    Map map;
    map.switches = {make_switch("acc-1", "Room 1", "C9300", {"Gi1/0/", 4, 2, 0, 0, 0, false}),
                    make_switch("core", "", "", {"", 2, 1, 0, 0, 0, false})};
    ASSERT_EQ(link_ports(map, {0, 3}, {1, 0}), LinkResult{});
    ASSERT_FALSE(create_lag(map, 0, "Po2", {2}));
    map.switches[0].ports[1].description = "old";
    const char* config = "interface GigabitEthernet1/0/1\n switchport access vlan 10\n"
                         "interface Gi1/0/2\n description new\n channel-group 1 mode active\n"
                         "interface GigabitEthernet1/0/3\n channel-group 1 mode active\n"
                         "interface GigabitEthernet1/0/4\n switchport mode trunk\n"
                         " switchport trunk allowed vlan 10,20\n channel-group 3 mode active\n"
                         "interface GigabitEthernet1/0/9\n shutdown\n"
                         "interface Port-channel5\n"
                         "interface TenGigabitEthernet1/1/1\n channel-group 5 mode active\n";
    Map before = map;
    auto applied = import_into_switch(map, 0, import_config(config));
    ASSERT_TRUE(applied);
    EXPECT_EQ(*applied, (ImportApplied{0,
                                       4,
                                       1,
                                       {"Gi1/0/9", "Te1/1/1"},
                                       {"LAG Po1 not made: Port Gi1/0/3 is already in LAG Po2.",
                                        "LAG Po3 not made: Port Gi1/0/4 has an uplink. Remove it first.",
                                        "LAG Po5 not made: A LAG needs at least one port."}}));
    Switch expected = before.switches[0];
    expected.ports[0].untagged = 10;
    expected.ports[1] = port("Gi1/0/2", 1, {}, "new");
    expected.ports[2].untagged = 1;
    expected.ports[3].untagged = std::nullopt;
    expected.ports[3].tagged = {10, 20};
    EXPECT_EQ(map.switches[0], expected);
    EXPECT_EQ(map.switches[1], before.switches[1]);
    EXPECT_EQ(import_into_switch(map, 2, import_config(config)), std::nullopt);
}

TEST(ImportApply, UpdateMakesFreeLagsAndLeavesExistingOnes) {
    Map map;
    map.switches = {make_switch("edge", "", "", {"", 6, 2, 0, 0, 0, false})};
    ASSERT_FALSE(create_lag(map, 0, "Trk1", {0, 1}));
    const char* config = "trunk 1-2 trk1 lacp\ntrunk 3-4 trk2 lacp\ntrunk 5-6 trk1 lacp\n"
                         "vlan 1\n   untagged Trk1,Trk2\n   exit\n";
    auto applied = import_into_switch(map, 0, import_config(config, Dialect::ArubaOs));
    ASSERT_TRUE(applied);
    // Trk1 as written names 1, 2, 5 and 6: the LAG of that name stays as it is.
    EXPECT_EQ(applied->lags_refused,
              std::vector<std::string>{"LAG Trk1 not made: This switch already has a LAG named Trk1."});
    EXPECT_EQ(map.switches[0].lags,
              (std::vector<Lag>{{"Trk1", {"1", "2"}, std::nullopt}, {"Trk2", {"3", "4"}, std::nullopt}}));
    EXPECT_EQ(applied->ports, 6u);
}

// The families whose users write their ports otherwise: an update finds
// "ethernet 1/1/1" under 1/1/1 and GE0/0/1 under GigabitEthernet0/0/1, and
// the LAGs come in under the names the switch gives them.
TEST(ImportApply, UpdatesFindPortsByTheirFamiliesNames) {
    struct Case {
        const char* name;
        std::vector<std::string> labels;
        const char* config;
        std::vector<Port> ports;
        std::vector<Lag> lags;
    };
    const Case cases[] = {
        {"FastIron",
         {"ethernet 1/1/1", "1/1/2", "ethe 1/1/3", "1/1/4"},
         "ver 08.0.95\nlag up dynamic id 1\n ports ethe 1/1/3 to 1/1/4\n!\nvlan 10 by port\n"
         " untagged ethe 1/1/1 to 1/1/2\n tagged lag 1\n!\n",
         {port("ethernet 1/1/1", 10), port("1/1/2", 10), port("ethe 1/1/3", std::nullopt, {10}),
          port("1/1/4", std::nullopt, {10})},
         {Lag{"up", {"ethe 1/1/3", "1/1/4"}, std::nullopt}}},
        {"VRP",
         {"GE0/0/1", "GigabitEthernet0/0/2", "XGE0/0/1", "XGigabitEthernet0/0/2"},
         "#\nsysname s\n#\ninterface Eth-Trunk1\n port link-type trunk\n port trunk allow-pass vlan 20\n#\n"
         "interface GigabitEthernet0/0/1\n port link-type access\n port default vlan 20\n#\n"
         "interface GigabitEthernet0/0/2\n shutdown\n#\ninterface XGigabitEthernet0/0/1\n eth-trunk 1\n#\n"
         "interface XGigabitEthernet0/0/2\n eth-trunk 1\n#\nreturn\n",
         {port("GE0/0/1", 20), port("GigabitEthernet0/0/2", 1, {}, "", true), port("XGE0/0/1", 1, {20}),
          port("XGigabitEthernet0/0/2", 1, {20})},
         {Lag{"Eth-Trunk1", {"XGE0/0/1", "XGigabitEthernet0/0/2"}, std::nullopt}}},
    };
    for (const Case& c : cases) {
        Map map;
        map.switches = {make_switch("sw", "", "", {"", 4, 2, 0, 0, 0, false})};
        for (std::size_t i = 0; i < c.labels.size(); ++i) map.switches[0].ports[i].label = c.labels[i];
        auto applied = import_into_switch(map, 0, import_config(c.config));
        ASSERT_TRUE(applied) << c.name;
        EXPECT_EQ(applied->missing_ports, std::vector<std::string>{}) << c.name;
        EXPECT_EQ(map.switches[0].ports, c.ports) << c.name;
        EXPECT_EQ(map.switches[0].lags, c.lags) << c.name;
    }
}

} // namespace
} // namespace quarn
