// The Import Configuration dialog's platform-free part: what it finds, what
// it previews, when OK may apply it and how files become text.
#include "dialogs/import_form.hpp"

#include <gtest/gtest.h>

#include "model/map_file.hpp"
#include "ops/switch_ops.hpp"
#include "ops/vlan_ops.hpp"

namespace quarn::dialogs {
namespace {

constexpr std::string_view k_cisco = "hostname acc-1\r\n"
                                     "vlan 10\r\n name Data\r\n"
                                     "interface GigabitEthernet1/0/1\r\n switchport access vlan 10\r\n"
                                     " description Desk\r\n"
                                     "interface GigabitEthernet1/0/2\r\n shutdown\r\n"
                                     " standby 1 authentication md5 key-string s3cret\r\n"
                                     "snmp-server community s3cret RO\r\n";

// ArubaOS-Switch text without a host name, ports named as the Cisco ones are
// not; its first line says the family for sure.
constexpr std::string_view k_aruba =
    "; J9728A Configuration Editor; Created on release #WB.16.10.0009\n"
    "vlan 1\n untagged 1-2\n exit\nvlan 30\n name \"Cams\"\n tagged 2\n exit\n";

// One switch named acc-1 whose ports bear the Cisco short labels.
ImportDialogInput one_switch() {
    ImportDialogInput input;
    input.map.vlans = {Vlan{10, "Data", k_default_vlan_colors[0]}};
    input.map.switches = {make_switch("acc-1", "", "", SwitchLayoutInput{"", 4, 1})};
    const char* labels[] = {"Gi1/0/1", "Gi1/0/2", "Gi1/0/3", "Gi1/0/4"};
    for (int i = 0; i < 4; ++i) input.map.switches[0].ports[i].label = labels[i];
    input.current_switch = 0;
    return input;
}

TEST(ImportForm, DialectListDetectsFirstThenEveryDialect) {
    EXPECT_EQ(dialect_entries(),
              (std::vector<std::string>{"Detect automatically", "Cisco IOS, IOS-XE, Arista EOS",
                                        "Cisco NX-OS", "HPE ArubaOS-Switch, ProCurve", "HPE Comware, H3C",
                                        "Juniper Junos", "HPE Aruba AOS-CX", "Dell EMC SmartFabric OS10",
                                        "Dell OS6, N-series, PowerConnect",
                                        "Cisco SB, CBS, Catalyst 1200/1300", "Allied Telesis AlliedWare Plus",
                                        "Ubiquiti EdgeSwitch, NETGEAR", "Ruckus ICX, Brocade FastIron",
                                        "Huawei VRP", "MikroTik RouterOS", "Extreme Networks EXOS"}));
    const std::optional<Dialect> expected[] = {
        std::nullopt,        Dialect::CiscoIos,   Dialect::NxOs,     Dialect::ArubaOs, Dialect::Comware,
        Dialect::Junos,      Dialect::ArubaCx,    Dialect::DellOs10, Dialect::DellOs6, Dialect::CiscoSb,
        Dialect::AlliedWare, Dialect::EdgeSwitch, Dialect::FastIron, Dialect::Vrp,     Dialect::RouterOs,
        Dialect::Exos,       std::nullopt};
    for (std::size_t i = 0; i < std::size(expected); ++i) EXPECT_EQ(dialect_of_entry(i), expected[i]) << i;
}

TEST(ImportForm, PreviewsFoundSummaryLinesAndWhetherOkApplies) {
    // The secret stays out of the line not understood.
    const std::string k_unread = "Line 9 not understood: standby 1 authentication md5 ...\n";
    struct Case {
        const char* name;
        std::string_view text;
        ImportChoices choices;
        bool with_switch;
        std::string found;
        std::string summary;
        std::string lines;
        bool accepts;
    };
    const Case cases[] = {
        {"blank",
         " \r\n\t",
         {},
         true,
         "",
         "Paste the switch's configuration (show running-config) or open its file.",
         "",
         false},
        {"garbage",
         "\x01\x02 hello\nworld",
         {},
         true,
         "Found: no dialect Quarn reads",
         "This text is no switch configuration that Quarn reads (Cisco IOS, Cisco NX-OS, ArubaOS-Switch, "
         "Comware, Junos, AOS-CX, Dell OS10, Dell OS6, Cisco Small Business, AlliedWare Plus, EdgeSwitch, "
         "Ruckus FastIron, Huawei VRP, MikroTik RouterOS, Extreme EXOS).",
         "",
         false},
        {"new",
         k_cisco,
         {},
         true,
         "Read as Cisco IOS (assumed)",
         "Will import 2 ports and 2 VLANs as acc-1 (2)",
         "VLAN 1 added: name \"default\", colour #1565c0\n"
         "switch acc-1 (2) added: layout Rj45 1x2 OddTop block 6 gap 1\n"
         "acc-1 (2) port Gi1/0/1 added: untagged 10, description \"Desk\"\n"
         "acc-1 (2) port Gi1/0/2 added: untagged 1, disabled yes\n" +
             k_unread,
         true},
        {"update",
         k_cisco,
         {std::nullopt, ImportTarget::CurrentSwitch, ""},
         true,
         "Read as Cisco IOS (assumed)",
         "Will import 2 ports and 2 VLANs into acc-1",
         "VLAN 1 added: name \"default\", colour #1565c0\n"
         "acc-1 port Gi1/0/1: untagged none \u2192 10, description \"\" \u2192 \"Desk\"\n"
         "acc-1 port Gi1/0/2: untagged none \u2192 1, disabled no \u2192 yes\n" +
             k_unread,
         true},
        {"update without a switch is new",
         k_cisco,
         {std::nullopt, ImportTarget::CurrentSwitch, ""},
         false,
         "Read as Cisco IOS (assumed)",
         "Will import 2 ports and 2 VLANs as acc-1",
         "VLAN 1 added: name \"default\", colour #2e7d32\n"
         "VLAN 10 added: name \"Data\", colour #1565c0\n"
         "switch acc-1 added: layout Rj45 1x2 OddTop block 6 gap 1\n"
         "acc-1 port Gi1/0/1 added: untagged 10, description \"Desk\"\n"
         "acc-1 port Gi1/0/2 added: untagged 1, disabled yes\n" +
             k_unread,
         true},
        {"no host name: the file name",
         k_aruba,
         {std::nullopt, ImportTarget::NewSwitch, "closet"},
         true,
         "Found: ArubaOS-Switch",
         "Will import 2 ports and 2 VLANs as closet",
         "VLAN 1 added: name \"DEFAULT_VLAN\", colour #1565c0\n"
         "VLAN 30 added: name \"Cams\", colour #ef6c00\n"
         "switch closet added: layout Rj45 1x2 OddTop block 6 gap 1\n"
         "closet port 1 added: untagged 1\n"
         "closet port 2 added: untagged 1, tagged 30\n",
         true},
        {"ports that the switch lacks",
         k_aruba,
         {std::nullopt, ImportTarget::CurrentSwitch, ""},
         true,
         "Found: ArubaOS-Switch",
         "Will import 0 ports and 2 VLANs into acc-1",
         "VLAN 1 added: name \"DEFAULT_VLAN\", colour #1565c0\n"
         "VLAN 30 added: name \"Cams\", colour #ef6c00\n"
         "Not on acc-1: 1, 2\n",
         true},
        {"overridden",
         k_cisco,
         {Dialect::Junos, ImportTarget::NewSwitch, ""},
         true,
         "Found: Cisco IOS",
         "No ports or VLANs found when read as Junos.",
         "",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ImportDialogInput input = one_switch();
        if (!c.with_switch) input = {};
        ImportPreview preview = preview_import(input, c.text, c.choices);
        EXPECT_EQ(preview.found, c.found);
        EXPECT_EQ(preview.summary, c.summary);
        EXPECT_EQ(preview.lines, c.lines);
        EXPECT_EQ(preview.form.has_value(), c.accepts);
    }
}

TEST(ImportForm, OkAppliesWhatThePreviewShowed) {
    ImportDialogInput input = one_switch();
    for (ImportTarget target : {ImportTarget::NewSwitch, ImportTarget::CurrentSwitch}) {
        ImportPreview preview = preview_import(input, k_cisco, {std::nullopt, target, ""});
        ASSERT_TRUE(preview.form.has_value());
        Map map = input.map;
        ASSERT_TRUE(apply_import_form(map, input.current_switch, *preview.form).has_value());
        std::size_t expected_switches = target == ImportTarget::NewSwitch ? 2 : 1;
        ASSERT_EQ(map.switches.size(), expected_switches);
        EXPECT_EQ(map.switches.back().ports[0].untagged, std::optional<std::uint16_t>(10));
        EXPECT_TRUE(load_map(save_map(map)).ok());
        // Applied once more, the update finds nothing left to change.
        if (target == ImportTarget::CurrentSwitch) {
            ImportDialogInput updated{map, 0};
            ImportPreview again = preview_import(updated, k_cisco, {std::nullopt, target, ""});
            EXPECT_EQ(again.summary, "acc-1 already matches this configuration.");
            EXPECT_FALSE(again.form.has_value());
        }
    }
    // The update's switch is gone: nothing applied.
    Map empty;
    ImportForm form{import_config(k_cisco), ImportTarget::CurrentSwitch, ""};
    EXPECT_EQ(apply_import_form(empty, std::nullopt, form), std::nullopt);
    EXPECT_EQ(empty, Map{});
}

TEST(ImportForm, FileBytesBecomeTextOrAreRefused) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string text; // empty: refused with `refusal`
        std::string_view refusal;
    };
    using namespace std::string_literals;
    const Case cases[] = {
        {"plain", "hostname a\r\n", "hostname a\r\n", ""},
        {"UTF-8 mark dropped", "\xef\xbb\xbfvlan 10", "vlan 10", ""},
        {"Latin-1 left for the importer", "name Caf\xe9", "name Caf\xe9", ""},
        {"UTF-16 LE", "\xff\xfeh\0\xe9\0\r\0\n\0"s, "h\u00e9\r\n", ""},
        {"UTF-16 BE with a pair", "\xfe\xff\0v\xd8\x3d\xde\x00"s, "v\U0001f600", ""},
        {"UTF-16 half a pair and an odd byte", "\xff\xfe\x3d\xd8x\0y"s, "\ufffdx\ufffd", ""},
        {"binary", "\x89PNG\r\n\x1a\n\0\0\0\rIHDR"s, "", k_config_binary_text},
        {"UTF-16 holding a NUL", "\xff\xfea\0\0\0"s, "", k_config_binary_text},
        {"too large", std::string(k_max_config_bytes + 1, 'x'), "", k_config_too_large_text},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto text = config_file_text(c.bytes);
        if (c.text.empty()) {
            ASSERT_FALSE(text.ok());
            EXPECT_EQ(text.error(), c.refusal);
        } else {
            ASSERT_TRUE(text.ok()) << text.error();
            EXPECT_EQ(text.value(), c.text);
        }
    }
    EXPECT_EQ(config_file_text(std::string(k_max_config_bytes, 'x')).value().size(), k_max_config_bytes);
}

} // namespace
} // namespace quarn::dialogs
