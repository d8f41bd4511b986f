#include <gtest/gtest.h>

#include "import/config_import.hpp"
#include "result_text.hpp"

namespace quarn {
namespace {

using testing::run_cases;

// An SG300 on firmware 1.4: a port without a mode is a trunk, which sends
// its native VLAN untagged and carries what `add` adds.
constexpr const char* k_firmware_1 =
    "config-file-header\n"
    "sg300-lab\n"
    "v1.4.11.5 / R800_NIK_1_4_202_008\n"
    "CLI v1.0\n"
    "set system mode switch\n"
    "\n"
    "file SSD indicator encrypted\n"
    "@\n"
    "ssd-control-start\n"
    "ssd config\n"
    "ssd file passphrase control unrestricted\n"
    "no ssd file integrity control\n"
    "ssd-control-end cb0a3fdb1f3a1af4e4430033719968c0\n"
    "!\n"
    "vlan database\n"
    "vlan 10,20,30\n"
    "exit\n"
    "voice vlan oui-table add 0001e3 Siemens_AG_phone________\n"
    "hostname sg300-lab\n"
    "username cisco password encrypted 5baa61e4c9b93f3f privilege 15\n"
    "ip ssh server\n"
    "!\n"
    "interface vlan 10\n name Office\n!\n"
    "interface vlan 20\n name Phones\n!\n"
    "interface gigabitethernet1\n description Uplink\n"
    " switchport trunk allowed vlan add 10,20\n!\n"
    "interface gigabitethernet2\n switchport mode access\n"
    " switchport access vlan 10\n!\n"
    "interface gigabitethernet3\n switchport mode general\n"
    " switchport general allowed vlan add 20 tagged\n"
    " switchport general allowed vlan add 10 untagged\n"
    " switchport general pvid 10\n!\n"
    "interface gigabitethernet4\n shutdown\n switchport trunk native vlan 30\n"
    " switchport trunk allowed vlan add 10\n!\n"
    "interface gigabitethernet5\n channel-group 1 mode auto\n!\n"
    "interface gigabitethernet6\n channel-group 1 mode auto\n!\n"
    "interface Port-channel1\n switchport trunk allowed vlan add 20,30\n!\n"
    "exit\n";

// A CBS350 stack on firmware 3.2, saved with CRLF and without a final line
// end: a port without a mode is an access port, a trunk carries every VLAN
// the switch has.
constexpr const char* k_firmware_3 =
    "config-file-header\r\n"
    "cbs350-floor3\r\n"
    "v3.2.1.1 / RCBS3.2hotfix_950_377_136\r\n"
    "CLI v1.0\r\n"
    "file SSD indicator encrypted\r\n"
    "@\r\n"
    "!\r\n"
    "unit-type-control-start\r\n"
    "unit-type unit 1 network gi uplink te\r\n"
    "unit-type-control-end\r\n"
    "!\r\n"
    "vlan database\r\n"
    "vlan 10,20,99\r\n"
    "exit\r\n"
    "voice vlan state auto-triggered\r\n"
    "hostname cbs350-floor3\r\n"
    "!\r\n"
    "interface vlan 99\r\n name Management\r\n"
    " ip address 10.99.0.3 255.255.255.0\r\n!\r\n"
    "interface GigabitEthernet1/0/1\r\n description \"Desk 12\"\r\n"
    " switchport access vlan 10\r\n!\r\n"
    "interface GigabitEthernet1/0/2\r\n switchport mode general\r\n"
    " switchport general allowed vlan add 10,20 tagged\r\n!\r\n"
    "interface GigabitEthernet1/0/3\r\n switchport mode trunk\r\n"
    " switchport trunk native vlan 99\r\n"
    " switchport trunk allowed vlan 10,20\r\n!\r\n"
    "interface GigabitEthernet1/0/4\r\n switchport mode trunk\r\n!\r\n"
    "interface GigabitEthernet1/0/5\r\n switchport mode general\r\n"
    " switchport forbidden default-vlan\r\n"
    " switchport general allowed vlan add 20 untagged\r\n"
    " switchport general pvid 20\r\n!\r\n"
    "interface TenGigabitEthernet1/0/1\r\n channel-group 2 mode auto\r\n!\r\n"
    "interface TenGigabitEthernet1/0/2\r\n channel-group 2 mode auto\r\n!\r\n"
    "interface Port-channel2\r\n switchport mode trunk\r\n"
    " switchport trunk allowed vlan 1,10,20,99\r\n!\r\n"
    "exit";

TEST(CiscoSbImport, FirmwareOneAndThree) {
    run_cases({
        {"1.4: trunks by default, native always untagged, general port, LAG", Dialect::CiscoSb, k_firmware_1,
         "gigabitethernet1 R u=1 t=10,20 d=Uplink\n"
         "gigabitethernet2 R u=10 t=-\n"
         "gigabitethernet3 R u=10 t=20\n"
         "gigabitethernet4 R u=30 t=10 off\n"
         "gigabitethernet5 R u=1 t=20,30\n"
         "gigabitethernet6 R u=1 t=20,30\n",
         "host sg300-lab\nvlan 1 default\nvlan 10 Office\nvlan 20 Phones\nvlan 30 VLAN0030\n"
         "lag Port-channel1: gigabitethernet5 gigabitethernet6\n",
         true},
        {"3.2: access by default, native outside the list, general without the default VLAN",
         Dialect::CiscoSb, k_firmware_3,
         "GigabitEthernet1/0/1 R u=10 t=- d=Desk 12\n"
         "GigabitEthernet1/0/2 R u=1 t=10,20\n"
         "GigabitEthernet1/0/3 R u=- t=10,20\n"
         "GigabitEthernet1/0/4 R u=1 t=10,20,99\n"
         "GigabitEthernet1/0/5 R u=20 t=-\n"
         "TenGigabitEthernet1/0/1 S u=1 t=10,20,99\n"
         "TenGigabitEthernet1/0/2 S u=1 t=10,20,99\n",
         "host cbs350-floor3\nvlan 1 default\nvlan 10 VLAN0010\nvlan 20 VLAN0020\nvlan 99 Management\n"
         "lag Port-channel2: TenGigabitEthernet1/0/1 TenGigabitEthernet1/0/2\n",
         true},
        {"ranges typed by hand, untagged VLANs the map cannot show", Dialect::CiscoSb,
         "interface range gi1/0/1-3\n switchport mode access\n switchport access vlan 20\n!\n"
         "interface gi1/0/4\n switchport mode general\n switchport general allowed vlan add 20,30 untagged\n"
         " switchport general pvid 30\n frobnicate\n!\n",
         "gi1/0/1 R u=20 t=-\ngi1/0/2 R u=20 t=-\ngi1/0/3 R u=20 t=-\ngi1/0/4 R u=30 t=-\n",
         "host \nline 7: switchport general allowed vlan add 20,30 untagged\nline 9: frobnicate\n"},
    });
}

} // namespace
} // namespace quarn
