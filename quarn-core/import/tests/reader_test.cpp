#include <gtest/gtest.h>

#include "import/config_import.hpp"
#include "import/config_reader.hpp"
#include "result_text.hpp"

namespace quarn {
namespace {

using namespace import_detail;

TEST(ConfigReader, LinesAndWords) {
    std::vector<Line> lines = split_lines("\xEF\xBB\xBFhostname a\r\n\r\n   \tdescription  x y \r\nlast");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].number, 1u);
    EXPECT_EQ(lines[0].content, "hostname a");
    EXPECT_EQ(lines[1].number, 3u);
    EXPECT_EQ(lines[1].indent, 4u);
    EXPECT_EQ(lines[1].content, "description  x y");
    EXPECT_EQ(lines[2].content, "last");
    EXPECT_EQ(after_words(lines[1].content, 1), "x y");
    EXPECT_EQ(split_words("name \"Data VLAN\" x", true),
              (std::vector<std::string_view>{"name", "Data VLAN", "x"}));
}

TEST(ConfigReader, VlanLists) {
    struct Case {
        const char* text;
        const char* ids; // "none": refused
    };
    const Case dash[] = {
        {"2-4,7", "2-4,7"},   {"10, 20 ,30-31", "10,20,30-31"},
        {"1-4094", "1-4094"}, {"63-65,127-128,4090-4094", "63-65,127-128,4090-4094"},
        {"64-127", "64-127"}, {"0", "none"},
        {"4095", "none"},     {"5-3", "none"},
        {"1,,2", "none"},     {"", "none"},
        {"a", "none"},
    };
    for (const Case& c : dash) {
        auto set = parse_dash_list(c.text);
        EXPECT_EQ(set ? testing::id_ranges(set->ids()) : "none", c.ids) << c.text;
    }
    const Case to[] = {
        {"10 to 11 13", "10-11,13"}, {"1 to 4094", "1-4094"}, {"5", "5"},
        {"11 to 10", "none"},        {"10 to", "none"},
    };
    for (const Case& c : to) {
        auto set = parse_to_list(split_words(c.text));
        EXPECT_EQ(set ? testing::id_ranges(set->ids()) : "none", c.ids) << c.text;
    }
}

TEST(ConfigReader, NameRanges) {
    const std::pair<const char*, const char*> cases[] = {
        {"Gi1/0/1-3", "Gi1/0/1 Gi1/0/2 Gi1/0/3"},
        {"Gi1/0/9-Gi1/0/10,Te1/1/1", "Gi1/0/9 Gi1/0/10 Te1/1/1"},
        {"1/1/1-1/1/2", "1/1/1 1/1/2"},
        {"port1.0.1-1.0.2,port1.1.4", "port1.0.1 port1.0.2 port1.1.4"},
        {"ethernet1/1/49:1-1/1/49:2", "ethernet1/1/49:1 ethernet1/1/49:2"},
        {"Port-channel1-2", "Port-channel1 Port-channel2"},
        {"1/e(1-2,5),g(7)", "1/e1 1/e2 1/e5 g7"},
        {"0/1", "0/1"},
        {"Gi1/0/3-1", "none"},
        {"Gi1/0/1-Te1/0/2", "none"},
        {"Gi1/0/1,,Gi1/0/2", "none"},
        {"Gi1/0/1-2000", "none"},
        {"g(x)", "none"},
    };
    for (const auto& [text, expected] : cases) {
        auto names = expand_names(text);
        std::string joined;
        if (names)
            for (const std::string& name : *names) joined += (joined.empty() ? "" : " ") + name;
        EXPECT_EQ(names ? joined : "none", expected) << text;
    }
}

TEST(ConfigReader, SecretsAreCutOff) {
    const std::pair<const char*, const char*> cases[] = {
        {"username admin privilege 15 secret 9 $9$abc", "username admin privilege 15 secret ..."},
        {"snmp-server community public RO", "snmp-server community ..."},
        {"password", "password"},
        {"ip ospf message-digest-key 1 md5 7 0822", "ip ospf message-digest-key ..."},
        {"description keepalive link", "description keepalive link"},
        {"local-user admin password cipher x", "local-user admin password ..."},
    };
    for (const auto& [line, shown] : cases) EXPECT_EQ(redact(line), shown) << line;
}

