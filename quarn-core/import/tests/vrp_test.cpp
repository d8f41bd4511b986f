#include <gtest/gtest.h>

#include "import/config_import.hpp"
#include "result_text.hpp"

namespace quarn {
namespace {

using testing::run_cases;

TEST(VrpImport, CampusAndDataCentreSwitches) {
    const std::vector<testing::ImportCase> cases = {
        {"S-series: access, voice, hybrid and trunk ports, a PVID outside the trunk, an Eth-Trunk",
         Dialect::Vrp,
         "!Software Version V200R011C10SPC600\n#\nsysname Floor3-S5720\n#\nvlan batch 10 20 30 100 to 102\n"
         "#\nstp instance 0 priority 8192\n#\nvlan 10\n description Staff\nvlan 20\n name Voice\n"
         " description Phones\n#\naaa\n local-user admin password irreversible-cipher $1a$abcdefg$\n"
         " local-user admin service-type ssh\n#\ninterface Vlanif10\n ip address 10.1.10.1 255.255.255.0\n#\n"
         "interface MEth0/0/1\n ip address 192.168.1.253 255.255.255.0\n#\ninterface Eth-Trunk1\n"
         " port link-type trunk\n undo port trunk allow-pass vlan 1\n"
         " port trunk allow-pass vlan 10 20 30 100 to 102\n mode lacp\n#\ninterface GigabitEthernet0/0/1\n"
         " port link-type access\n port default vlan 10\n stp edged-port enable\n#\n"
         "interface GigabitEthernet0/0/2\n description Desk 2\n port link-type access\n"
         " port default vlan 10\n voice-vlan 20 enable\n shutdown\n#\ninterface GigabitEthernet0/0/3\n#\n"
         "interface GigabitEthernet0/0/4\n port link-type hybrid\n port hybrid pvid vlan 30\n"
         " port hybrid tagged vlan 10 20\n port hybrid untagged vlan 30\n#\ninterface GigabitEthernet0/0/5\n"
         " port link-type trunk\n port trunk pvid vlan 99\n port trunk allow-pass vlan 10 20\n#\n"
         "interface GigabitEthernet0/0/6\n port link-type trunk\n port trunk allow-pass vlan 2 to 4094\n"
         " port trunk allow-pass vlan 9 to 3\n#\ninterface GigabitEthernet0/0/7\n port link-type hybrid\n"
         " undo port hybrid vlan 1\n port hybrid tagged vlan 10\n#\ninterface GigabitEthernet0/0/8\n"
         " port link-type hybrid\n port hybrid pvid vlan 40\n port hybrid untagged vlan 40 50\n port "
         "priority 3\n#\n"
         "interface XGigabitEthernet0/0/1\n eth-trunk 1\n#\ninterface XGigabitEthernet0/0/2\n eth-trunk 1\n"
         "#\ninterface XGigabitEthernet0/0/3\n undo portswitch\n ip address 10.255.0.1 255.255.255.252\n#\n"
         "interface NULL0\n#\nsnmp-agent community read cipher %^%#abc%^%#\n#\nreturn\n",
         "GigabitEthernet0/0/1 R u=10 t=-\nGigabitEthernet0/0/2 R u=10 t=20 d=Desk 2 off\n"
         "GigabitEthernet0/0/3 R u=1 t=-\nGigabitEthernet0/0/4 R u=30 t=10,20\nGigabitEthernet0/0/5 R u=- "
         "t=1,10,20\n"
         "GigabitEthernet0/0/6 R u=1 t=2-4094\nGigabitEthernet0/0/7 R u=- t=10\nGigabitEthernet0/0/8 R u=40 "
         "t=-\n"
         "XGigabitEthernet0/0/1 S u=- t=10,20,30,100-102\nXGigabitEthernet0/0/2 S u=- t=10,20,30,100-102\n"
         "XGigabitEthernet0/0/3 S u=- t=-\n",
         "host Floor3-S5720\nvlan 1 VLAN 0001\nvlan 10 Staff\nvlan 20 Voice\nvlan 30 VLAN 0030\nvlan 100 "
         "VLAN 0100\n"
         "vlan 101 VLAN 0101\nvlan 102 VLAN 0102\nlag Eth-Trunk1: XGigabitEthernet0/0/1 "
         "XGigabitEthernet0/0/2\n"
         "line 59: port trunk allow-pass vlan 9 to 3\nline 69: port hybrid untagged vlan 40 50\n"},
        {"CloudEngine: members named from the Eth-Trunk's side, routed and 100GE ports, CRLF, no final "
         "newline",
         Dialect::Vrp,
         "!Software Version V200R005C10SPC800\r\n"
         "!Last configuration was updated at 2021-03-02 10:11:12+00:00 by SYSTEM automatically\r\n#\r\n"
         "sysname DC-Leaf1\r\n#\r\nvlan batch 100 200 to 203\r\n#\r\nvlan 100\r\n name Web\r\n#\r\n"
         "interface MEth0/0/0\r\n ip address 192.0.2.10 255.255.255.0\r\n#\r\ninterface Eth-Trunk10\r\n"
         " port link-type trunk\r\n port trunk allow-pass vlan 100 200 to 203\r\n mode lacp-static\r\n#\r\n"
         "interface Eth-Trunk20\r\n trunkport 10GE 1/0/3 to 1/0/4\r\n port default vlan 100\r\n#\r\n"
         "interface 10GE1/0/1\r\n eth-trunk 10\r\n#\r\ninterface 10GE1/0/2\r\n eth-trunk 10\r\n#\r\n"
         "interface 10GE1/0/5\r\n port link-type trunk\r\n undo port trunk allow-pass vlan 1\r\n"
         " port trunk allow-pass vlan 200 to 203\r\n port trunk pvid vlan 201\r\n#\r\ninterface 10GE1/0/6\r\n"
         " shutdown\r\n#\r\ninterface 40GE1/0/1\r\n undo portswitch\r\n"
         " ip address 10.0.0.1 255.255.255.252\r\n#\r\ninterface 100GE1/0/1\r\n port link-type trunk\r\n"
         " port trunk allow-pass vlan all\r\n undo port trunk allow-pass vlan 1\r\n#\r\n"
         "interface LoopBack0\r\n#\r\ninterface NULL0\r\n#\r\nreturn",
         "10GE1/0/1 S u=1 t=100,200-203\n10GE1/0/2 S u=1 t=100,200-203\n10GE1/0/3 S u=100 t=-\n"
         "10GE1/0/4 S u=100 t=-\n10GE1/0/5 S u=201 t=200,202-203\n10GE1/0/6 S u=1 t=- off\n40GE1/0/1 S u=- "
         "t=-\n"
         "100GE1/0/1 S u=- t=2-4094\n",
         "host DC-Leaf1\nvlan 1 VLAN 0001\nvlan 100 Web\nvlan 200 VLAN 0200\nvlan 201 VLAN 0201\n"
         "vlan 202 VLAN 0202\nvlan 203 VLAN 0203\nlag Eth-Trunk10: 10GE1/0/1 10GE1/0/2\n"
         "lag Eth-Trunk20: 10GE1/0/3 10GE1/0/4\n"},
    };
    run_cases(cases);
    for (const testing::ImportCase& c : cases) EXPECT_EQ(detect_dialect(c.config), Dialect::Vrp) << c.name;
}

} // namespace
} // namespace quarn
