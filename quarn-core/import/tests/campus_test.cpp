#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "import/campus_detail.hpp"
#include "import/campus_import.hpp"
#include "model/map_file.hpp"
#include "ops/lag_ops.hpp"
#include "validate/check_map.hpp"

namespace quarn {
namespace {

std::string data_file(const std::string& name) {
    std::ifstream in(std::string(QUARN_IMPORT_TEST_DATA) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Each switch in map order with its uplinks and LAG peers:
// "core-1: Te1/0/5 ↔ edge-b1 25, LAG Po1 ↔ acc-a1 Po1".
std::string topology(const Map& map) {
    std::string text;
    for (const Switch& sw : map.switches) {
        text += sw.name + ":";
        std::string sep = " ";
        for (const Port& port : sw.ports)
            if (port.link) {
                text += sep + port.label + " ↔ " + port.link->switch_name + " " + port.link->port;
                sep = ", ";
            }
        for (const Lag& lag : sw.lags)
            if (lag.peer) {
                text += sep + "LAG " + lag.name + " ↔ " + lag.peer->switch_name + " " + lag.peer->lag;
                sep = ", ";
            }
        text += "\n";
    }
    return text;
}

// The report's lists, one line an item.
std::string report_text(const CampusReport& report) {
    std::string text;
    for (const CampusLink& link : report.links)
        text += (link.already ? "kept " : "made ") + campus_link_text(link) + "\n";
    for (const NeighbourConflict& conflict : report.conflicts) text += conflict_message(conflict) + "\n";
    for (const LinkContradiction& contradiction : report.contradictions)
        text += contradiction_message(contradiction) + "\n";
    for (const OutsideNeighbour& outside : report.outside)
        text += "outside " + outside_text(outside) + (outside.described ? " (described)" : "") + "\n";
    for (const UnplacedNeighbour& unplaced : report.unplaced)
        text += "unplaced " + unplaced_text(unplaced) + "\n";
    return text;
}

// A Cisco configuration: access ports in VLAN 10, and LAGs of some of them.
std::string ios_config(const std::string& host, const std::vector<std::string>& ports,
                       const std::vector<std::vector<std::string>>& lags = {}) {
    std::string text = "hostname " + host + "\nvlan 10\n name Data\n";
    for (std::size_t i = 0; i < lags.size(); ++i)
        text += "interface Port-channel" + std::to_string(i + 1) + "\n switchport access vlan 10\n";
    for (const std::string& port : ports) {
        text += "interface " + port + "\n switchport access vlan 10\n";
        for (std::size_t i = 0; i < lags.size(); ++i)
            for (const std::string& member : lags[i])
                if (member == port) text += " channel-group " + std::to_string(i + 1) + " mode active\n";
    }
    return text;
}

struct Seen {
    std::string local;
    std::string system;
    std::string port;
};

// `show lldp neighbors detail` as IOS writes it, under a prompt.
std::string lldp(const std::string& host, const std::vector<Seen>& seen) {
    std::string text = host + "#show lldp neighbors detail\n";
    for (const Seen& s : seen)
        text += "------------------------------------------------\nLocal Intf: " + s.local +
                "\nChassis id: 0000.0000.0001\nPort id: " + s.port + "\nSystem Name: " + s.system +
                "\n\nTime remaining: 100 seconds\nSystem Capabilities: B\nEnabled Capabilities: B\n";
    return text + "\nTotal entries displayed: " + std::to_string(seen.size()) + "\n" + host + "#";
}

CaptureFile capture(const std::string& host, const std::vector<std::string>& ports,
                    const std::vector<Seen>& seen, const std::vector<std::vector<std::string>>& lags = {}) {
    return CaptureFile{host + ".txt",
                       host + "#show running-config\n" + ios_config(host, ports, lags) + lldp(host, seen),
                       ""};
}

const std::vector<std::string> k_ports = {"GigabitEthernet1/0/1", "GigabitEthernet1/0/2",
                                          "GigabitEthernet1/0/3", "GigabitEthernet1/0/4",
                                          "GigabitEthernet1/0/5", "GigabitEthernet1/0/6"};

// Five switches of two families, each file a configuration and neighbours
// (prompts or none, neighbours before or after, LF or CRLF), given out of
// order: the campus as drawn by hand, and the same again when imported into it.
TEST(CampusImport, AWholeCampusInOneGoAndAgainIntoIt) {
    std::vector<CaptureFile> files;
    for (const char* name : {"annex-1.txt", "acc-a2.txt", "edge-b1.txt", "core-1.txt", "acc-a1.txt"})
        files.push_back(CaptureFile{name, data_file(std::string("campus/") + name), ""});
    CampusImport first = import_campus(Map{}, files);
    EXPECT_EQ(topology(first.map),
              "core-1: Te1/0/5 ↔ edge-b1 25, LAG Po1 ↔ acc-a1 Po1, LAG Po2 ↔ acc-a2 Po1\n"
              "acc-a1: Gi1/0/8 ↔ acc-a2 Gi1/0/8, LAG Po1 ↔ core-1 Po1\n"
              "acc-a2: Gi1/0/8 ↔ acc-a1 Gi1/0/8, LAG Po1 ↔ core-1 Po2\n"
              "edge-b1: 25 ↔ core-1 Te1/0/5, LAG Trk1 ↔ annex-1 Trk1\n"
              "annex-1: LAG Trk1 ↔ edge-b1 Trk1\n");
    EXPECT_EQ(report_text(first.report), "made acc-a2 Gi1/0/8 ↔ acc-a1 Gi1/0/8\n"
                                         "made edge-b1 25 ↔ core-1 Te1/0/5\n"
                                         "made LAG annex-1 Trk1 ↔ edge-b1 Trk1\n"
                                         "made LAG acc-a2 Po1 ↔ core-1 Po2\n"
                                         "made LAG core-1 Po1 ↔ acc-a1 Po1\n"
                                         "outside acc-a2 Gi1/0/3 → prn-2nd-floor Ethernet\n"
                                         "outside edge-b1 3 → ap-lobby eth0\n"
                                         "outside core-1 Gi1/0/1 → fw-1 port1\n"
                                         "outside acc-a1 Gi1/0/7 → SEP00AABB112207 Port 1\n");
    std::vector<std::pair<std::string, std::size_t>> outcomes;
    for (const CampusFile& file : first.report.files) {
        EXPECT_EQ(file.outcome, CampusFile::Outcome::Added) << file.file;
        EXPECT_EQ(file.configuration.unread_count, 0u) << file.file;
        outcomes.emplace_back(file.switch_name, file.neighbours);
    }
    EXPECT_EQ(outcomes, (std::vector<std::pair<std::string, std::size_t>>{
                            {"annex-1", 2}, {"acc-a2", 4}, {"edge-b1", 4}, {"core-1", 10}, {"acc-a1", 4}}));
    EXPECT_TRUE(check_map(first.map).empty()) << check_report(check_map(first.map));
    EXPECT_EQ(first.map.switches[0].lags[0], (Lag{"Po1", {"Te1/0/1", "Te1/0/2"}, LagPeer{"acc-a1", "Po1"}}));

    CampusImport second = import_campus(first.map, files);
    EXPECT_EQ(second.map, first.map);
    EXPECT_EQ(second.report.links_made(), 0u);
    EXPECT_EQ(second.report.links.size(), 5u);
    EXPECT_EQ(second.report.count(CampusFile::Outcome::Updated), 5u);
}

TEST(CampusImport, WhatTheNeighboursCannotAgreeOnIsListedNotApplied) {
    std::vector<std::string> lag_ports = k_ports;
    for (const char* port :
         {"GigabitEthernet1/0/7", "GigabitEthernet1/0/8", "GigabitEthernet1/0/9", "GigabitEthernet1/0/10"})
        lag_ports.emplace_back(port);
    std::vector<CaptureFile> files = {
        capture("sw-a", lag_ports,
                {{"Gi1/0/1", "sw-b", "Gi1/0/1"},
                 {"Gi1/0/3", "sw-b", "Gi1/0/3"},
                 {"Gi1/0/3", "sw-c", "Gi1/0/3"},
                 {"Gi1/0/5", "sw-b", "Gi9/0/9"},
                 {"Gi1/0/6", "SEP00AABB000006", "Port 1"},
                 {"mgmt0", "oob", "Gi1/0/48"},
                 {"Gi1/0/7", "sw-b", "Gi1/0/7"},
                 {"Gi1/0/9", "sw-b", "Gi1/0/9"},
                 {"Gi1/0/10", "sw-c", "Gi1/0/10"}},
                {{"GigabitEthernet1/0/7", "GigabitEthernet1/0/8"},
                 {"GigabitEthernet1/0/9", "GigabitEthernet1/0/10"}}),
        capture(
            "sw-b", lag_ports,
            {{"Gi1/0/1", "sw-c", "Gi1/0/2"}, {"Gi1/0/4", "sw-a", "Gi1/0/4"}, {"Gi1/0/9", "sw-a", "Gi1/0/9"}},
            {{"GigabitEthernet1/0/9"}}),
        capture("sw-c", lag_ports, {{"Gi1/0/2", "sw-b", "Gi1/0/1"}, {"Gi1/0/4", "sw-a", "Gi1/0/4"}},
                {{"GigabitEthernet1/0/10"}}),
    };
    CampusImport campus = import_campus(Map{}, files);
    EXPECT_EQ(topology(campus.map), "sw-b: Gi1/0/1 ↔ sw-c Gi1/0/2\nsw-c: Gi1/0/2 ↔ sw-b Gi1/0/1\nsw-a:\n");
    EXPECT_EQ(report_text(campus.report),
              "made sw-b Gi1/0/1 ↔ sw-c Gi1/0/2\n"
              "sw-a Gi1/0/5 reports sw-b port Gi9/0/9, which sw-b does not have.\n"
              "sw-a Gi1/0/1 reports sw-b Gi1/0/1, but sw-b Gi1/0/1 reports sw-c Gi1/0/2.\n"
              "sw-a Gi1/0/3 reports both sw-b Gi1/0/3 and sw-c Gi1/0/3.\n"
              "sw-b Gi1/0/4 and sw-c Gi1/0/4 both report sw-a Gi1/0/4.\n"
              "sw-a Gi1/0/7 and sw-b Gi1/0/7 reach each other, but only one of them is in a LAG.\n"
              "LAG sw-a Po2 reaches both LAG sw-b Po1 and LAG sw-c Po1.\n"
              "outside sw-a Gi1/0/6 → SEP00AABB000006 Port 1\n"
              "unplaced sw-a mgmt0 → oob Gi1/0/48\n");
}

// A brief table names a Junos port by its index; the far end's own report
// names the port, and the two do not disagree.
TEST(CampusImport, APortNameThatDoesNotResolveLeavesTheOtherEndToTell) {
    std::vector<CaptureFile> files = {capture("sw-x", k_ports, {{"Gi1/0/1", "sw-y", "531"}}),
                                      capture("sw-y", k_ports, {{"Gi1/0/2", "sw-x", "Gi1/0/1"}})};
    CampusImport campus = import_campus(Map{}, files);
    EXPECT_EQ(report_text(campus.report), "made sw-x Gi1/0/1 ↔ sw-y Gi1/0/2\n"
                                          "sw-x Gi1/0/1 reports sw-y port 531, which sw-y does not have.\n");
}

TEST(CampusImport, LinksTheNeighboursContradictStayUnlessReplaced) {
    Map map = import_campus(Map{},
                            std::vector<CaptureFile>{capture("core", k_ports, {}, {{"GigabitEthernet1/0/5"}}),
                                                     capture("old", k_ports, {}, {{"GigabitEthernet1/0/5"}}),
                                                     capture("acc", k_ports, {}, {{"GigabitEthernet1/0/5"}})})
                  .map;
    // New switches without links come in name order: acc, core, old.
    ASSERT_EQ(link_ports(map, {1, 0}, {2, 0}), LinkResult{});
    ASSERT_FALSE(set_lag_peer(map, 1, "Po1", LagPeer{"old", "Po1"}));
    std::vector<CaptureFile> files = {CaptureFile{
        "acc.txt", lldp("acc", {{"Gi1/0/1", "core", "Gi1/0/1"}, {"Gi1/0/5", "core", "Gi1/0/5"}}), ""}};
    CampusImport kept = import_campus(map, files);
    EXPECT_EQ(kept.map, map);
    EXPECT_EQ(report_text(kept.report),
              "core Gi1/0/1 is linked to old Gi1/0/1, but its neighbours report acc "
              "Gi1/0/1: kept.\n"
              "LAG core Po1 is peered with LAG old Po1, but its neighbours report LAG acc "
              "Po1: kept.\n");
    EXPECT_EQ(kept.report.files[0].outcome, CampusFile::Outcome::NeighboursOnly);

    CampusImport replaced = import_campus(map, files, CampusOptions{std::nullopt, true, false});
    EXPECT_EQ(topology(replaced.map), "acc: Gi1/0/1 ↔ core Gi1/0/1, LAG Po1 ↔ core Po1\n"
                                      "core: Gi1/0/1 ↔ acc Gi1/0/1, LAG Po1 ↔ acc Po1\nold:\n");
    EXPECT_EQ(replaced.report.contradictions.size(), 2u);
    EXPECT_TRUE(replaced.report.contradictions[0].replaced);
    EXPECT_TRUE(check_map(replaced.map).empty()) << check_report(check_map(replaced.map));
}

TEST(CampusImport, NeighboursOutsideTheMapMayDescribeEmptyPorts) {
    std::string config = ios_config("acc", k_ports) + "interface GigabitEthernet1/0/2\n description Desk 2\n";
    CaptureFile file{"acc.txt",
                     "acc#show run\n" + config +
                         lldp("acc", {{"Gi1/0/1", "SEP00AABB000001", "Port 1"},
                                      {"Gi1/0/1", "pc-17.example.org", "eth0"},
                                      {"Gi1/0/2", "ap-2", "eth0"}}),
                     ""};
    CampusImport campus =
        import_campus(Map{}, std::vector<CaptureFile>{file}, CampusOptions{std::nullopt, false, true});
    EXPECT_EQ(campus.map.switches[0].ports[0].description, "SEP00AABB000001 Port 1, pc-17.example.org eth0");
    EXPECT_EQ(campus.map.switches[0].ports[1].description, "Desk 2");
    EXPECT_EQ(report_text(campus.report), "outside acc Gi1/0/1 → SEP00AABB000001 Port 1 (described)\n"
                                          "outside acc Gi1/0/1 → pc-17.example.org eth0 (described)\n"
                                          "outside acc Gi1/0/2 → ap-2 eth0\n");
    EXPECT_EQ(
        import_campus(campus.map, std::vector<CaptureFile>{file}, CampusOptions{std::nullopt, false, true})
            .map,
        campus.map);
}

TEST(CampusImport, FilesThatNameNoSwitchOrHoldNothing) {
    Map map = import_campus(Map{}, std::vector<CaptureFile>{capture("core", k_ports, {})}).map;
    std::vector<CaptureFile> files = {
        CaptureFile{"far.txt", lldp("far-9", {{"Gi1/0/1", "core", "Gi1/0/1"}}), ""},
        CaptureFile{"notes.txt", "call the vendor on Monday\n", ""},
        // Without prompt or configuration, the file's name names the switch.
        CaptureFile{"dir/core.log", "Local Intf: Gi1/0/2\nPort id: 7\nSystem Name: ups-1\n", ""},
    };
    CampusImport campus = import_campus(map, files);
    std::vector<std::pair<CampusFile::Outcome, std::string>> outcomes;
    for (const CampusFile& file : campus.report.files) outcomes.emplace_back(file.outcome, file.switch_name);
    EXPECT_EQ(outcomes, (std::vector<std::pair<CampusFile::Outcome, std::string>>{
                            {CampusFile::Outcome::NoSwitch, "far-9"},
                            {CampusFile::Outcome::Nothing, "notes"},
                            {CampusFile::Outcome::NeighboursOnly, "core"}}));
    EXPECT_EQ(report_text(campus.report), "outside core Gi1/0/2 → ups-1 7\n");
    EXPECT_TRUE(campus.report.recognised());
    EXPECT_FALSE(import_campus(map, std::vector<CaptureFile>{files[0], files[1]}).report.recognised());
}

// New switches are ordered as a campus reads; those of the map stay where they are.
TEST(CampusImport, NewSwitchesInCampusOrder) {
    auto with = [](const std::string& host, const std::vector<Seen>& seen) {
        return capture(host, k_ports, seen);
    };
    Map map = import_campus(Map{}, std::vector<CaptureFile>{with("old", {})}).map;
    std::vector<CaptureFile> files = {
        with("aaa", {}),
        with("m2", {{"Gi1/0/1", "m1", "Gi1/0/1"}}),
        with("b1", {{"Gi1/0/1", "a2", "Gi1/0/4"}, {"Gi1/0/2", "old", "Gi1/0/1"}}),
        with("a10", {{"Gi1/0/1", "z-core", "Gi1/0/3"}}),
        with("z-core",
             {{"Gi1/0/1", "a2", "Gi1/0/1"}, {"Gi1/0/2", "a1", "Gi1/0/1"}, {"Gi1/0/3", "a10", "Gi1/0/1"}}),
        with("a2", {}),
        with("a1", {}),
        with("m1", {}),
    };
    CampusImport campus = import_campus(map, files);
    std::vector<std::string> order;
    for (const Switch& sw : campus.map.switches) order.push_back(sw.name);
    EXPECT_EQ(order, (std::vector<std::string>{"old", "z-core", "a1", "a2", "a10", "b1", "m1", "m2", "aaa"}));
}

TEST(CampusMatch, SwitchNamesAsNeighboursReportThem) {
    campus_detail::SwitchNames names;
    names.add("core-1", 0);
    names.add("ACC-A1", 1);
    names.add("n9k-leaf", 2);
    names.add("leaf2", 2); // the host name its configuration gives
    names.add("dist.b1", 3);
    names.add("dist.b2", 4);
    names.add("very-long-switch-name-7", 5);
    const std::vector<std::pair<const char*, std::optional<std::size_t>>> cases = {
        {"core-1", 0},
        {"CORE-1.campus.example.org", 0},
        {"\"core-1\"", 0},
        {"acc-a1", 1},
        {"n9k-leaf(FDO21120U8Z)", 2},
        {"leaf2.dc.example.org", 2},
        {"dist.b2", 4},
        {"dist.b9", std::nullopt}, // dist without domain is two switches
        {"very-long-switch-nam", 5},
        {"very-long-sw...", 5},
        {"core", std::nullopt},
        {"10.0.0.1", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [reported, index] : cases) EXPECT_EQ(names.find(reported), index) << reported;
}

TEST(CampusMatch, PortsByEveryFormANeighbourUses) {
    Switch cisco;
    for (const char* label : {"Gi1/0/1", "Te1/1/1", "Eth1/12", "Po1"})
        cisco.ports.push_back(Port{label, {}, {}, "", false, {}});
    Switch junos;
    for (const char* label : {"ge-0/0/3", "xe-0/1/0"})
        junos.ports.push_back(Port{label, {}, {}, "", false, {}});
    Switch numbered;
    for (const char* label : {"25", "1/1/49", "A1"})
        numbered.ports.push_back(Port{label, {}, {}, "", false, {}});
    struct Case {
        const Switch* sw;
        const char* reported;
        std::optional<std::size_t> port;
    };
    const std::vector<Case> cases = {
        {&cisco, "GigabitEthernet1/0/1", 0},
        {&cisco, "gi1/0/1", 0},
        {&cisco, "Gig 1/0/1", 0},
        {&cisco, "TenGigabitEthernet1/1/1", 1},
        {&cisco, "Ten 1/1/1", 1},
        {&cisco, "Ethernet1/12", 2},
        {&cisco, "Gi1/0/1.100", 0},
        {&cisco, "Gi1/0/2", std::nullopt},
        {&cisco, "1/0/1", std::nullopt},
        {&junos, "ge-0/0/3.0", 0},
        {&junos, "xe-0/1/0", 1},
        {&numbered, "25", 0},
        {&numbered, "GigabitEthernet1/1/49", 1},
        {&numbered, "10GigabitEthernet1/1/49", 1},
        {&numbered, "a1", 2},
        {&numbered, "Gi1/0/25", std::nullopt},
    };
    for (const Case& c : cases) {
        campus_detail::PortIndex index(*c.sw);
        EXPECT_EQ(index.find(c.reported), c.port) << c.reported;
    }
}

} // namespace
} // namespace quarn
