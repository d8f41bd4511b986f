#include <gtest/gtest.h>

#include "import/config_import.hpp"
#include "result_text.hpp"

namespace quarn {
namespace {

using testing::run_cases;

TEST(FastIronImport, OlderAndNewerFirmware) {
    const std::vector<testing::ImportCase> cases = {
        {"FastIron 07: VLANs name the trunk's ports, dual-mode, stacking ports, a routed port",
         Dialect::FastIron,
         "Current configuration:\n!\nver 07.4.00fT7f3\n!\nstack unit 1\n"
         "  module 1 fcx-624s-poe-port-management-module\n  module 2 fcx-sfp-plus-4port-10g-module\n"
         "  stack-port 1/2/1 1/2/2\n!\nglobal-stp\n!\nvlan 1 name DEFAULT-VLAN by port\n!\n"
         "vlan 10 name Staff by port\n tagged ethe 1/1/21 ethe 1/2/3 to 1/2/4 \n"
         " untagged ethe 1/1/1 to 1/1/8 ethe 1/1/12 \n router-interface ve 10\n!\n"
         "vlan 20 name Voice by port\n tagged ethe 1/1/1 to 1/1/8 ethe 1/1/21 ethe 1/2/3 to 1/2/4 \n"
         " untagged ethe 1/1/30 to 1/1/25 \n!\n"
         "vlan 30 name Printers by port\n tagged ethe 1/1/20 ethe 1/2/3 to 1/2/4 \n!\n"
         "hostname FCX-Closet2\ntrunk ethe 1/2/3 to 1/2/4 \n!\n"
         "username admin password 8 $1$Xy$abc\nsnmp-server community 2 $Un1x public ro\n!\n"
         "interface ethernet 1/1/5\n port-name Lobby kiosk\n disable\n!\n"
         "interface ethernet 1/1/20\n dual-mode 30\n!\ninterface ethernet 1/1/21\n dual-mode 30\n!\n"
         "interface ethernet 1/1/22\n ip address 10.9.0.1 255.255.255.252\n!\n"
         "interface ve 10\n ip address 10.10.0.1 255.255.255.0\n!\nend\n",
         "1/1/1 R u=10 t=20\n1/1/2 R u=10 t=20\n1/1/3 R u=10 t=20\n1/1/4 R u=10 t=20\n"
         "1/1/5 R u=10 t=20 d=Lobby kiosk off\n1/1/6 R u=10 t=20\n1/1/7 R u=10 t=20\n1/1/8 R u=10 t=20\n"
         "1/1/9 R u=1 t=-\n1/1/10 R u=1 t=-\n1/1/11 R u=1 t=-\n1/1/12 R u=10 t=-\n1/1/13 R u=1 t=-\n"
         "1/1/14 R u=1 t=-\n1/1/15 R u=1 t=-\n1/1/16 R u=1 t=-\n1/1/17 R u=1 t=-\n1/1/18 R u=1 t=-\n"
         "1/1/19 R u=1 t=-\n1/1/20 R u=30 t=-\n1/1/21 R u=- t=10,20\n1/1/22 R u=- t=-\n1/1/23 R u=1 t=-\n"
         "1/1/24 R u=1 t=-\n1/2/1 S u=- t=-\n1/2/2 S u=- t=-\n1/2/3 S u=- t=10,20,30\n1/2/4 S u=- "
         "t=10,20,30\n",
         "host FCX-Closet2\nvlan 1 DEFAULT-VLAN\nvlan 10 Staff\nvlan 20 Voice\nvlan 30 Printers\n"
         "lag Trunk1: 1/2/3 1/2/4\nline 21: untagged ethe 1/1/30 to 1/1/25\n"},
        {"ICX 08.0.95: a LAG named in the VLANs, a default VLAN moved to 4000, CRLF, no final newline",
         Dialect::FastIron,
         "Current configuration:\r\n!\r\nver 08.0.95bT213\r\n!\r\nstack unit 1\r\n"
         "  module 1 icx7150-c12-poe-port-management-module\r\n  module 2 icx7150-2-copper-port-2g-module\r\n"
         "  module 3 icx7150-2-sfp-plus-port-20g-module\r\n!\r\n!\r\n"
         "lag \"core-uplink\" dynamic id 1\r\n ports ethe 1/3/1 to 1/3/2 \r\n primary-port 1/3/1\r\n "
         "deploy\r\n"
         " port-name \"Core A\" ethernet 1/3/1\r\n!\r\ndefault-vlan-id 4000\r\n!\r\n"
         "vlan 1 name Legacy by port\r\n untagged ethe 1/1/11 to 1/1/12 \r\n!\r\n"
         "vlan 100 name Users by port\r\n tagged lag 1 \r\n untagged ethe 1/1/1 to 1/1/8 \r\n"
         " spanning-tree 802-1w\r\n!\r\nvlan 200 name Guest by port\r\n tagged ethe 1/2/1 lag 1 \r\n!\r\n"
         "vlan 4000 name DEFAULT-VLAN by port\r\n!\r\nhostname icx-floor1\r\n!\r\n"
         "interface ethernet 1/1/3\r\n port-name Reception\r\n speed-duplex 100-full\r\n frobnicate "
         "now\r\n!\r\n"
         "interface ethernet 1/1/10\r\n disable\r\n!\r\ninterface ethernet 1/2/1\r\n dual-mode "
         "200\r\n!\r\nend",
         "1/1/1 R u=100 t=-\n1/1/2 R u=100 t=-\n1/1/3 R u=100 t=- d=Reception\n1/1/4 R u=100 t=-\n"
         "1/1/5 R u=100 t=-\n1/1/6 R u=100 t=-\n1/1/7 R u=100 t=-\n1/1/8 R u=100 t=-\n1/1/9 R u=4000 t=-\n"
         "1/1/10 R u=4000 t=- off\n1/1/11 R u=1 t=-\n1/1/12 R u=1 t=-\n1/2/1 R u=200 t=-\n1/2/2 R u=4000 "
         "t=-\n"
         "1/3/1 S u=- t=100,200 d=Core A\n1/3/2 S u=- t=100,200\n",
         "host icx-floor1\nvlan 1 Legacy\nvlan 100 Users\nvlan 200 Guest\nvlan 4000 DEFAULT-VLAN\n"
         "lag core-uplink: 1/3/1 1/3/2\nline 37: frobnicate now\n"},
        {"FastIron 10: VLANs given in the interfaces, a dual-mode VLAN the port does not carry",
         Dialect::FastIron,
         "ver 10.0.10aT253\n!\nstack unit 1\n  module 1 icx8200-24p-poe-port-management-module\n"
         "  module 2 icx8200-4-sfp-plus-port-40g-module\n!\nlag srv static id 5\n ports ethe 1/2/3 ethe "
         "1/2/4 \n!\n"
         "vlan 10 name Data by port\nvlan 20 name Voice by port\nvlan 30 name Mgmt by port\n!\n"
         "hostname core-icx\n!\ninterface ethernet 1/1/1\n vlan-config add untagged-vlan 10\n"
         " vlan-config add tagged-vlan 20\n!\ninterface ethernet 1/1/2 to 1/1/4\n vlan-config add "
         "untagged-vlan 30\n!\n"
         "interface ethernet 1/2/1\n vlan-config add tagged-vlan 10 to 30\n dual-mode 99\n!\n"
         "interface lag 5\n port-name servers\n vlan-config add all-tagged\n!\n"
         "interface ethernet 1/2/2\n vlan-config add tagged-vlan 10 to\n!\n",
         "1/1/1 R u=10 t=20\n1/1/2 R u=30 t=-\n1/1/3 R u=30 t=-\n1/1/4 R u=30 t=-\n1/1/5 R u=1 t=-\n"
         "1/1/6 R u=1 t=-\n1/1/7 R u=1 t=-\n1/1/8 R u=1 t=-\n1/1/9 R u=1 t=-\n1/1/10 R u=1 t=-\n1/1/11 R u=1 "
         "t=-\n"
         "1/1/12 R u=1 t=-\n1/1/13 R u=1 t=-\n1/1/14 R u=1 t=-\n1/1/15 R u=1 t=-\n1/1/16 R u=1 t=-\n"
         "1/1/17 R u=1 t=-\n1/1/18 R u=1 t=-\n1/1/19 R u=1 t=-\n1/1/20 R u=1 t=-\n1/1/21 R u=1 t=-\n"
         "1/1/22 R u=1 t=-\n1/1/23 R u=1 t=-\n1/1/24 R u=1 t=-\n1/2/1 S u=- t=10-30\n1/2/2 S u=1 t=-\n"
         "1/2/3 S u=- t=10,20,30\n1/2/4 S u=- t=10,20,30\n",
         "host core-icx\nvlan 1 DEFAULT-VLAN\nvlan 10 Data\nvlan 20 Voice\nvlan 30 Mgmt\nlag srv: 1/2/3 "
         "1/2/4\n"
         "line 32: vlan-config add tagged-vlan 10 to\n"},
        {"no module lines: only the ports the text names, a range written out with its keyword",
         Dialect::FastIron,
         "vlan 5 by port\n untagged ethernet 1/1/1 to ethernet 1/1/2\n tagged ethe 1/1/3\n!\n"
         "interface ethernet 1/1/4\n dual-mode\n!\n",
         "1/1/1 R u=5 t=-\n1/1/2 R u=5 t=-\n1/1/3 R u=- t=5\n1/1/4 R u=1 t=-\n",
         "host \nvlan 1 DEFAULT-VLAN\nvlan 5 VLAN5\n"},
        {"stacking links named as a range", Dialect::FastIron,
         "stack unit 1\n  stack-trunk 1/2/1 to 1/2/2\n!\nvlan 5 by port\n untagged ethe 1/1/1\n",
         "1/1/1 R u=5 t=-\n1/2/1 R u=- t=-\n1/2/2 R u=- t=-\n", "host \nvlan 5 VLAN5\n"},
    };
    run_cases(cases);
    for (const testing::ImportCase& c : cases)
        EXPECT_EQ(detect_dialect(c.config), Dialect::FastIron) << c.name;
}

} // namespace
} // namespace quarn
