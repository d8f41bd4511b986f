#include <gtest/gtest.h>

#include "import/config_import.hpp"
#include "result_text.hpp"

namespace quarn {
namespace {

using testing::run_cases;

// An access switch on 10.04, which writes `no routing` and `exit` in every
// block, saved with CRLF line ends.
constexpr const char* k_release_10_04 =
    "!Version ArubaOS-CX FL.10.04.3000\r\n"
    "!export-password: default\r\n"
    "hostname cx-access-1\r\n"
    "user admin group administrators password ciphertext AQBapXsecret\r\n"
    "!\r\n"
    "vlan 1\r\n"
    "vlan 10\r\n    name Data\r\n    exit\r\n"
    "vlan 20\r\n    name Voice\r\n    exit\r\n"
    "vlan 99\r\n    name Mgmt\r\n    exit\r\n"
    "spanning-tree\r\n"
    "interface mgmt\r\n    no shutdown\r\n    ip dhcp\r\n"
    "interface lag 1\r\n    no shutdown\r\n    no routing\r\n    vlan trunk native 99\r\n"
    "    vlan trunk allowed 10,20,99\r\n    lacp mode active\r\n    exit\r\n"
    "interface 1/1/1\r\n    no shutdown\r\n    no routing\r\n    vlan access 10\r\n    exit\r\n"
    "interface 1/1/2\r\n    description Printer room\r\n    no shutdown\r\n    no routing\r\n"
    "    vlan access 20\r\n    exit\r\n"
    "interface 1/1/3\r\n    no routing\r\n    vlan access 10\r\n    exit\r\n"
    "interface 1/1/4\r\n    no shutdown\r\n    no routing\r\n    vlan trunk native 1\r\n"
    "    vlan trunk allowed 10\r\n    vlan trunk allowed 20\r\n    exit\r\n"
    "interface 1/1/49\r\n    no shutdown\r\n    lag 1\r\n    exit\r\n"
    "interface 1/1/50\r\n    no shutdown\r\n    lag 1\r\n    exit\r\n"
    "interface vlan 99\r\n    ip address 10.99.0.2/24\r\n    exit\r\n";

// An access switch on 10.10, which switches unless told `routing` and
// writes no `exit`; a range typed by hand; no final line end.
constexpr const char* k_release_10_10 = "!Version AOS-CX ML.10.10.1020\n"
                                        "!export-password: default\n"
                                        "hostname floor2\n"
                                        "vlan 1,30,40-41\n"
                                        "vlan 30\n    name Staff\n"
                                        "interface 1/1/1-1/1/3\n    no shutdown\n    vlan access 30\n"
                                        "interface 1/1/5\n    no shutdown\n    description AP corridor\n"
                                        "    vlan trunk native 40 tag\n    vlan trunk allowed 40-41\n"
                                        "interface 1/1/6\n    no shutdown\n    vlan trunk native 30\n"
                                        "    vlan trunk allowed all\n"
                                        "interface 1/1/7\n    shutdown\n"
                                        "interface 1/1/8\n    no shutdown\n    routing\n"
                                        "    ip address 192.0.2.1/31\n"
                                        "interface 1/1/9\n    no shutdown\n    frobnicate\n"
                                        "interface 1/1/49:1\n    no shutdown\n    vlan access 41";

TEST(ArubaCxImport, AccessSwitchesOfTwoReleases) {
    run_cases({
        {"10.04: LAG members carry the LAG's VLANs, ports shut until no shutdown, native outside the list",
         Dialect::ArubaCx, k_release_10_04,
         "1/1/1 R u=10 t=-\n"
         "1/1/2 R u=20 t=- d=Printer room\n"
         "1/1/3 R u=10 t=- off\n"
         "1/1/4 R u=- t=10,20\n"
         "1/1/49 R u=99 t=10,20\n"
         "1/1/50 R u=99 t=10,20\n",
         "host cx-access-1\nvlan 1 DEFAULT_VLAN_1\nvlan 10 Data\nvlan 20 Voice\nvlan 99 Mgmt\n"
         "lag lag1: 1/1/49 1/1/50\n",
         true},
        {"10.10: ranges, native sent tagged, all VLANs made, routed port, breakout, a line not understood",
         Dialect::ArubaCx, k_release_10_10,
         "1/1/1 R u=30 t=-\n1/1/2 R u=30 t=-\n1/1/3 R u=30 t=-\n"
         "1/1/5 R u=- t=40-41 d=AP corridor\n"
         "1/1/6 R u=30 t=1,40-41\n"
         "1/1/7 R u=1 t=- off\n"
         "1/1/8 R u=- t=-\n"
         "1/1/9 R u=1 t=-\n"
         "1/1/49:1 R u=41 t=-\n",
         "host floor2\nvlan 1 DEFAULT_VLAN_1\nvlan 30 Staff\nvlan 40 VLAN40\nvlan 41 VLAN41\n"
         "line 27: frobnicate\n",
         true},
        {"a core switch routes unless told `no routing`", Dialect::ArubaCx,
         "interface 1/1/1\n    no shutdown\n    ip address 10.0.0.1/31\n"
         "interface 1/1/2\n    no shutdown\n    no routing\n    vlan access 10\n"
         "interface 1/1/3\n    no shutdown\n"
         "interface lag 2 multi-chassis\n    no shutdown\n    no routing\n    vlan trunk allowed 10\n"
         "interface 1/1/4\n    no shutdown\n    lag 2\n"
         "interface 1/1/5\n    vlan trunk native 5000\n    vlan access x\n",
         "1/1/1 R u=- t=-\n1/1/2 R u=10 t=-\n1/1/3 R u=- t=-\n1/1/4 R u=- t=10\n1/1/5 R u=- t=- off\n",
         "host \nlag lag2: 1/1/4\nline 18: vlan trunk native 5000\nline 19: vlan access x\n"},
    });
}

} // namespace
} // namespace quarn
