#include <gtest/gtest.h>

#include "import/config_import.hpp"
#include "result_text.hpp"

namespace quarn {
namespace {

using testing::run_cases;

TEST(RouterOsImport, BridgeVlanFilteringExports) {
    const std::vector<testing::ImportCase> cases = {
        {"RouterOS 7: renamed and disabled ports, a bonding, tagged-only ports, continued lines",
         Dialect::RouterOs,
         "# 2024-03-05 09:12:44 by RouterOS 7.14\n# software id = AB12-CD34\n#\n# model = CRS328-24P-4S+\n"
         "# serial number = HEX0123456\n/interface bridge\n"
         "add admin-mac=48:A9:8A:00:00:01 auto-mac=no comment=defconf name=bridge1 \\\n"
         "    vlan-filtering=yes\n/interface ethernet\n"
         "set [ find default-name=ether1 ] comment=\"Uplink to \\\"core\\\" A\"\n"
         "set [ find default-name=ether5 ] disabled=yes\n"
         "set [ find default-name=sfp-sfpplus1 ] name=sfp1-core\n/interface bonding\n"
         "add mode=802.3ad name=bond-srv slaves=ether23,ether24 transmit-hash-policy=\\\n    layer-2-and-3\n"
         "/interface vlan\nadd interface=bridge1 name=mgmt vlan-id=99\n/interface bridge port\n"
         "add bridge=bridge1 interface=ether1 frame-types=admit-only-vlan-tagged\n"
         "add bridge=bridge1 interface=ether2 pvid=10 frame-types=\\\n"
         "    admit-only-untagged-and-priority-tagged\nadd bridge=bridge1 interface=ether3 pvid=10\n"
         "add bridge=bridge1 interface=ether4 pvid=20\nadd bridge=bridge1 interface=ether5 pvid=20\n"
         "add bridge=bridge1 interface=bond-srv\n"
         "add bridge=bridge1 interface=sfp1-core frame-types=admit-only-vlan-tagged\n"
         "add bridge=bridge1 disabled=yes interface=ether6 pvid=30\n/interface bridge vlan\n"
         "add bridge=bridge1 tagged=bridge1,ether1,sfp1-core,bond-srv vlan-ids=10,20\n"
         "add bridge=bridge1 tagged=ether1,sfp1-core untagged=ether3 vlan-ids=30-32\n"
         "add bridge=bridge1 tagged=bridge1,ether1,sfp1-core,ether2,ether3,ether4,ether5,\\\n"
         "    bond-srv vlan-ids=99\n/ip address\n"
         "add address=192.168.99.2/24 interface=mgmt network=192.168.99.0\n"
         "add address=10.0.0.2/30 interface=ether8 network=10.0.0.0\n/system identity\nset name=crs-floor2\n",
         "ether1 R u=- t=10,20,30-32,99 d=Uplink to \"core\" A\nether2 R u=10 t=99\nether3 R u=10 t=99\n"
         "ether4 R u=20 t=99\nether5 R u=20 t=99 off\nether8 R u=- t=-\nether23 R u=1 t=10,20,99\n"
         "ether24 R u=1 t=10,20,99\nsfp-sfpplus1 S u=- t=10,20,30-32,99 d=sfp1-core\n",
         "host crs-floor2\nvlan 1 default\nvlan 10 VLAN10\nvlan 20 VLAN20\nvlan 30 VLAN30\nvlan 31 VLAN31\n"
         "vlan 32 VLAN32\nvlan 99 mgmt\nlag bond-srv: ether23 ether24\n"
         "line 30: add bridge=bridge1 tagged=ether1,sfp1-core untagged=ether3 vlan-ids=30-32\n"},
        {"RouterOS 6: filtering switched on at the end, a wireless bridge port, a WAN port, CRLF, no final "
         "newline",
         Dialect::RouterOs,
         "# jan/02/1970 00:04:12 by RouterOS 6.48.6\r\n# software id = 7Z1K-QX5R\r\n#\r\n"
         "# model = CRS326-24G-2S+\r\n/interface bridge\r\nadd name=BR1 protocol-mode=none\r\n"
         "/interface ethernet\r\nset [ find default-name=ether24 ] name=ether24-uplink\r\n"
         "/interface bridge port\r\nadd bridge=BR1 interface=ether1 pvid=200\r\n"
         "add bridge=BR1 interface=ether2 pvid=300\r\nadd bridge=BR1 interface=ether24-uplink\r\n"
         "add bridge=BR1 interface=wlan1\r\n/interface bridge vlan\r\n"
         "add bridge=BR1 tagged=ether24-uplink untagged=ether1 vlan-ids=200\r\n"
         "add bridge=BR1 tagged=ether24-uplink untagged=ether2 vlan-ids=300\r\n"
         "add bridge=BR1 tagged=BR1,ether24-uplink vlan-ids=99\r\n"
         "/interface bridge set BR1 vlan-filtering=yes\r\n/interface list member\r\n"
         "add interface=ether9 list=WAN\r\n/ip dhcp-client add disabled=no interface=ether9\r\n"
         "/system identity\r\nset name=SW-Lab",
         "ether1 R u=200 t=-\nether2 R u=300 t=-\nether9 R u=- t=-\nether24 R u=1 t=99,200,300 "
         "d=ether24-uplink\n",
         "host SW-Lab\nvlan 1 default\nvlan 99 VLAN99\nvlan 200 VLAN200\nvlan 300 VLAN300\n"},
        {"a bridge without VLAN filtering: one untagged VLAN, its table unused", Dialect::RouterOs,
         "/interface bridge\nadd name=bridge\n/interface bridge port\n"
         "add bridge=bridge interface=ether2 pvid=10\nadd bridge=bridge interface=ether3\n"
         "/interface bridge vlan\nadd bridge=bridge tagged=ether2 vlan-ids=10\n"
         "add bridge=bridge tagged=ether2 vlan-ids=ten\n",
         "ether2 R u=1 t=-\nether3 R u=1 t=-\n",
         "host \nvlan 1 default\nline 8: add bridge=bridge tagged=ether2 vlan-ids=ten\n"},
    };
    run_cases(cases);
    for (const testing::ImportCase& c : cases)
        EXPECT_EQ(detect_dialect(c.config), Dialect::RouterOs) << c.name;
}

} // namespace
} // namespace quarn
