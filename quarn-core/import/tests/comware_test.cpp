#include <gtest/gtest.h>

#include "import/config_import.hpp"
#include "result_text.hpp"

namespace quarn {
namespace {

using testing::run_cases;

TEST(ComwareImport, AccessTrunkHybridAndAggregation) {
    run_cases({
        {"trunk permit lists that grow, hybrid ports, a bridge aggregation", Dialect::Comware,
         "#\n version 7.1.064, Release 3208P10\n#\n sysname Floor2\n#\nvlan 1\n#\nvlan 10\n name Data\n"
         " description Office data\n#\nvlan 11 to 13\n#\n"
         "interface Bridge-Aggregation1\n port link-type trunk\n port trunk permit vlan 10 to 11 13\n"
         " port trunk pvid vlan 10\n#\n"
         "interface GigabitEthernet1/0/1\n port access vlan 10\n voice vlan 13 enable\n stp edged-port\n#\n"
         "interface GigabitEthernet1/0/2\n shutdown\n description spare\n#\n"
         "interface GigabitEthernet1/0/3\n port link-type trunk\n undo port trunk permit vlan 1\n"
         " port trunk permit vlan 10 to 11 13\n#\n"
         "interface GigabitEthernet1/0/4\n port link-type trunk\n#\n"
         "interface GigabitEthernet1/0/5\n port link-type hybrid\n undo port hybrid vlan 1\n"
         " port hybrid vlan 10 11 tagged\n port hybrid vlan 12 untagged\n port hybrid pvid vlan 12\n#\n"
         "interface GigabitEthernet1/0/6\n port link-type hybrid\n port hybrid vlan 10 untagged\n"
         " port hybrid vlan 11 tagged\n#\n"
         "interface Ten-GigabitEthernet1/0/49\n port link-type trunk\n port trunk permit vlan 10 to 11 13\n"
         " port trunk pvid vlan 10\n port link-aggregation group 1\n#\n"
         "interface Ten-GigabitEthernet1/0/50\n port link-aggregation group 1\n#\n"
         "interface M-GigabitEthernet0/0/0\n ip address 192.168.0.233 255.255.255.0\n#\n"
         "interface Vlan-interface10\n ip address 10.0.10.1 255.255.255.0\n#\n"
         " snmp-agent community read cipher $c$3$abc\n#\nlocal-user admin class manage\n password hash "
         "$h$6$x\n#\n"
         "return\n",
         "GigabitEthernet1/0/1 R u=10 t=13\n"
         "GigabitEthernet1/0/2 R u=1 t=- d=spare off\n"
         "GigabitEthernet1/0/3 R u=- t=10-11,13\n"
         "GigabitEthernet1/0/4 R u=1 t=-\n"
         "GigabitEthernet1/0/5 R u=12 t=10-11\n"
         "GigabitEthernet1/0/6 R u=1 t=11\n"
         "Ten-GigabitEthernet1/0/49 S u=10 t=1,11,13\n"
         "Ten-GigabitEthernet1/0/50 S u=10 t=1,11,13\n",
         "host Floor2\nvlan 1 VLAN 0001\nvlan 10 Data\nvlan 11 VLAN 0011\nvlan 12 VLAN 0012\nvlan 13 VLAN "
         "0013\n"
         "lag Bridge-Aggregation1: Ten-GigabitEthernet1/0/49 Ten-GigabitEthernet1/0/50\n"
         "line 45: port hybrid vlan 10 untagged\n"},
        {"routed ports, short names, lines not understood", Dialect::Comware,
         "interface GE1/0/1\n port link-mode route\n ip address 10.0.0.1 255.255.255.252\n#\n"
         "interface XGE1/0/49\n port access vlan 4095\n port trunk permit vlan 9 to 3\n port frobnicate\n#\n",
         "GE1/0/1 R u=- t=-\nXGE1/0/49 S u=1 t=-\n",
         "host \nvlan 1 VLAN 0001\nline 6: port access vlan 4095\nline 7: port trunk permit vlan 9 to 3\n"
         "line 8: port frobnicate\n"},
    });
}

} // namespace
} // namespace quarn
