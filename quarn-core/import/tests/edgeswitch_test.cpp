#include <gtest/gtest.h>

#include "import/config_import.hpp"
#include "result_text.hpp"

namespace quarn {
namespace {

using testing::run_cases;

// An EdgeSwitch 24 Lite on firmware 1.7.
constexpr const char* k_edgeswitch =
    "!Current Configuration:\n"
    "!\n"
    "!System Description \"EdgeSwitch 24-Port Lite, 1.7.3.5045837, Linux 3.6.5-1b505fb7, 0.0.0.0000000\"\n"
    "!System Software Version \"1.7.3.5045837\"\n"
    "!Additional Packages     QOS,IPv6 Management,Routing\n"
    "!\n"
    "network protocol none\n"
    "network parms 192.168.1.2 255.255.255.0 192.168.1.1\n"
    "vlan database\n"
    "vlan 10,20,30\n"
    "vlan name 10 \"Office\"\n"
    "vlan name 20 \"Phones\"\n"
    "exit\n"
    "\n"
    "network mgmt_vlan 30\n"
    "configure\n"
    "hostname \"es-office\"\n"
    "line console\n"
    "exit\n"
    "username \"ubnt\" password 5f4dcc3b5aa765d61d8327deb882cf99 level 15 encryption\n"
    "!\n"
    "interface 0/1\ndescription 'Reception PC'\nvlan pvid 10\nvlan participation exclude 1\n"
    "vlan participation include 10\nexit\n"
    "!\n"
    "interface 0/2\nvlan participation include 10,20\nvlan tagging 10,20\nexit\n"
    "!\n"
    "interface 0/3\nshutdown\nexit\n"
    "!\n"
    "interface 0/4\nvlan pvid 20\nvlan participation include 10\nvlan tagging 10\nexit\n"
    "!\n"
    "interface 0/5\nvlan participation include 20,30\nexit\n"
    "!\n"
    "interface 0/25\naddport 3/1\nexit\n"
    "!\n"
    "interface 0/26\naddport 3/1\nexit\n"
    "!\n"
    "interface 3/1\ndescription 'uplink'\nno port-channel static\nvlan participation include 10,20,30\n"
    "vlan tagging 10,20,30\nexit\n"
    "!\n"
    "exit\n";

// A NETGEAR M4300 stack on 12.0 that sets every port at once, saved with
// CRLF and without a final line end.
constexpr const char* k_netgear =
    "!Current Configuration:\r\n"
    "!\r\n"
    "!System Description \"M4300-28G ProSAFE 24-port 1G and 4-port 10G Stackable Managed Switch, 12.0.9.3, "
    "B1.0.0.4\"\r\n"
    "!System Software Version \"12.0.9.3\"\r\n"
    "!\r\n"
    "configure\r\n"
    "vlan database\r\n"
    "vlan 100,200\r\n"
    "vlan name 100 \"Cameras\"\r\n"
    "exit\r\n"
    "hostname \"m4300-a\"\r\n"
    "stack\r\nmember 1 8\r\nexit\r\n"
    "slot 1/0 8\r\n"
    "vlan port tagging all 200\r\n"
    "vlan port participation all include 200\r\n"
    "!\r\n"
    "interface 1/0/1\r\nvlan pvid 100\r\nvlan participation include 100\r\nexit\r\n"
    "!\r\n"
    "interface 1/0/2\r\nno vlan tagging 200\r\nvlan participation exclude 200\r\nexit\r\n"
    "!\r\n"
    "interface 1/0/3\r\nvlan participation exclude 1\r\nvlan participation include 100\r\nexit\r\n"
    "!\r\n"
    "interface 1/0/25\r\naddport lag 1\r\nexit\r\n"
    "!\r\n"
    "interface 1/0/26\r\naddport lag 1\r\nexit\r\n"
    "!\r\n"
    "interface lag 1\r\ndescription 'core'\r\nexit\r\n"
    "!\r\n"
    "exit";

TEST(EdgeSwitchImport, EdgeSwitchAndNetgear) {
    run_cases({
        {"EdgeSwitch: participation and tagging, PVID outside the members, LAG 3/1", Dialect::EdgeSwitch,
         k_edgeswitch,
         "0/1 R u=10 t=- d=Reception PC\n"
         "0/2 R u=1 t=10,20\n"
         "0/3 R u=1 t=- off\n"
         "0/4 R u=- t=10\n"
         "0/5 R u=1 t=-\n"
         "0/25 R u=1 t=10,20,30\n"
         "0/26 R u=1 t=10,20,30\n",
         "host es-office\nvlan 1 default\nvlan 10 Office\nvlan 20 Phones\nvlan 30 VLAN0030\n"
         "lag 3/1: 0/25 0/26\nline 45: vlan participation include 20,30\n",
         true},
        {"NETGEAR: every port at once, then each its own, lag 1", Dialect::EdgeSwitch, k_netgear,
         "1/0/1 R u=100 t=200\n"
         "1/0/2 R u=1 t=-\n"
         "1/0/3 R u=- t=200\n"
         "1/0/25 R u=1 t=200\n"
         "1/0/26 R u=1 t=200\n",
         "host m4300-a\nvlan 1 default\nvlan 100 Cameras\nvlan 200 VLAN0200\n"
         "lag lag 1: 1/0/25 1/0/26\nline 31: vlan participation include 100\n",
         true},
        {"NETGEAR's access and trunk modes in Cisco IOS words", Dialect::EdgeSwitch,
         "vlan database\nvlan 100,200\nexit\n"
         "interface 1/0/5\nswitchport mode access\nswitchport access vlan 100\nexit\n"
         "interface 1/0/6\nswitchport mode trunk\nswitchport trunk native vlan 100\nexit\n"
         "interface 1/0/7\nswitchport mode general\nvlan participation include 200\nvlan tagging 200\nexit\n",
         "1/0/5 R u=100 t=-\n1/0/6 R u=100 t=1,200\n1/0/7 R u=1 t=200\n",
         "host \nvlan 1 default\nvlan 100 VLAN0100\nvlan 200 VLAN0200\n"},
    });
}

} // namespace
} // namespace quarn
