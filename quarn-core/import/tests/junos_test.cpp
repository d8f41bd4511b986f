#include <gtest/gtest.h>

#include "import/config_import.hpp"
#include "result_text.hpp"

namespace quarn {
namespace {

using testing::run_cases;

constexpr const char* k_curly = R"(## Last commit: 2024-01-01 10:00:00 UTC by admin
version 20.4R3;
system {
    host-name ex-floor1;
    root-authentication {
        encrypted-password "$6$abc"; ## SECRET-DATA
    }
}
interfaces {
    ge-0/0/0 {
        description "Desk 1";
        unit 0 {
            family ethernet-switching {
                interface-mode access;
                vlan {
                    members data;
                }
            }
        }
    }
    ge-0/0/1 {
        disable;
        unit 0 {
            family ethernet-switching;
        }
    }
    ge-0/0/2 {
        native-vlan-id 10;
        unit 0 {
            family ethernet-switching {
                interface-mode trunk;
                vlan {
                    members [ data voice 30-32 ];
                }
            }
        }
    }
    /* the uplink bundle */
    xe-0/1/0 {
        ether-options {
            802.3ad ae0;
        }
    }
    xe-0/1/1 {
        ether-options {
            802.3ad ae0;
        }
    }
    ge-0/0/3 {
        unit 0 {
            family inet {
                address 10.0.0.1/30;
            }
        }
    }
    ae0 {
        aggregated-ether-options {
            lacp {
                active;
            }
        }
        unit 0 {
            family ethernet-switching {
                interface-mode trunk;
                vlan {
                    members all;
                }
            }
        }
    }
    irb {
        unit 10 {
            family inet {
                address 10.0.10.1/24;
            }
        }
    }
    me0 {
        unit 0 { family inet { address 192.168.1.2/24; } }
    }
}
switch-options {
    voip {
        interface ge-0/0/0.0 {
            vlan voice;
        }
    }
}
vlans {
    data {
        vlan-id 10;
        l3-interface irb.10;
    }
    voice {
        vlan-id 20;
    }
}
)";

TEST(JunosImport, CurlyAndSetForms) {
    run_cases({
        {"curly braces: access, trunk with native, voice, LAG with members all, routed", Dialect::Junos,
         k_curly,
         "ge-0/0/0 R u=10 t=20 d=Desk 1\n"
         "ge-0/0/1 R u=1 t=- off\n"
         "ge-0/0/2 R u=10 t=20,30-32\n"
         "xe-0/1/0 S u=- t=10,20\n"
         "xe-0/1/1 S u=- t=10,20\n"
         "ge-0/0/3 R u=- t=-\n",
         "host ex-floor1\nvlan 1 default\nvlan 10 data\nvlan 20 voice\nlag ae0: xe-0/1/0 xe-0/1/1\n"},
        {"set lines: port-mode, VLANs by name and number, VLANs that list ports, deactivate", Dialect::Junos,
         "set system host-name ex2200\n"
         "set interfaces ge-0/0/0 unit 0 family ethernet-switching port-mode access\n"
         "set interfaces ge-0/0/0 unit 0 family ethernet-switching vlan members 10\n"
         "set interfaces ge-0/0/1 unit 0 family ethernet-switching port-mode trunk\n"
         "set interfaces ge-0/0/1 unit 0 family ethernet-switching vlan members [ users printers ]\n"
         "set interfaces ge-0/0/1 unit 0 family ethernet-switching native-vlan-id printers\n"
         "set interfaces ge-0/0/2 unit 0 family ethernet-switching\n"
         "set interfaces ge-0/0/3 description \"not switching\"\n"
         "set interfaces ge-0/0/4 unit 0 family ethernet-switching vlan members nosuchvlan\n"
         "set vlans users vlan-id 10\nset vlans printers vlan-id 20\n"
         "set vlans printers interface ge-0/0/2.0\n"
         "deactivate interfaces ge-0/0/0 description\nset interfaces ge-0/0/0 description \"gone\"\n",
         "ge-0/0/0 R u=10 t=-\n"
         "ge-0/0/1 R u=20 t=10\n"
         "ge-0/0/2 R u=20 t=-\n"
         "ge-0/0/3 R u=- t=- d=not switching\n"
         "ge-0/0/4 R u=1 t=-\n",
         "host ex2200\nvlan 1 default\nvlan 10 users\nvlan 20 printers\n"
         "line 9: set interfaces ge-0/0/4 unit 0 family ethernet-switching vlan members nosuchvlan\n"},
        {"interface ranges and inactive parts", Dialect::Junos,
         "interfaces {\n    interface-range access-ports {\n        member-range ge-0/0/0 to ge-0/0/1;\n"
         "        member ge-1/0/[4-5];\n"
         "        unit 0 {\n            family ethernet-switching {\n                vlan {\n"
         "                    members 30;\n                }\n            }\n        }\n    }\n"
         "    inactive: ge-0/0/5 {\n        description \"inactive\";\n    }\n"
         "    ge-0/0/6 {\n        inactive: disable;\n        description six;\n    }\n}\n",
         "ge-0/0/0 R u=30 t=-\nge-0/0/1 R u=30 t=-\nge-1/0/4 R u=30 t=-\nge-1/0/5 R u=30 t=-\n"
         "ge-0/0/6 R u=- t=- d=six\n",
         "host \n"},
    });
}

// Junos applies an interface-range's statements to each member but where
// the member states the same itself.
TEST(JunosImport, AMembersOwnStatementWinsOverItsRange) {
    run_cases({
        {"member-range members, one with its own VLAN and description, one a trunk", Dialect::Junos,
         "interfaces {\n"
         "    interface-range office {\n"
         "        member-range ge-0/0/0 to ge-0/0/3;\n"
         "        description \"office desk\";\n"
         "        unit 0 {\n            family ethernet-switching {\n                interface-mode access;\n"
         "                vlan {\n                    members office;\n                }\n            }\n"
         "        }\n"
         "    }\n"
         "    ge-0/0/1 {\n        description \"printer\";\n        unit 0 {\n"
         "            family ethernet-switching {\n                vlan {\n                    members "
         "printers;\n"
         "                }\n            }\n        }\n    }\n"
         "    ge-0/0/2 {\n        unit 0 {\n            family ethernet-switching {\n"
         "                interface-mode trunk;\n                vlan {\n"
         "                    members [ office printers ];\n                }\n            }\n        }\n    "
         "}\n"
         "}\n"
         "vlans {\n    office {\n        vlan-id 10;\n    }\n    printers {\n        vlan-id 20;\n    }\n}\n",
         "ge-0/0/0 R u=10 t=- d=office desk\nge-0/0/1 R u=20 t=- d=printer\nge-0/0/2 R u=- t=10,20 d=office "
         "desk\n"
         "ge-0/0/3 R u=10 t=- d=office desk\n",
         "host \nvlan 10 office\nvlan 20 printers\n"},
        {"set lines: the member's own mode and VLAN", Dialect::Junos,
         "set interfaces interface-range uplinks member ge-0/0/[10-11]\n"
         "set interfaces interface-range uplinks unit 0 family ethernet-switching interface-mode trunk\n"
         "set interfaces interface-range uplinks unit 0 family ethernet-switching vlan members all\n"
         "set interfaces ge-0/0/11 unit 0 family ethernet-switching interface-mode access\n"
         "set interfaces ge-0/0/11 unit 0 family ethernet-switching vlan members 20\n"
         "set vlans a vlan-id 10\nset vlans b vlan-id 20\n",
         "ge-0/0/10 R u=- t=10,20\nge-0/0/11 R u=20 t=-\n", "host \nvlan 10 a\nvlan 20 b\n"},
    });
}

} // namespace
} // namespace quarn