TEST(ConfigImport, DetectsTheDialect) {
    struct Case {
        const char* text;
        Dialect dialect;
        bool sure;
    };
    const Case cases[] = {
        {"hostname a\n!\ninterface GigabitEthernet1/0/1\n switchport mode access\n!\nend\n",
         Dialect::CiscoIos, false},
        {"version 15.2\nservice timestamps debug datetime msec\nservice timestamps log datetime msec\n"
         "hostname a\nboot-start-marker\nboot-end-marker\n!\ninterface GigabitEthernet1/0/1\n"
         " switchport mode access\n!\nend\n",
         Dialect::CiscoIos, true},
        {"hostname a\ninterface Ethernet1\n   switchport access vlan 10\ninterface Management1\n",
         Dialect::CiscoIos, false},
        {"feature lacp\ninterface Ethernet1/1\n  switchport mode trunk\ninterface mgmt0\n", Dialect::NxOs,
         true},
        {"hostname \"sw\"\nvlan 10\n   untagged 1-24\n   exit\n", Dialect::ArubaOs, false},
        // Huawei VRP writes these lines alike: Comware, listed first, is assumed.
        {"#\n sysname core\n#\ninterface GigabitEthernet1/0/1\n port link-type trunk\n#\n", Dialect::Comware,
         false},
        {"system {\n    host-name ex;\n}\ninterfaces {\n}\n", Dialect::Junos, true},
        {"set system host-name ex\nset interfaces ge-0/0/0 unit 0 family ethernet-switching\n",
         Dialect::Junos, true},
        // Lines pasted from the new families, without the header their
        // switches write: each read as its own family, never as Cisco IOS.
        {"interface 1/1/1\n    no shutdown\n    vlan access 10\n", Dialect::ArubaCx, true},
        {"interface ethernet1/1/1\n switchport mode trunk\n switchport access vlan 10\n", Dialect::DellOs10,
         false},
        {"interface ethernet 1/1/2\n switchport mode trunk\n switchport access vlan 10\n", Dialect::DellOs10,
         false},
        {"interface Gi1/0/1\nswitchport access vlan 10\nexit\n", Dialect::DellOs6, false},
        {"interface ethernet 1/g1\nswitchport access vlan 10\nexit\n", Dialect::DellOs6, false},
        {"interface GigabitEthernet1/0/1\n switchport mode general\n switchport general pvid 10\n"
         " switchport general allowed vlan add 10 untagged\n",
         Dialect::CiscoSb, false},
        {"interface port1.0.1-1.0.4\n switchport access vlan 10\n", Dialect::AlliedWare, true},
        {"interface 0/1\nvlan pvid 10\nvlan participation include 10\nexit\n", Dialect::EdgeSwitch, true},
        {"#\n sysname core\n#\ninterface GigabitEthernet0/0/1\n port link-type trunk\n"
         " port trunk allow-pass vlan 10\n#\n",
         Dialect::Vrp, false},
        {"#\n sysname core\n#\ninterface GigabitEthernet1/0/1\n port link-type trunk\n"
         " port trunk permit vlan 10\n#\n",
         Dialect::Comware, false},
        {"ver 08.0.95\n!\nvlan 10 by port\n untagged ethe 1/1/1\n!\n!\n!\n!\n!\n", Dialect::FastIron, true},
        {"/interface bridge port\nadd bridge=bridge1 interface=ether2\n", Dialect::RouterOs, true},
        {"create vlan Data\nconfigure vlan Data add ports 1 untagged\n", Dialect::Exos, true},
        // AlliedWare's older language looks like EXOS's but is none Quarn reads.
        {"create vlan=Data vid=10\nadd vlan=10 port=1-4\n", Dialect::Unknown, false},
        // Families Quarn does not read: FortiSwitch, TP-Link, EdgeRouter, Dell
        // OS9, Avaya, Zyxel.
        {"config switch interface\n    edit \"port1\"\n        set native-vlan 10\n    next\nend\n",
         Dialect::Unknown, false},
        {"interface gigabitEthernet 1/0/1\n switchport general allowed vlan 10 untagged\n switchport pvid "
         "10\n#\n",
         Dialect::Unknown, false},
        {"interfaces {\n    ethernet eth0 {\n    }\n    switch switch0 {\n        switch-port {\n"
         "            interface eth1 {\n            }\n        }\n    }\n}\n",
         Dialect::Unknown, false},
        {"! Version 9.14(1.0)\ninterface TenGigabitEthernet 0/1\n no ip address\n switchport\n no "
         "shutdown\n!\n"
         "interface Vlan 10\n no ip address\n untagged TenGigabitEthernet 0/1-4\n tagged Port-channel 1\n",
         Dialect::Unknown, false},
        {"vlan create 10 name Data type port\nvlan members add 10 1/1-24\nvlan ports 1/25 tagging tagAll\n",
         Dialect::Unknown, false},
        {"vlan 10\n  name Data\n  fixed 1-8\n  untagged 1-8\nexit\n", Dialect::Unknown, false},
        {"hello world\nthis is no configuration\n", Dialect::Unknown, false},
        {"", Dialect::Unknown, false},
    };
    for (const auto& [text, dialect, sure] : cases) {
        EXPECT_EQ(guess_dialect(text), (DialectGuess{dialect, sure})) << text;
        ImportResult result = import_config(text);
        EXPECT_EQ(result.dialect, dialect) << text;
        EXPECT_EQ(result.dialect_assumed, dialect != Dialect::Unknown && !sure) << text;
    }
}

