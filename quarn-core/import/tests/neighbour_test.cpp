#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "import/neighbour_import.hpp"

namespace quarn {
namespace {

std::string data_file(const std::string& name) {
    std::ifstream in(std::string(QUARN_IMPORT_TEST_DATA) + "/neighbours/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// One line an entry: "Gi1/0/1 → core-1 Te1/1/1 [bridge router]".
std::string entries_text(const std::vector<NeighbourEntry>& entries) {
    std::string text;
    for (const NeighbourEntry& entry : entries) {
        text += neighbour_line(entry);
        if (!entry.capabilities.empty()) {
            text += " [";
            for (std::size_t i = 0; i < entry.capabilities.size(); ++i)
                text += (i ? " " : "") + entry.capabilities[i];
            text += ']';
        }
        text += '\n';
    }
    return text;
}

std::string crlf(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

struct FormCase {
    const char* file;
    const char* entries;
};

// Each platform's output as its documentation shows it, with what makes it
// hard: names with a domain, port IDs that are MAC addresses or interface
// indexes (the description names the port), several management addresses,
// values wrapped over lines, blocks nested in an entry that repeat its keys.
TEST(NeighbourRead, EveryFormOfEveryPlatform) {
    const std::vector<FormCase> cases = {
        {"ios-lldp-detail.txt", "Gi1/0/49 → core-1.campus.example.org Te1/1/1 [bridge router]\n"
                                "Gi1/0/7 → SEP001122334455 SW PORT [bridge telephone]\n"
                                "Gi1/0/12 → ap-floor2 eth0 [wlan-access-point]\n"},
        {"ios-cdp-detail.txt",
         "TenGigabitEthernet1/1/3 → acc-b2.campus.example.org TenGigabitEthernet1/1/1 [bridge]\n"
         "TenGigabitEthernet1/1/4 → n9k-core(FDO23450ABC) Ethernet1/12 [bridge router]\n"},
        {"nxos-lldp-cdp-detail.txt", "Eth1/12 → dist-1 Te1/1/4 [bridge router]\n"
                                     "Eth1/20 → esx-07.dc.example.org vmnic2 [bridge]\n"
                                     "Ethernet1/12 → dist-1 TenGigabitEthernet1/1/4 [bridge router]\n"},
        {"eos-lldp-detail.txt", "Ethernet49/1 → spine-1.dc.example.org Ethernet1/1 [bridge router]\n"
                                "Ethernet3 → ex-edge ge-0/0/5 [bridge]\n"},
        {"junos-lldp.txt", "ge-0/0/5 → leaf-1.dc.example.org Ethernet3\n"
                           "xe-0/1/0 → dist-1 Te1/1/7\n"
                           "xe-0/1/1 → dist-1 Te1/1/8\n"
                           "ge-0/0/20 → SEP6C0B5E001122 Port 1\n"
                           "xe-0/1/0 → dist-1 TenGigabitEthernet1/1/7 [bridge router]\n"},
        {"arubaos-switch-lldp.txt", "25 → dist-2.campus.exam... Gi1...\n"
                                    "3 → SEP6C0B5E001133 6c ...\n"
                                    "25 → dist-2.campus.example.org Gi1/0/17 [bridge router]\n"
                                    "3 → SEP6C0B5E001133 SW PORT [bridge telephone]\n"},
        {"aoscx-lldp-detail.txt", "1/1/49 → cx-core 1/1/1 [bridge router]\n"
                                  "1/1/5 → 02:00:00:00:51:10 02:00:00:00:51:10\n"},
        {"comware-lldp-verbose.txt",
         "Ten-GigabitEthernet1/0/49 → hp-core Ten-GigabitEthernet1/0/1 [bridge router]\n"
         "GigabitEthernet1/0/5 → phone-conf-2 WAN Port [bridge telephone]\n"},
        {"vrp-lldp.txt", "GigabitEthernet0/0/1 → hw-agg GigabitEthernet0/0/24 [bridge router]\n"
                         "GE0/0/1 → hw-agg GE0/0/24\n"},
        {"os10-lldp-detail.txt", "ethernet1/1/53 → os10-spine ethernet1/1/54 [bridge router repeater]\n"},
        {"os9-lldp-detail.txt", "Te0/48 → s4810-b TenGigabitEthernet0/47 [bridge router repeater]\n"},
        {"icx-lldp-detail.txt", "1/2/1 → icx-core 10GigabitEthernet1/2/3 [bridge router]\n"
                                "1/1/12 → SEP6C0B5E001144 Port 1 [bridge telephone]\n"},
        {"routeros-neighbor-detail.txt", "sfp-sfpplus1 → crs-core sfp-sfpplus2 [bridge router]\n"
                                         "ether5 → ap lobby ether1 [wlan-access-point]\n"},
        {"cisco-eos-brief.txt",
         "Gi1/0/49 → core-1.campus.exampl Te1/1/1 [bridge router]\n"
         "Gi1/0/7 → SEP001122334455 Port 1 [bridge telephone]\n"
         "Gi1/0/12 → ap-floor2 a4bb.6d01.0203 [wlan-access-point]\n"
         "Gi1/0/40 → juniper-x 531\n"
         "GigabitEthernet1/0/49 → core-1.campus.example.org TenGigabitEthernet1/1/1 [bridge router]\n"
         "GigabitEthernet1/0/7 → SEP001122334455 Port 1 [telephone station]\n"
         "TenGigabitEthernet1/1/4 → n9k-core(FDO23450ABC) Eth1/12 [bridge router]\n"
         "Et49/1 → spine-1.dc.example.org Ethernet1/1\n"
         "Et3 → ex-edge 531\n"
         "Ma1 → oob-sw Gi1/0/31\n"
         "Eth1/12 → dist-1 TenGigabitEthernet1/1/4 [bridge router]\n"
         "mgmt0 → oob-sw(FOC1234X0YZ) GigabitEthernet1/0/45 [bridge]\n"},
        {"os10-icx-aoscx-comware-brief.txt", "ethernet1/1/53 → os10-spine ethernet1/1/54\n"
                                             "mgmt1/1/1 → oob-sw Gi1/0/30\n"
                                             "1/2/1 → icx-core 10GigabitEthernet1/2/3\n"
                                             "1/1/12 → SEP6C0B5E001144 Port 1\n"
                                             "1/1/49 → cx-core 1/1/1\n"
                                             "1/1/5 → 02:00:00:00:51:10 02:00:00:00:...\n"
                                             "XGE1/0/49 → hp-core Ten-GigabitEthernet1/0/1\n"
                                             "GE1/0/5 → phone-conf-2 0004-f2aa-bb01\n"},
    };
    for (const FormCase& c : cases) {
        const std::string text = data_file(c.file);
        ASSERT_FALSE(text.empty()) << c.file;
        EXPECT_EQ(entries_text(read_neighbours(text).entries), c.entries) << c.file;
        EXPECT_EQ(entries_text(read_neighbours(crlf(text)).entries), c.entries) << c.file << " with CRLF";
    }
}

TEST(NeighbourRead, CapturesCutShortKeepWhatIsWhole) {
    const std::string whole = data_file("ios-lldp-detail.txt");
    struct Cut {
        const char* after; // the capture ends right after this text
        const char* entries;
    };
    const std::vector<Cut> cuts = {
        // In the middle of the second entry's port ID: the first entry only.
        {"Port id: 0011.22", "Gi1/0/49 → core-1.campus.example.org Te1/1/1 [bridge router]\n"},
        // After the second entry's name: it names its neighbour, so it counts.
        {"System Name: SEP001122334455",
         "Gi1/0/49 → core-1.campus.example.org Te1/1/1 [bridge router]\nGi1/0/7 → SEP001122334455 SW PORT\n"},
        // Before any name: the chassis ID does not stand in for a name cut off.
        {"Chassis id: 10.20.30.47", "Gi1/0/49 → core-1.campus.example.org Te1/1/1 [bridge router]\n"},
        {"Local Intf: Gi1/0/4", ""},
    };
    for (const Cut& cut : cuts) {
        std::string text = whole.substr(0, whole.find(cut.after) + std::string(cut.after).size());
        EXPECT_EQ(entries_text(read_neighbours(text).entries), cut.entries) << cut.after;
    }
}

TEST(NeighbourRead, PagerPromptsAndErasuresAreTakenOut) {
    const std::string text = "Local Intf: Gi1/0/1\n"
                             "Chassis id: 00a1.b2c3.0001\n"
                             " --More-- \b\b\b\b\b\b\b\b\b\b          \b\b\b\b\b\b\b\b\b\bPort id: Gi0/1\n"
                             "\x1b[7m--More--\x1b[m\x1b[8D        \x1b[8DSystem Name: sw-9\n"
                             "-- MORE --, next page: Space, next line: Enter, quit: Control-C\n"
                             "System Capabilities: B\n";
    EXPECT_EQ(entries_text(read_neighbours(text).entries), "Gi1/0/1 → sw-9 Gi0/1 [bridge]\n");
}

TEST(NeighbourRead, SpansCoverTheOutputAndLeaveTheRest) {
    const std::string text = "hostname acc-9\n"                                                        // 1
                             "interface GigabitEthernet1/0/1\n"                                        // 2
                             " switchport access vlan 10\n"                                            // 3
                             "Capability codes:\n"                                                     // 4
                             "    (R) Router, (B) Bridge, (T) Telephone\n"                             // 5
                             "\n"                                                                      // 6
                             "Device ID           Local Intf     Hold-time  Capability      Port ID\n" // 7
                             "core-1              Gi1/0/49       120        B,R             Te1/1/1\n" // 8
                             "\n"                                                                      // 9
                             "Total entries displayed: 1\n"                                            // 10
                             "interface Vlan99\n"                                                      // 11
                             "------------------------------------------------\n"                      // 12
                             "Local Intf: Gi1/0/50\n"                                                  // 13
                             "Chassis id: 00a1.b2c3.0001\n"                                            // 14
                             "Port id: Te1/1/2\n"                                                      // 15
                             "System Name: core-1\n"                                                   // 16
                             "\n"                                                                      // 17
                             "Total entries displayed: 1\n"                                            // 18
                             "interface GigabitEthernet1/0/2\n"                                        // 19
                             " description Printer: 2nd floor\n";                                      // 20
    NeighbourRead read = read_neighbours(text);
    EXPECT_EQ(entries_text(read.entries),
              "Gi1/0/49 → core-1 Te1/1/1 [bridge router]\nGi1/0/50 → core-1 Te1/1/2\n");
    EXPECT_EQ(read.spans, (std::vector<LineSpan>{{4, 10}, {12, 18}}));
}

TEST(NeighbourRead, TextThatIsNoNeighbourOutputGivesNothing) {
    for (const char* text :
         {"", "\n\n", "hostname sw\ninterface Gi1/0/1\n description Port: 5\n", "Device ID: \nSystem Name:\n",
          "Local Intf: Gi1/0/1\n", "Device ID  Local Intf  Hold-time  Port ID\nnot a row\n"}) {
        NeighbourRead read = read_neighbours(text);
        EXPECT_TRUE(read.entries.empty()) << text;
    }
}

TEST(NeighbourRead, JsonListsTheEntries) {
    NeighbourEntry phone{"Gi1/0/7", "SEP001122334455", "SW PORT", {"bridge", "telephone"}, "", "", 1};
    NeighbourEntry host{"Gi1/0/8", "pc \"x\"", "", {}, "", "", 2};
    EXPECT_EQ(neighbours_json({phone, host}), "[\n"
                                              "  {\n"
                                              "    \"local_port\": \"Gi1/0/7\",\n"
                                              "    \"remote_system\": \"SEP001122334455\",\n"
                                              "    \"remote_port\": \"SW PORT\",\n"
                                              "    \"capabilities\": [\n"
                                              "      \"bridge\",\n"
                                              "      \"telephone\"\n"
                                              "    ]\n"
                                              "  },\n"
                                              "  {\n"
                                              "    \"local_port\": \"Gi1/0/8\",\n"
                                              "    \"remote_system\": \"pc \\\"x\\\"\",\n"
                                              "    \"remote_port\": \"\"\n"
                                              "  }\n"
                                              "]");
    EXPECT_EQ(neighbours_json({}), "[]");
}

} // namespace
} // namespace quarn
