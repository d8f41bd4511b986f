#include <gtest/gtest.h>

#include "import/config_import.hpp"
#include "result_text.hpp"

namespace quarn {
namespace {

using testing::run_cases;

// An x510 on 5.4.4: ports with the same settings grouped into ranges.
constexpr const char* k_release_5_4 =
    "!\n"
    "service password-encryption\n"
    "!\n"
    "hostname x510-core\n"
    "!\n"
    "log buffered min-severity informational\n"
    "!\n"
    "username manager privilege 15 password 8 $1$bJoVec4D$JwOJGPr7Yq\n"
    "!\n"
    "stack virtual-chassis-id 1012\n"
    "!\n"
    "vlan database\n"
    " vlan 10 name Staff\n"
    " vlan 20 name Guests\n"
    " vlan 30-31 state enable\n"
    "!\n"
    "interface port1.0.1-1.0.4\n switchport\n switchport mode access\n"
    " switchport access vlan 10\n!\n"
    "interface port1.0.21\n switchport\n switchport mode access\n"
    " switchport access vlan 20\n shutdown\n!\n"
    "interface port1.0.22\n description AP-lobby\n switchport\n"
    " switchport mode trunk\n switchport trunk allowed vlan add 10,20\n"
    " switchport trunk native vlan 30\n!\n"
    "interface port1.0.23-1.0.24\n switchport\n switchport mode trunk\n"
    " switchport trunk allowed vlan add 10,20,30\n static-channel-group 1\n!\n"
    "interface port1.1.1-1.1.2\n switchport\n switchport mode trunk\n"
    " switchport trunk allowed vlan add 10,20\n"
    " switchport trunk native vlan none\n channel-group 2 mode active\n!\n"
    "interface sa1\n switchport\n switchport mode trunk\n"
    " switchport trunk allowed vlan add 10,20,30\n!\n"
    "interface po2\n switchport\n switchport mode trunk\n"
    " switchport trunk allowed vlan add 10,20\n"
    " switchport trunk native vlan none\n!\n"
    "interface vlan10\n ip address 192.168.10.1/24\n!\n"
    "end\n";

// An x930 on 5.5 with a list of names, saved with CRLF and without a final
// line end.
constexpr const char* k_release_5_5 =
    "!\r\n"
    "hostname x930\r\n"
    "!\r\n"
    "atmf network-name campus\r\n"
    "!\r\n"
    "vlan database\r\n"
    " vlan 100 name Servers\r\n"
    " vlan 200 name Backup\r\n"
    "!\r\n"
    "interface port1.0.1,port1.0.3-1.0.4\r\n switchport\r\n"
    " switchport mode access\r\n switchport access vlan 100\r\n!\r\n"
    "interface port1.0.2\r\n switchport\r\n switchport mode trunk\r\n"
    " switchport trunk allowed vlan all\r\n switchport trunk native vlan 100\r\n!\r\n"
    "interface port1.0.5\r\n switchport\r\n switchport mode trunk\r\n"
    " switchport trunk allowed vlan add 100,200\r\n"
    " switchport trunk allowed vlan remove 200\r\n!\r\n"
    "interface port1.0.6\r\n switchport\r\n switchport mode access\r\n"
    " switchport access vlan 4095\r\n!\r\n"
    "interface eth0\r\n ip address 10.0.0.5/24\r\n!\r\n"
    "end";

TEST(AlliedWareImport, ReleasesFivePointFourAndFive) {
    run_cases({
        {"5.4: ranges, native always untagged or none, static and LACP channels, shut port",
         Dialect::AlliedWare, k_release_5_4,
         "port1.0.1 R u=10 t=-\nport1.0.2 R u=10 t=-\nport1.0.3 R u=10 t=-\nport1.0.4 R u=10 t=-\n"
         "port1.0.21 R u=20 t=- off\n"
         "port1.0.22 R u=30 t=10,20 d=AP-lobby\n"
         "port1.0.23 R u=1 t=10,20,30\nport1.0.24 R u=1 t=10,20,30\n"
         "port1.1.1 S u=- t=10,20\nport1.1.2 S u=- t=10,20\n",
         "host x510-core\nvlan 1 default\nvlan 10 Staff\nvlan 20 Guests\nvlan 30 VLAN0030\nvlan 31 VLAN0031\n"
         "lag sa1: port1.0.23 port1.0.24\nlag po2: port1.1.1 port1.1.2\n",
         true},
        {"5.5: lists of names, all VLANs made, add and remove, a VLAN out of range", Dialect::AlliedWare,
         k_release_5_5,
         "port1.0.1 R u=100 t=-\nport1.0.3 R u=100 t=-\nport1.0.4 R u=100 t=-\n"
         "port1.0.2 R u=100 t=1,200\n"
         "port1.0.5 R u=1 t=100\n"
         "port1.0.6 R u=1 t=-\n",
         "host x930\nvlan 1 default\nvlan 100 Servers\nvlan 200 Backup\n"
         "line 30: switchport access vlan 4095\n",
         true},
    });
}

} // namespace
} // namespace quarn