TEST(ConfigImport, GarbageRecognisesNothing) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) % 256);
    std::vector<Dialect> all{Dialect::Unknown};
    for (const DialectInfo& info : dialects()) all.push_back(info.dialect);
    for (Dialect dialect : all) {
        ImportResult result = import_config(garbage, dialect);
        EXPECT_FALSE(result.recognised()) << dialect_title(dialect);
        EXPECT_TRUE(result.ports.empty());
    }
    ImportResult result = import_config("hello\nworld\n");
    EXPECT_EQ(result, ImportResult{});
}

TEST(ConfigImport, DialectNamesAndShortLabels) {
    EXPECT_EQ(parse_dialect_name("IOS"), Dialect::CiscoIos);
    EXPECT_EQ(parse_dialect_name("eos"), Dialect::CiscoIos);
    EXPECT_EQ(parse_dialect_name("nxos"), Dialect::NxOs);
    EXPECT_EQ(parse_dialect_name("procurve"), Dialect::ArubaOs);
    EXPECT_EQ(parse_dialect_name("h3c"), Dialect::Comware);
    EXPECT_EQ(parse_dialect_name("junos"), Dialect::Junos);
    EXPECT_EQ(parse_dialect_name("Ruckus"), Dialect::FastIron);
    EXPECT_EQ(parse_dialect_name("icx"), Dialect::FastIron);
    EXPECT_EQ(parse_dialect_name("huawei"), Dialect::Vrp);
    EXPECT_EQ(parse_dialect_name("mikrotik"), Dialect::RouterOs);
    EXPECT_EQ(parse_dialect_name("exos"), Dialect::Exos);
    EXPECT_EQ(parse_dialect_name("cisco"), std::nullopt);
    EXPECT_EQ(parse_dialect_name("AOSCX"), Dialect::ArubaCx);
    EXPECT_EQ(parse_dialect_name("cbs"), Dialect::CiscoSb);
    EXPECT_EQ(parse_dialect_name("netgear"), Dialect::EdgeSwitch);
    // The names listed are the first name of each dialect, in its order.
    std::string names;
    for (const DialectInfo& info : dialects()) {
        names += (names.empty() ? "" : ", ") + std::string(info.name);
        EXPECT_EQ(parse_dialect_name(info.name), info.dialect) << info.name;
    }
    EXPECT_EQ(names, k_dialect_names);
    EXPECT_EQ(dialect_title(Dialect::Vrp), "Huawei VRP");
    EXPECT_EQ(dialect_title(Dialect::Unknown), "unknown");

    struct Case {
        Dialect dialect;
        const char* label;
        const char* short_form;
    };
    const Case cases[] = {
        {Dialect::CiscoIos, "GigabitEthernet1/0/1", "Gi1/0/1"},
        {Dialect::CiscoIos, "TenGigabitEthernet1/1/1", "Te1/1/1"},
        {Dialect::CiscoIos, "FastEthernet0/1", "Fa0/1"},
        {Dialect::CiscoIos, "TwentyFiveGigE1/0/1", "Twe1/0/1"},
        {Dialect::CiscoIos, "Port-channel1", "Po1"},
        {Dialect::CiscoIos, "Ethernet1", "Eth1"},
        {Dialect::NxOs, "Ethernet1/1", "Eth1/1"},
        {Dialect::NxOs, "port-channel10", "Po10"},
        {Dialect::Comware, "GigabitEthernet1/0/1", "GE1/0/1"},
        {Dialect::Comware, "Ten-GigabitEthernet1/0/49", "XGE1/0/49"},
        {Dialect::Comware, "Bridge-Aggregation1", "BAGG1"},
        {Dialect::Junos, "ge-0/0/0", "ge-0/0/0"},
        {Dialect::ArubaOs, "A1", "A1"},
        {Dialect::ArubaOs, "1", "1"},
        {Dialect::CiscoIos, "Serial0/1", "Serial0/1"},
        {Dialect::DellOs6, "GigabitEthernet1/0/1", "Gi1/0/1"},
        {Dialect::DellOs6, "port-channel1", "Po1"},
        {Dialect::DellOs6, "1/g1", "1/g1"},
        {Dialect::CiscoSb, "gigabitethernet1", "Gi1"},
        {Dialect::CiscoSb, "Port-channel 2", "Po2"},
        {Dialect::ArubaCx, "1/1/1", "1/1/1"},
        {Dialect::ArubaCx, "lag1", "lag1"},
        {Dialect::DellOs10, "ethernet1/1/1:1", "ethernet1/1/1:1"},
        {Dialect::AlliedWare, "port1.0.1", "port1.0.1"},
        {Dialect::EdgeSwitch, "lag 1", "lag 1"},
        {Dialect::FastIron, "ethernet 1/1/1", "1/1/1"},
        {Dialect::FastIron, "ethe 1/2/1", "1/2/1"},
        {Dialect::FastIron, "1/1/1", "1/1/1"},
        {Dialect::Vrp, "GigabitEthernet0/0/1", "GE0/0/1"},
        {Dialect::Vrp, "XGigabitEthernet0/0/1", "XGE0/0/1"},
        {Dialect::Vrp, "10GE1/0/1", "10GE1/0/1"},
        {Dialect::Vrp, "Eth-Trunk1", "Eth-Trunk1"},
        {Dialect::RouterOs, "ether2", "ether2"},
        {Dialect::Exos, "1:1", "1:1"},
    };
    for (const Case& c : cases) EXPECT_EQ(short_label(c.dialect, c.label), c.short_form) << c.label;

    EXPECT_TRUE(same_port_label("GigabitEthernet1/0/1", "Gi1/0/1"));
    EXPECT_TRUE(same_port_label("gi1/0/1", "GE1/0/1"));
    EXPECT_TRUE(same_port_label("Ten-GigabitEthernet1/0/49", "Te1/0/49"));
    EXPECT_FALSE(same_port_label("Gi1/0/1", "Gi1/0/10"));
    EXPECT_FALSE(same_port_label("Gi1/0/1", "Te1/0/1"));
    EXPECT_FALSE(same_port_label("ge-0/0/1", "GE0/0/1"));
    EXPECT_TRUE(same_port_label("A1", "a1"));
    EXPECT_TRUE(same_port_label("ethernet1/1/1:1", "Eth1/1/1:1"));
    EXPECT_TRUE(same_port_label("lag 1", "lag1"));
    EXPECT_TRUE(same_port_label("Port-channel 1", "Po1"));
    EXPECT_FALSE(same_port_label("1/1/1", "1/1/10"));
    EXPECT_FALSE(same_port_label("port1.0.1", "port1.0.10"));
    EXPECT_FALSE(same_port_label("ethernet1/1/1:1", "ethernet1/1/1:2"));
    EXPECT_TRUE(same_port_label("ethernet 1/1/1", "1/1/1"));
    EXPECT_TRUE(same_port_label("ethe1/1/1", "1/1/1"));
    EXPECT_FALSE(same_port_label("ethernet 1/1/1", "1/1/10"));
    EXPECT_TRUE(same_port_label("XGigabitEthernet0/0/1", "XGE0/0/1"));
    EXPECT_TRUE(same_port_label("GigabitEthernet0/0/1", "GE0/0/1"));
    EXPECT_FALSE(same_port_label("ether2", "ether20"));
    EXPECT_FALSE(same_port_label("1:1", "1/1"));
}

} // namespace
} // namespace quarn

