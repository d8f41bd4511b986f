#include <gtest/gtest.h>

#include "import/config_import.hpp"
#include "result_text.hpp"

namespace quarn {
namespace {

using testing::run_cases;

TEST(CiscoImport, AccessTrunkRoutedAndLogicalInterfaces) {
    run_cases({
        {"access ports, voice, shutdown, routed, management and logical interfaces", Dialect::CiscoIos,
         "hostname acc-1\n!\nvlan 10\n name Data\n!\nvlan 20\n name Voice\n!\nvlan 30\n!\n"
         "interface GigabitEthernet0/0\n vrf forwarding Mgmt-vrf\n ip address 10.0.0.2 255.255.255.0\n!\n"
         "interface GigabitEthernet1/0/1\n description Printer room 2\n switchport access vlan 10\n"
         " switchport mode access\n switchport voice vlan 20\n spanning-tree portfast\n!\n"
         "interface GigabitEthernet1/0/2\n switchport mode access\n shutdown\n!\n"
         "interface GigabitEthernet1/0/3\n no switchport\n ip address 10.1.1.1 255.255.255.252\n!\n"
         "interface TenGigabitEthernet1/1/1\n switchport mode trunk\n!\n"
         "interface Vlan10\n ip address 10.10.0.1 255.255.255.0\n!\ninterface Loopback0\n!\n"
         "interface GigabitEthernet1/0/1.10\n encapsulation dot1Q 10\n!\nline vty 0 4\n password "
         "s3cret\n!\nend\n",
         "GigabitEthernet1/0/1 R u=10 t=20 d=Printer room 2\n"
         "GigabitEthernet1/0/2 R u=1 t=- off\n"
         "GigabitEthernet1/0/3 R u=- t=-\n"
         "TenGigabitEthernet1/1/1 S u=1 t=2-4094\n",
         "host acc-1\nvlan 1 default\nvlan 10 Data\nvlan 20 Voice\nvlan 30 VLAN0030\n"},
        {"allowed lists built by several lines, native outside the list", Dialect::CiscoIos,
         "interface GigabitEthernet1/0/1\n switchport trunk allowed vlan 2-4,7\n"
         " switchport trunk allowed vlan add 10-12\n switchport trunk allowed vlan remove 3,11\n"
         " switchport mode trunk\n"
         "interface GigabitEthernet1/0/2\n switchport trunk native vlan 99\n"
         " switchport trunk allowed vlan 10,20\n switchport mode trunk\n"
         "interface GigabitEthernet1/0/3\n switchport mode trunk\n switchport trunk native vlan 20\n"
         " switchport trunk allowed vlan except 1-9\n"
         "interface GigabitEthernet1/0/4\n switchport mode trunk\n switchport trunk allowed vlan none\n"
         "interface GigabitEthernet1/0/5\n switchport mode trunk\n switchport trunk allowed vlan 10\n"
         " switchport trunk allowed vlan all\n switchport trunk allowed vlan remove 4000-4094\n"
         "interface GigabitEthernet1/0/6\n switchport mode trunk\n switchport trunk native vlan 10\n"
         " switchport trunk allowed vlan 10, 20\n"
         "interface GigabitEthernet1/0/7\n switchport trunk allowed vlan add 30\n switchport mode trunk\n"
         "interface GigabitEthernet1/0/8\n switchport trunk allowed vlan 10,20\n",
         "GigabitEthernet1/0/1 R u=- t=2,4,7,10,12\n"
         "GigabitEthernet1/0/2 R u=- t=10,20\n"
         "GigabitEthernet1/0/3 R u=20 t=10-19,21-4094\n"
         "GigabitEthernet1/0/4 R u=- t=-\n"
         "GigabitEthernet1/0/5 R u=1 t=2-3999\n"
         "GigabitEthernet1/0/6 R u=10 t=20\n"
         "GigabitEthernet1/0/7 R u=1 t=2-4094\n"
         "GigabitEthernet1/0/8 R u=1 t=-\n",
         "host \nvlan 1 default\n"},
        {"Arista LAG whose members carry its VLANs, speed, CRLF text", Dialect::CiscoIos,
         "hostname core\r\ninterface Port-Channel1\r\n   switchport mode trunk\r\n"
         "   switchport trunk allowed vlan 10,20\r\ninterface Ethernet1\r\n   description uplink-a\r\n"
         "   channel-group 1 mode active\r\ninterface Ethernet2\r\n   switchport access vlan 30\r\n"
         "   channel-group 1 mode active\r\n   shutdown\r\ninterface Ethernet3\r\n   speed forced "
         "10000full\r\n"
         "   switchport access vlan 20\r\ninterface Management1\r\n   ip address 192.0.2.1/24\r\n",
         "Ethernet1 R u=- t=10,20 d=uplink-a\n"
         "Ethernet2 R u=- t=10,20 off\n"
         "Ethernet3 S u=20 t=-\n",
         "host core\nlag Port-Channel1: Ethernet1 Ethernet2\n"},
        {"indented text and lines that lost their indentation", Dialect::CiscoIos,
         "  hostname pasted\n  interface GigabitEthernet1/0/1\n    switchport access vlan 30\n"
         "  interface GigabitEthernet1/0/2\n  description Lost indentation\n  shutdown\n"
         "  interface GigabitEthernet 1/0/3\n  switchport mode access\n",
         "GigabitEthernet1/0/1 R u=30 t=-\n"
         "GigabitEthernet1/0/2 R u=1 t=- d=Lost indentation off\n"
         "GigabitEthernet1/0/3 R u=1 t=-\n",
         "host pasted\nvlan 1 default\n"},
        {"lines not understood, secrets cut off", Dialect::CiscoIos,
         "interface GigabitEthernet1/0/1\n switchport mode private-vlan host\n"
         " standby 1 authentication md5 key-string s3cret\n switchport access vlan 5000\n frobnicate now\n"
         "interface Serial0/1/0\n"
         "interface FastEthernet0/1\n switchport trunk allowed vlan 1-x\n switchport mode trunk\n",
         "GigabitEthernet1/0/1 R u=1 t=-\nFastEthernet0/1 R u=1 t=2-4094\n",
         "host \nvlan 1 default\nline 2: switchport mode private-vlan host\n"
         "line 3: standby 1 authentication md5 ...\nline 4: switchport access vlan 5000\n"
         "line 5: frobnicate now\nline 6: interface Serial0/1/0\nline 8: switchport trunk allowed vlan "
         "1-x\n"},
    });
}

TEST(CiscoImport, NxOsDefaults) {
    run_cases({
        {"ports shut down unless said otherwise, Ethernet as SFP, port-channel members", Dialect::NxOs,
         "!Command: show running-config\nversion 9.3(8) Bios:version 05.45\nswitchname n9k-1\n"
         "feature lacp\nvlan 1,10,20\nvlan 10\n  name web\n"
         "interface port-channel10\n  switchport mode trunk\n  switchport trunk allowed vlan 10,20\n"
         "interface Ethernet1/1\n  switchport mode trunk\n  switchport trunk native vlan 10\n"
         "  channel-group 10 mode active\n  no shutdown\n"
         "interface Ethernet1/2\n  switchport access vlan 20\n"
         "interface Ethernet1/3\n  speed 1000\n  no shutdown\n"
         "interface mgmt0\n  vrf member management\n  ip address 192.0.2.5/24\n",
         "Ethernet1/1 S u=- t=10,20\n"
         "Ethernet1/2 S u=20 t=- off\n"
         "Ethernet1/3 R u=1 t=-\n",
         "host n9k-1\nvlan 1 default\nvlan 10 web\nvlan 20 VLAN0020\nlag port-channel10: Ethernet1/1\n"},
        {"routed and enabled by default when the text says so", Dialect::NxOs,
         "feature lacp\nno system default switchport\nno system default switchport shutdown\n"
         "interface Ethernet1/1\n  switchport\n  switchport access vlan 5\n"
         "interface Ethernet1/2\n  ip address 10.0.0.1/30\n",
         "Ethernet1/1 S u=5 t=-\nEthernet1/2 S u=- t=-\n", "host \n"},
    });
}

TEST(CiscoImport, NativeVlansSentTaggedAndAristaTrunkGroups) {
    run_cases({
        {"NX-OS `vlan dot1Q tag native`: no trunk sends a VLAN untagged", Dialect::NxOs,
         "feature lacp\nvlan dot1Q tag native\nvlan 1,10,20\n"
         "interface Ethernet1/1\n  switchport mode trunk\n  switchport trunk native vlan 10\n"
         "  switchport trunk allowed vlan 10,20\n  no shutdown\n"
         "interface Ethernet1/2\n  switchport mode trunk\n  switchport trunk native vlan 30\n"
         "  switchport trunk allowed vlan 10,20\n  no shutdown\n"
         "interface Ethernet1/3\n  switchport access vlan 20\n  no shutdown\n"
         "interface Ethernet1/4\n  switchport mode trunk\n  no switchport trunk native vlan tag\n"
         "  switchport trunk allowed vlan 1,10\n  no shutdown\n",
         "Ethernet1/1 S u=- t=10,20\nEthernet1/2 S u=- t=10,20\nEthernet1/3 S u=20 t=-\n"
         "Ethernet1/4 S u=1 t=10\n",
         "host \nvlan 1 default\nvlan 10 VLAN0010\nvlan 20 VLAN0020\n"},
        {"Arista: breakout lanes are cages, a trunk group's VLAN runs over its trunks only",
         Dialect::CiscoIos,
         "! device: leaf1 (DCS-7050SX-64, EOS-4.22.1F)\n!\nhostname leaf1\n!\nvlan 10,20\n!\n"
         "vlan 4094\n   trunk group mlagpeer\n!\n"
         "interface Port-Channel10\n   switchport mode trunk\n   switchport trunk allowed vlan 10,20\n"
         "   switchport trunk group mlagpeer\n!\n"
         "interface Ethernet1\n   switchport access vlan 10\n!\n"
         "interface Ethernet2\n   switchport mode trunk\n   switchport trunk allowed vlan 10,4094\n!\n"
         "interface Ethernet49/1\n   channel-group 10 mode active\n!\n"
         "interface Ethernet49/2\n   channel-group 10 mode active\n!\n"
         "interface Ethernet50/1\n   switchport mode trunk\n   switchport trunk native vlan 20\n"
         "   switchport trunk allowed vlan 10-20\n!\n",
         "Ethernet1 R u=10 t=-\nEthernet2 R u=- t=10\nEthernet49/1 S u=- t=10,20,4094\n"
         "Ethernet49/2 S u=- t=10,20,4094\nEthernet50/1 S u=20 t=10-19\n",
         "host leaf1\nvlan 10 VLAN0010\nvlan 20 VLAN0020\nvlan 4094 VLAN4094\n"
         "lag Port-Channel10: Ethernet49/1 Ethernet49/2\n"},
    });
}

} // namespace
} // namespace quarn
