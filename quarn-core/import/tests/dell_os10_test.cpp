#include <gtest/gtest.h>

#include "import/config_import.hpp"
#include "result_text.hpp"

namespace quarn {
namespace {

using testing::run_cases;

// A 10.4 leaf as `show running-configuration` writes it.
constexpr const char* k_release_10_4 =
    "! Version 10.4.3.2\n"
    "! Last configuration change at Jan  10 10:00:00 2020\n"
    "!\n"
    "ip vrf default\n"
    "!\n"
    "iscsi target port 860\n"
    "hostname leaf1\n"
    "system-user linuxadmin password ****\n"
    "username admin password **** role sysadmin priv-lvl 15\n"
    "!\n"
    "interface vlan1\n no shutdown\n!\n"
    "interface vlan10\n description Servers\n no shutdown\n!\n"
    "interface vlan20\n no shutdown\n!\n"
    "interface port-channel1\n description uplink\n no shutdown\n"
    " switchport mode trunk\n switchport access vlan 1\n"
    " switchport trunk allowed vlan 10,20\n!\n"
    "interface ethernet1/1/1\n description esx1\n no shutdown\n"
    " switchport mode trunk\n switchport access vlan 10\n"
    " switchport trunk allowed vlan 20\n flowcontrol receive on\n!\n"
    "interface ethernet1/1/2\n no shutdown\n switchport access vlan 20\n"
    " flowcontrol receive on\n!\n"
    "interface ethernet1/1/3\n shutdown\n switchport access vlan 1\n!\n"
    "interface ethernet1/1/4\n no shutdown\n switchport mode trunk\n"
    " no switchport access vlan\n switchport trunk allowed vlan 10,20\n!\n"
    "interface ethernet1/1/25\n no shutdown\n channel-group 1 mode active\n"
    " no switchport\n!\n"
    "interface ethernet1/1/26\n no shutdown\n channel-group 1 mode active\n"
    " no switchport\n!\n"
    "interface mgmt1/1/1\n no shutdown\n ip address 192.168.1.10/24\n!\n";

// A 10.5 leaf with a cage broken out, saved with CRLF, with a range typed
// by hand and no final line end.
constexpr const char* k_release_10_5 =
    "! Version 10.5.2.4\r\n"
    "!\r\n"
    "interface breakout 1/1/49 map 25g-4x\r\n"
    "hostname leaf2\r\n"
    "!\r\n"
    "interface vlan100\r\n description \"Storage A\"\r\n no shutdown\r\n!\r\n"
    "interface ethernet1/1/1\r\n no shutdown\r\n switchport mode trunk\r\n"
    " switchport trunk allowed vlan 100\r\n!\r\n"
    "interface ethernet1/1/2\r\n no shutdown\r\n no switchport\r\n"
    " ip address 10.1.1.1/31\r\n!\r\n"
    "interface ethernet1/1/49:1\r\n no shutdown\r\n"
    " switchport access vlan 100\r\n!\r\n"
    "interface ethernet1/1/49:2\r\n no shutdown\r\n switchport mode trunk\r\n"
    " switchport access vlan 100\r\n switchport trunk allowed vlan 100,200\r\n!\r\n"
    "interface range ethernet1/1/10-1/1/12\r\n no shutdown\r\n"
    " switchport access vlan 100\r\n speed 10000\r\n!\r\n"
    "interface ethernet1/1/13\r\n no shutdown\r\n fec off\r\n bogus-command";

TEST(DellOs10Import, LeavesOfTwoReleases) {
    run_cases({
        {"10.4: a trunk's access VLAN is its untagged VLAN, port-channel members, shut port",
         Dialect::DellOs10, k_release_10_4,
         "ethernet1/1/1 R u=10 t=20 d=esx1\n"
         "ethernet1/1/2 R u=20 t=-\n"
         "ethernet1/1/3 R u=1 t=- off\n"
         "ethernet1/1/4 R u=- t=10,20\n"
         "ethernet1/1/25 R u=1 t=10,20\n"
         "ethernet1/1/26 R u=1 t=10,20\n",
         "host leaf1\nvlan 1 default\nvlan 10 Servers\nvlan 20 VLAN0020\n"
         "lag port-channel1: ethernet1/1/25 ethernet1/1/26\n",
         true},
        {"10.5: trunk without tagged VLANs, routed port, breakout lanes, a range, never both",
         Dialect::DellOs10, k_release_10_5,
         "ethernet1/1/1 R u=1 t=100\n"
         "ethernet1/1/2 R u=- t=-\n"
         "ethernet1/1/49:1 S u=100 t=-\n"
         "ethernet1/1/49:2 S u=100 t=200\n"
         "ethernet1/1/10 S u=100 t=-\n"
         "ethernet1/1/11 S u=100 t=-\n"
         "ethernet1/1/12 S u=100 t=-\n"
         "ethernet1/1/13 R u=1 t=-\n",
         "host leaf2\nvlan 1 default\nvlan 100 Storage A\nline 38: bogus-command\n", true},
    });
}

} // namespace
} // namespace quarn
