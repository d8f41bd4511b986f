#include <gtest/gtest.h>

#include "import/config_import.hpp"
#include "result_text.hpp"

namespace quarn {
namespace {

using testing::run_cases;

TEST(ExosImport, ReadInOrder) {
    const std::vector<testing::ImportCase> cases = {
        {"EXOS 15, one switch: Default keeps the ports not moved, a LAG's VLANs on its master port",
         Dialect::Exos,
         "#\n# Module devmgr configuration.\n#\nconfigure snmp sysName \"X450e-Closet\"\n"
         "configure snmp sysContact \"noc@example.org\"\n#\n# Module vlan configuration.\n#\n"
         "configure vlan Default delete ports 1-12,47-48\nconfigure vr VR-Default add ports 1-48\n"
         "create vlan \"Data\"\nconfigure vlan Data tag 10\ncreate vlan \"Voice\"\n"
         "configure vlan Voice tag 20\ncreate vlan \"Uplink-Only\"\n"
         "enable sharing 47 grouping 47-48 algorithm address-based L3 lacp\n"
         "configure vlan Data add ports 1-12 untagged\nconfigure vlan Voice add ports 1-12,47 tagged\n"
         "configure vlan Data add ports 47 tagged\nconfigure vlan Default add ports 47 tagged\n"
         "configure vlan Uplink-Only add ports 47 tagged\n"
         "configure vlan Data ipaddress 10.1.10.2 255.255.255.0\nconfigure vlan Guest add ports 15 untagged\n"
         "#\n# Module vlan configuration.\n#\nconfigure ports 5 display-string \"Lobby\"\n"
         "configure ports 13 auto off speed 100 duplex full\ndisable ports 12\n",
         "1 R u=10 t=20\n2 R u=10 t=20\n3 R u=10 t=20\n4 R u=10 t=20\n5 R u=10 t=20 d=Lobby\n"
         "6 R u=10 t=20\n7 R u=10 t=20\n8 R u=10 t=20\n9 R u=10 t=20\n10 R u=10 t=20\n11 R u=10 t=20\n"
         "12 R u=10 t=20 off\n13 R u=1 t=-\n14 R u=1 t=-\n15 R u=1 t=-\n16 R u=1 t=-\n17 R u=1 t=-\n"
         "18 R u=1 t=-\n19 R u=1 t=-\n20 R u=1 t=-\n21 R u=1 t=-\n22 R u=1 t=-\n23 R u=1 t=-\n"
         "24 R u=1 t=-\n25 R u=1 t=-\n26 R u=1 t=-\n27 R u=1 t=-\n28 R u=1 t=-\n29 R u=1 t=-\n"
         "30 R u=1 t=-\n31 R u=1 t=-\n32 R u=1 t=-\n33 R u=1 t=-\n34 R u=1 t=-\n35 R u=1 t=-\n"
         "36 R u=1 t=-\n37 R u=1 t=-\n38 R u=1 t=-\n39 R u=1 t=-\n40 R u=1 t=-\n41 R u=1 t=-\n"
         "42 R u=1 t=-\n43 R u=1 t=-\n44 R u=1 t=-\n45 R u=1 t=-\n46 R u=1 t=-\n47 R u=- t=1,10,20\n"
         "48 R u=- t=1,10,20\n",
         "host X450e-Closet\nvlan 1 Default\nvlan 10 Data\nvlan 20 Voice\nlag LAG47: 47 48\n"
         "line 23: configure vlan Guest add ports 15 untagged\n"},
        {"EXOS 31, a stack: every port out of Default, VLANs named by tag, CRLF, no final newline",
         Dialect::Exos,
         "#\r\n# Module devmgr configuration.\r\n#\r\nconfigure snmp sysName \"core-stack\"\r\n"
         "configure sys-recovery-level switch reset\r\n#\r\n# Module vlan configuration.\r\n#\r\n"
         "configure vlan default delete ports all\r\nconfigure vr VR-Default delete ports 1:1-16,2:1-16\r\n"
         "configure vr VR-Default add ports 1:1-16,2:1-16\r\ncreate vlan \"Staff\"\r\n"
         "configure vlan Staff tag 110\r\ncreate vlan \"VLAN_0120\"\r\nconfigure vlan VLAN_0120 tag 120\r\n"
         "create vlan \"Servers\" tag 130\r\nconfigure vlan Staff add ports 1:1-8,2:1-8 untagged\r\n"
         "configure vlan 120 add ports 1:9-12 untagged\r\n"
         "configure vlan Servers add ports 1:13,2:13 tagged\r\n"
         "configure vlan Staff add ports 1:13,2:13 tagged\r\n"
         "configure vlan 120 add ports 1:13,2:13 tagged\r\n"
         "enable sharing 1:13 grouping 1:13,2:13 algorithm address-based L3 lacp\r\n"
         "configure vlan Servers add ports 1:14-1:15 untagged\r\n"
         "configure ports 1:14 description-string \"esx-01\"\r\ndisable ports 2:9-12",
         "1:1 R u=110 t=-\n1:2 R u=110 t=-\n1:3 R u=110 t=-\n1:4 R u=110 t=-\n1:5 R u=110 t=-\n"
         "1:6 R u=110 t=-\n1:7 R u=110 t=-\n1:8 R u=110 t=-\n1:9 R u=120 t=-\n1:10 R u=120 t=-\n"
         "1:11 R u=120 t=-\n1:12 R u=120 t=-\n1:13 R u=- t=110,120,130\n1:14 R u=130 t=- d=esx-01\n"
         "1:15 R u=130 t=-\n1:16 R u=- t=-\n2:1 R u=110 t=-\n2:2 R u=110 t=-\n2:3 R u=110 t=-\n"
         "2:4 R u=110 t=-\n2:5 R u=110 t=-\n2:6 R u=110 t=-\n2:7 R u=110 t=-\n2:8 R u=110 t=-\n"
         "2:9 R u=- t=- off\n2:10 R u=- t=- off\n2:11 R u=- t=- off\n2:12 R u=- t=- off\n"
         "2:13 R u=- t=110,120,130\n2:14 R u=- t=-\n2:15 R u=- t=-\n2:16 R u=- t=-\n",
         "host core-stack\nvlan 110 Staff\nvlan 120 VLAN_0120\nvlan 130 Servers\nlag LAG1:13: 1:13 2:13\n"},
    };
    run_cases(cases);
    for (const testing::ImportCase& c : cases) EXPECT_EQ(detect_dialect(c.config), Dialect::Exos) << c.name;
}

} // namespace
} // namespace quarn