namespace quarn {
namespace {

// Configurations saved in Latin-1 or cut in the middle of a character.
TEST(ConfigImport, TextsAreUtf8) {
    ImportResult result =
        import_config("hostname caf\xe9\ninterface GigabitEthernet1/0/1\n description B\xc3\xbcro \xe2\x82\n",
                      Dialect::CiscoIos);
    EXPECT_EQ(result.host_name, "caf\xEF\xBF\xBD");
    ASSERT_EQ(result.ports.size(), 1u);
    EXPECT_EQ(result.ports[0].description, "B\xc3\xbcro \xEF\xBF\xBD");
}

TEST(ConfigImport, AnyTextIsReadInBoundedMemory) {
    std::string text;
    for (int i = 1; i <= 5000; ++i) text += "interface GigabitEthernet1/0/" + std::to_string(i) + "\n frob\n";
    ImportResult result = import_config(text, Dialect::CiscoIos);
    EXPECT_EQ(result.ports.size(), k_max_imported_ports);
    EXPECT_EQ(result.ports_left_out, 5000 - k_max_imported_ports);
    EXPECT_EQ(result.ports.back().label, "GigabitEthernet1/0/4096");
    EXPECT_EQ(result.unread.size(), k_max_unread_lines);
    EXPECT_EQ(result.unread_count, 5000u);
    EXPECT_EQ(result.unread.back().number, 2 * k_max_unread_lines);
}

} // namespace
} // namespace quarn
