#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "import/config_import.hpp"
#include "import/generator/generated_config.hpp"
#include "import/switch_capture.hpp"

namespace quarn {
namespace {

struct CaptureCase {
    const char* name;
    const char* text;
    const char* prompt_name;
    const char* configuration; // the configuration text, empty lines where other lines were
    std::size_t neighbours;
    bool neighbour_output;
};

// Terminal sessions as admins paste them: each platform's prompt names the
// switch, the command under it says what its output is.
TEST(SwitchCapture, PromptsCutTheSessionAndNameTheSwitch) {
    const std::vector<CaptureCase> cases = {
        {"Cisco: configuration, then neighbours, other commands left out",
         "acc-a1>enable\nPassword: \nacc-a1#terminal length 0\nacc-a1#show version\nCisco IOS Software, "
         "Version 17.6\n"
         "acc-a1#show running-config\nBuilding configuration...\nhostname acc-a1\n!\nend\n"
         "acc-a1#show lldp neighbors detail\nLocal Intf: Gi1/0/1\nPort id: Gi0/1\nSystem Name: "
         "sw-9\n\nacc-a1#",
         "acc-a1", "\n\n\n\n\n\nBuilding configuration...\nhostname acc-a1\n!\nend\n\n\n\n\n\n", 1, true},
        {"Cisco configuration mode, ICX prompts with the user and the model",
         "sw1(config)#show run\nhostname sw1\nSSH@sw1#show lldp neighbors detail\nLocal port: 1/1/1\n"
         "  Neighbor: 609c.9f00.0002, TTL 101 seconds\n    + System name : \"core\"\n"
         "ICX7150-48P Router#show version\n  SW: Version 08.0.95\n",
         "sw1", "\nhostname sw1\n\n\n\n\n\n\n", 1, true},
        {"Comware and VRP: <name> and [name]; a view's name follows the switch's",
         "[sw2-GigabitEthernet1/0/1]quit\n<sw2>display current-configuration\n#\n sysname sw2\n#\nreturn\n"
         "<sw2>display lldp neighbor-information\nLLDP neighbor-information of port "
         "1[GigabitEthernet1/0/1]:\n"
         " Port ID : GigabitEthernet1/0/9\n System name : hw-agg\n<sw2>",
         "sw2", "\n\n#\n sysname sw2\n#\nreturn\n\n\n\n\n", 1, true},
        {"VRP's bracket prompt names the switch when nothing else does",
         "[~hw-acc-9]display current-configuration\n#\nsysname hw-acc-9\n#\n", "hw-acc-9",
         "\n#\nsysname hw-acc-9\n#\n", 0, false},
        {"Junos: user@host>, the lines around the prompt left out",
         "{master:0}\nadmin@ex1> show configuration | display set \nset system host-name ex1\n\n{master:0}\n"
         "admin@ex1> show lldp neighbors\nLocal Interface    Parent Interface    Chassis Id          Port "
         "info     "
         "     System Name\nge-0/0/1           -                   2c:6b:f5:a1:c2:c0   ge-0/0/1           "
         "ex2\n\n"
         "{master:0}[edit]\nadmin@ex1# \n",
         "ex1", "\n\nset system host-name ex1\n\n\n\n\n\n\n\n\n", 1, true},
        {"RouterOS: [user@name] with the menu before the >",
         "[admin@crs-3] > /export\n# jan/02/1970 00:00:00 by RouterOS 6.49\n/interface bridge\nadd "
         "name=bridge1\n"
         "[admin@crs-3] /ip neighbor> print detail\n 0 interface=ether1 identity=\"crs-core\" "
         "interface-name=\"ether2\"\n",
         "crs-3", "\n# jan/02/1970 00:00:00 by RouterOS 6.49\n/interface bridge\nadd name=bridge1\n\n\n", 1,
         true},
        {"no prompts: the neighbour output is read, the rest is configuration",
         "Local Intf: Te1/1/1\nChassis id: 00a1.b2c3.0001\nPort id: Te1/0/3\nSystem Name: core-1\n\n"
         "Total entries displayed: 1\n\nhostname acc-a2\ninterface GigabitEthernet1/0/1\n description "
         "Uplink: core\n",
         "", "\n\n\n\n\n\n\nhostname acc-a2\ninterface GigabitEthernet1/0/1\n description Uplink: core\n", 1,
         true},
        {"neighbour output that lists no neighbour still is neighbour output",
         "sw3#show cdp neighbors detail\n\nTotal cdp entries displayed : 0\nsw3#", "sw3", "\n\n\n", 0, true},
        {"lines that only look like prompts are configuration",
         "interface GigabitEthernet1/0/1\n description floor#2>core\nbanner motd #Authorised users only#\n",
         "",
         "interface GigabitEthernet1/0/1\n description floor#2>core\nbanner motd #Authorised users only#\n",
         0, false},
    };
    for (const CaptureCase& c : cases) {
        SwitchCapture capture = read_capture(c.text);
        EXPECT_EQ(capture.prompt_name, c.prompt_name) << c.name;
        EXPECT_EQ(capture.configuration, c.configuration) << c.name;
        EXPECT_EQ(capture.neighbours.size(), c.neighbours) << c.name;
        EXPECT_EQ(capture.neighbour_output, c.neighbour_output) << c.name;
    }
}

TEST(SwitchCapture, LineNumbersStayThoseOfTheFile) {
    SwitchCapture capture =
        read_capture("acc-a1#show lldp neighbors detail\nLocal Intf: Gi1/0/1\nPort id: Gi0/1\n"
                     "System Name: sw-9\nacc-a1#show running-config\ninterface Gi1/0/2\n"
                     " frobnicate\n");
    ASSERT_EQ(capture.neighbours.size(), 1u);
    EXPECT_EQ(capture.neighbours[0].line, 2u);
    ImportResult config = import_config(capture.configuration, Dialect::CiscoIos);
    ASSERT_EQ(config.unread.size(), 1u);
    EXPECT_EQ(config.unread[0], (UnreadLine{7, "frobnicate"}));
}

// A configuration alone, of any dialect, goes to the configuration reader
// as it is: no line of it is taken for neighbour output or a prompt.
TEST(SwitchCapture, ConfigurationsPassWhole) {
    for (const char* dialect : {"ios", "nxos", "aruba", "comware", "junos"}) {
        for (std::uint32_t seed : {1u, 2u, 3u}) {
            const std::string text = generate_config(dialect, 3000, seed);
            const SwitchCapture capture = read_capture(text);
            EXPECT_EQ(capture.configuration, text) << dialect << " " << seed;
            EXPECT_TRUE(capture.neighbours.empty()) << dialect << " " << seed;
            EXPECT_EQ(import_config(capture.configuration), import_config(text)) << dialect << " " << seed;
        }
    }
}

} // namespace
} // namespace quarn
