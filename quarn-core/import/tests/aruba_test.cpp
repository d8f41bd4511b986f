#include <gtest/gtest.h>

#include "import/config_import.hpp"
#include "result_text.hpp"

namespace quarn {
namespace {

using testing::run_cases;

TEST(ArubaImport, VlanCentricConfigurations) {
    run_cases({
        {"trunks carrying their VLANs, no untagged, ports in number order", Dialect::ArubaOs,
         "; J9728A Configuration Editor; Created on release #WB.16.10.0009\n"
         "; Ver #14:01.4f.f8.1d.9b.3f.bf.bb.ef.7c.59.fc.6b.fb.9f.fc.ff.ff.37.ef:05\n"
         "hostname \"HP-2920-24G\"\ntrunk 23-24 trk1 lacp\n"
         "interface 1\n   name \"Reception PC\"\n   exit\ninterface 5\n   disable\n   exit\n"
         "snmp-server community \"public\" unrestricted\n"
         "vlan 1\n   name \"DEFAULT_VLAN\"\n   untagged 1-4,6-10\n   no untagged 5,11-22\n   no ip address\n "
         "  exit\n"
         "vlan 30\n   untagged 21-22\n   exit\n"
         "vlan 10\n   name \"Data\"\n   untagged 11-20\n   tagged 5,Trk1\n   exit\n"
         "vlan 20\n   name \"Voice\"\n   tagged 1-10,Trk1\n   voice\n   exit\n",
         "1 R u=1 t=20 d=Reception PC\n2 R u=1 t=20\n3 R u=1 t=20\n4 R u=1 t=20\n5 R u=- t=10,20 off\n"
         "6 R u=1 t=20\n7 R u=1 t=20\n8 R u=1 t=20\n9 R u=1 t=20\n10 R u=1 t=20\n"
         "11 R u=10 t=-\n12 R u=10 t=-\n13 R u=10 t=-\n14 R u=10 t=-\n15 R u=10 t=-\n16 R u=10 t=-\n"
         "17 R u=10 t=-\n18 R u=10 t=-\n19 R u=10 t=-\n20 R u=10 t=-\n21 R u=30 t=-\n22 R u=30 t=-\n"
         "23 R u=- t=10,20\n24 R u=- t=10,20\n",
         "host HP-2920-24G\nvlan 1 DEFAULT_VLAN\nvlan 10 Data\nvlan 20 Voice\nvlan 30 VLAN30\nlag Trk1: 23 "
         "24\n"},
        {"module letters, no vlan 1 block: every port starts in the default VLAN", Dialect::ArubaOs,
         "hostname \"edge\"\nvlan 10\n   untagged A1-A3\n   tagged B1-B2,b4\n   exit\n"
         "interface B2\n   name \"Uplink\"\n   speed-duplex auto\n   exit\n",
         "A1 R u=10 t=-\nA2 R u=10 t=-\nA3 R u=10 t=-\nB1 R u=1 t=10\nB2 R u=1 t=10 d=Uplink\nB4 R u=1 "
         "t=10\n",
         "host edge\nvlan 1 DEFAULT_VLAN\nvlan 10 VLAN10\n"},
        {"stacked names, one-line forms and lines not understood", Dialect::ArubaOs,
         "vlan 10 untagged 1/1-1/2\nvlan 20\n   tagged 1/1-x\n   untagged 2/1\n   exit\n"
         "trunk 1-2 foo lacp\ninterface 2/1 disable\ninterface 2/2\n   frobnicate\n   exit\n",
         "1/1 R u=10 t=-\n1/2 R u=10 t=-\n2/1 R u=20 t=- off\n2/2 R u=1 t=-\n",
         "host \nvlan 1 DEFAULT_VLAN\nvlan 10 VLAN10\nvlan 20 VLAN20\nline 3: tagged 1/1-x\n"
         "line 6: trunk 1-2 foo lacp\nline 9: frobnicate\n"},
    });
}

} // namespace
} // namespace quarn
