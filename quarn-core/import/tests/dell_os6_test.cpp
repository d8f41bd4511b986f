#include <gtest/gtest.h>

#include "import/config_import.hpp"
#include "result_text.hpp"

namespace quarn {
namespace {

using testing::run_cases;

// A PowerConnect 6248 on firmware 3.3: ports named 1/g1, VLANs named in
// their routing interfaces.
constexpr const char* k_powerconnect = "!Current Configuration:\n"
                                       "!System Description \"PowerConnect 6248, 3.3.9.1, VxWorks 6.5\"\n"
                                       "!System Software Version 3.3.9.1\n"
                                       "!\n"
                                       "configure\n"
                                       "vlan database\n"
                                       "vlan 10,20,30\n"
                                       "exit\n"
                                       "stack\n"
                                       "member 1 2\n"
                                       "exit\n"
                                       "interface vlan 10\nname \"Data\"\nexit\n"
                                       "interface vlan 20\nname \"Voice\"\nexit\n"
                                       "hostname \"pc6248\"\n"
                                       "!\n"
                                       "interface ethernet 1/g1\ndescription 'Reception'\n"
                                       "switchport access vlan 10\nexit\n"
                                       "!\n"
                                       "interface ethernet 1/g2\nswitchport mode general\n"
                                       "switchport general pvid 10\n"
                                       "switchport general allowed vlan add 10\n"
                                       "switchport general allowed vlan add 20 tagged\nexit\n"
                                       "!\n"
                                       "interface ethernet 1/g3\nshutdown\nexit\n"
                                       "!\n"
                                       "interface ethernet 1/g4\nswitchport mode general\n"
                                       "switchport general allowed vlan add 20,30\nexit\n"
                                       "!\n"
                                       "interface ethernet 1/xg1\nchannel-group 1 mode auto\nexit\n"
                                       "!\n"
                                       "interface ethernet 1/xg2\nchannel-group 1 mode auto\nexit\n"
                                       "!\n"
                                       "interface port-channel 1\nswitchport mode trunk\n"
                                       "switchport trunk allowed vlan remove 30\nexit\n"
                                       "exit\n";

// An N2048 on firmware 6.3, saved with CRLF and without a final line end.
constexpr const char* k_n_series =
    "!Current Configuration:\r\n"
    "!System Description \"Dell Networking N2048, 6.3.3.10, Linux 3.7.10-e500mc\"\r\n"
    "!System Software Version 6.3.3.10\r\n"
    "!\r\n"
    "configure\r\n"
    "vlan 10,20,99\r\nexit\r\n"
    "vlan 10\r\nname \"Users\"\r\nexit\r\n"
    "vlan 99\r\nname \"Management\"\r\nexit\r\n"
    "hostname \"n2048-a\"\r\n"
    "slot 1/0 2    ! Dell Networking N2048\r\n"
    "stack\r\nmember 1 2    ! N2048\r\nexit\r\n"
    "interface vlan 99\r\nip address 10.99.0.5 255.255.255.0\r\nexit\r\n"
    "!\r\n"
    "interface Gi1/0/1\r\ndescription \"Desk 1\"\r\nswitchport access vlan 10\r\n"
    "exit\r\n!\r\n"
    "interface Gi1/0/2\r\nswitchport mode trunk\r\nswitchport trunk native vlan 99\r\n"
    "switchport trunk allowed vlan 10,20\r\nexit\r\n!\r\n"
    "interface Gi1/0/3\r\nswitchport mode trunk\r\n"
    "switchport trunk allowed vlan 1,10,99\r\nexit\r\n!\r\n"
    "interface Gi1/0/4\r\nshutdown\r\nexit\r\n!\r\n"
    "interface Te1/0/1\r\nchannel-group 1 mode active\r\ndescription \"to core\"\r\n"
    "exit\r\n!\r\n"
    "interface Te1/0/2\r\nchannel-group 1 mode active\r\nexit\r\n!\r\n"
    "interface port-channel 1\r\nswitchport mode trunk\r\nexit\r\n"
    "snmp-server community \"public\" ro\r\n"
    "exit";

TEST(DellOs6Import, PowerConnectAndNSeries) {
    run_cases({
        {"PowerConnect: general ports, a trunk of every VLAN but one, LAG of cages", Dialect::DellOs6,
         k_powerconnect,
         "1/g1 R u=10 t=- d=Reception\n"
         "1/g2 R u=10 t=20\n"
         "1/g3 R u=1 t=- off\n"
         "1/g4 R u=1 t=-\n"
         "1/xg1 S u=1 t=10,20\n"
         "1/xg2 S u=1 t=10,20\n",
         "host pc6248\nvlan 1 default\nvlan 10 Data\nvlan 20 Voice\nvlan 30 VLAN0030\n"
         "lag port-channel1: 1/xg1 1/xg2\n"
         "line 38: switchport general allowed vlan add 20,30\n",
         true},
        {"N-series: native outside the allowed list, trunk of every VLAN, shut port", Dialect::DellOs6,
         k_n_series,
         "Gi1/0/1 R u=10 t=- d=Desk 1\n"
         "Gi1/0/2 R u=- t=10,20\n"
         "Gi1/0/3 R u=1 t=10,99\n"
         "Gi1/0/4 R u=1 t=- off\n"
         "Te1/0/1 S u=1 t=10,20,99 d=to core\n"
         "Te1/0/2 S u=1 t=10,20,99\n",
         "host n2048-a\nvlan 1 default\nvlan 10 Users\nvlan 20 VLAN0020\nvlan 99 Management\n"
         "lag port-channel1: Te1/0/1 Te1/0/2\n",
         true},
        {"ranges typed by hand, long names, lines not understood", Dialect::DellOs6,
         "interface range Gi1/0/5-7\nswitchport access vlan 20\nexit\n"
         "interface gigabitethernet 1/0/8\nswitchport mode general\nswitchport general pvid 30\n"
         "switchport general allowed vlan add 30 untagged\nswitchport general allowed vlan add 31-32 tagged\n"
         "switchport general allowed vlan remove 1\nexit\n"
         "interface Gi1/0/9\nswitchport access vlan 9999\nfrobnicate\nexit\n"
         "interface range Gi1/0/10-Gi1/0/9\nexit\n",
         "Gi1/0/5 R u=20 t=-\nGi1/0/6 R u=20 t=-\nGi1/0/7 R u=20 t=-\n"
         "gigabitethernet1/0/8 R u=30 t=31-32\nGi1/0/9 R u=1 t=-\n",
         "host \nvlan 1 default\nline 12: switchport access vlan 9999\nline 13: frobnicate\n"
         "line 15: interface range Gi1/0/10-Gi1/0/9\n"},
        {"PowerConnect 5500 ranges: g(1-2) and 1/e(3,5)", Dialect::DellOs6,
         "interface range ethernet g(1-2)\nswitchport access vlan 10\nexit\n"
         "interface range ethernet 1/e(3,5)\nswitchport mode trunk\nswitchport trunk allowed vlan add "
         "10\nexit\n",
         "g1 R u=10 t=-\ng2 R u=10 t=-\n1/e3 R u=1 t=10\n1/e5 R u=1 t=10\n", "host \nvlan 1 default\n"},
    });
}

} // namespace
} // namespace quarn
