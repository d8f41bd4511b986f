// The dialogs' platform-free part: reading fields, templates, proposals,
// the "Linked To:" lists and applying LAG and uplink results.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/form_text.hpp"
#include "dialogs/lag_form.hpp"
#include "dialogs/link_choice.hpp"
#include "dialogs/switch_form.hpp"
#include "dialogs/tests/three_switches.hpp"
#include "dialogs/uplink_form.hpp"
#include "dialogs/vlan_form.hpp"

namespace quarn::dialogs {
namespace {

using Labels = std::vector<std::string>;
using testing::plain_switch;
using testing::three_switches;

TEST(FormText, TrimsUnicodeWhiteSpaceOnly) {
    struct Case {
        std::string text;
        std::string trimmed;
    };
    const Case cases[] = {
        {"  core-1  ", "core-1"},
        {"\t\r\n\v\f x y \t", "x y"},
        {"      ", ""},
        {"", ""},
        {"\u00a0\u3000\u2007Rack 4\u2028\u205f\u0085", "Rack 4"},
        {"\u200bzero width\u200b", "\u200bzero width\u200b"}, // not white space
        {"  Stra\u00dfe ", "Stra\u00dfe"},
        {"\xff \xe2\x80", "\xff \xe2\x80"}, // broken bytes stay
        {" \xe3\x80\x80", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(trim_space(c.text), c.trimmed) << c.text;
}

TEST(FormText, ReadsNumbersLikeTheFields) {
    struct Case {
        const char* text;
        std::optional<std::uint16_t> value;
    };
    const Case cases[] = {{"7", 7},
                          {"+7", 7},
                          {"007", 7},
                          {"0", 0},
                          {"65535", 65535},
                          {"65536", {}},
                          {"", {}},
                          {"+", {}},
                          {"-1", {}},
                          {" 7", {}},
                          {"7 ", {}},
                          {"12a", {}},
                          {"1+2", {}},
                          {"000000000000000000042", 42},
                          {"99999999999999999999999", {}}};
    for (const Case& c : cases) EXPECT_EQ(parse_form_number(c.text), c.value) << c.text;
}

SwitchFormText fields(std::string name, std::string ports, std::string sfp, std::string dual,
                      std::string rows, std::string gap) {
    SwitchFormText text;
    text.name = std::move(name);
    text.ports = std::move(ports);
    text.sfp = std::move(sfp);
    text.dual = std::move(dual);
    text.rows = std::move(rows);
    text.gap = std::move(gap);
    return text;
}

TEST(SwitchForm, ReadingParsesClampsAndTrims) {
    struct Case {
        SwitchFormText text;
        SwitchForm form;
    };
    const Case cases[] = {
        {fields("core", "200", "0", "0", "0", "0"), {"core", "", "", "", 128, 1, 0, 0, 0, false}},
        {fields("   ", "+7", "x", "", "+", "65535"), {"", "", "", "", 7, 1, 65535, 0, 0, false}},
        {fields(" a ", "24", "129", "300", "3", "70000"), {"a", "", "", "", 24, 3, 0, 128, 128, false}},
        {fields("b", " 24", "2", "4", "65535", "6 "), {"b", "", "", "", 0, 65535, 0, 4, 2, false}},
    };
    for (const Case& c : cases) EXPECT_EQ(read_switch_form(c.text), c.form) << c.text.ports;

    SwitchFormText text = fields("\u00a0edge 1\u3000", "8", "0", "0", "1", "0");
    text.model = " GS108 ";
    text.location = "\tRack 2\n";
    text.label_prefix = " Gi1/0/ ";
    text.number_row_by_row = true;
    EXPECT_EQ(read_switch_form(text),
              (SwitchForm{"edge 1", "Rack 2", "GS108", "Gi1/0/", 8, 1, 0, 0, 0, true}));
}

// The defaults and a whole switch are seen in the dialog's fields.
TEST(SwitchForm, StartsFromTheEditedSwitch) {
    // Only SFP ports: the RJ45 numbers take their defaults.
    Switch sfp_only = make_switch("agg", "", "", {"Te", 0, 3, 4, 0, 6, false});
    EXPECT_EQ(switch_form_text(&sfp_only),
              (SwitchFormText{"agg", "", "", "0", "6", "0", "2", "6", "Te", false}));

    // Odd counts were rounded up to whole rows; labels of digits only give
    // no prefix; a switch without ports has none either.
    Switch odd = make_switch("x", "", "", {"", 25, 2, 0, 3, 0, false});
    EXPECT_EQ(switch_form_text(&odd), (SwitchFormText{"x", "", "", "26", "0", "4", "2", "0", "", false}));
    Switch empty;
    empty.name = "bare";
    EXPECT_EQ(switch_form_text(&empty), (SwitchFormText{"bare", "", "", "0", "0", "0", "2", "6", "", false}));
}

TEST(SwitchForm, TemplatesSetCountsAndResetTheLayout) {
    SwitchFormText text = fields("core", "24", "0", "2", "3", "8");
    text.label_prefix = "Gi";
    SwitchFormText custom = text;
    EXPECT_FALSE(apply_switch_template(custom, 0));
    EXPECT_FALSE(apply_switch_template(custom, 7));
    EXPECT_EQ(custom, text);
    EXPECT_TRUE(apply_switch_template(text, 6));
    EXPECT_FALSE(apply_switch_template(text, 6)); // nothing left to change

    const char* counts[][2] = {{"8", "2"}, {"16", "2"}, {"24", "2"}, {"24", "4"}, {"48", "2"}, {"48", "4"}};
    for (std::size_t entry = 1; entry < k_switch_templates.size(); ++entry) {
        SwitchFormText t = fields("", "1", "1", "1", "1", "1");
        apply_switch_template(t, entry);
        EXPECT_EQ(t, fields("", counts[entry - 1][0], counts[entry - 1][1], "0", "2", "6")) << entry;
    }
}

TEST(SwitchForm, ValidationMessagesInOrder) {
    struct Case {
        SwitchFormText text;
        std::optional<std::string> problem;
    };
    const Case cases[] = {
        {fields("  ", "0", "0", "0", "2", "6"), "Enter a name for the switch."},
        {fields("core", "0", "0", "0", "2", "6"), "A switch needs at least one port."},
        {fields("core", "abc", "", "+", "2", "6"), "A switch needs at least one port."},
        {fields("core", "0", "1", "0", "2", "6"), std::nullopt},
        {fields("core", "0", "0", "1", "2", "6"), std::nullopt},
        {fields("core", "200", "0", "0", "0", "0"), std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(switch_form_problem(read_switch_form(c.text)), c.problem);
}

TEST(SwitchForm, PreviewMapAndScale) {
    SwitchForm form = read_switch_form(fields("", "48", "4", "4", "2", "6"));
    Map map = preview_map(form);
    ASSERT_EQ(map.switches.size(), 1u);
    EXPECT_EQ(map.switches[0].name, "Switch");
    SwitchLayout layout = build_switch_layout(layout_input(form));
    EXPECT_EQ(map.switches[0].groups, layout.groups);
    EXPECT_EQ(map.switches[0].ports, layout.ports);
    form.name = "edge";
    EXPECT_EQ(preview_map(form).switches[0].name, "edge");

    struct Case {
        float client_w, client_h, scene_w, scene_h, natural, scale;
    };
    const Case cases[] = {
        {560, 126, 280, 63, 1.0f, 1.0f},   // small: never enlarged
        {560, 126, 1120, 100, 1.0f, 0.5f}, // too wide
        {560, 126, 280, 252, 1.0f, 0.5f},  // too tall
        {840, 189, 300, 90, 1.5f, 1.5f},   // at 144 dpi the natural size is 1.5
        {560, 126, 0, 0, 1.0f, 1.0f},
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(preview_scale(c.client_w, c.client_h, c.scene_w, c.scene_h, c.natural), c.scale);
}

TEST(VlanForm, AnIdBeyondTheFieldIsNoId) {
    EXPECT_EQ(read_vlan_form("70000", "x", Rgb{1, 2, 3}).error(), "Enter a VLAN ID.");
}

TEST(VlanForm, ChecksCarryTheirMessagesAndNeedNoMap) {
    Map map;
    map.vlans = {{10, "Office", {}}, {20, "Voice", {}}};
    VlanCheck add = add_vlan_check(map);
    VlanCheck edit = edit_vlan_check(map, 10);
    map.vlans.clear(); // the checks kept what they need
    EXPECT_EQ(add(Vlan{10, "x", {}}), "VLAN 10 already exists.");
    EXPECT_EQ(add(Vlan{0, "x", {}}), "VLAN ID 0 is not between 1 and 4094.");
    EXPECT_EQ(add(Vlan{4095, "x", {}}), "VLAN ID 4095 is not between 1 and 4094.");
    EXPECT_EQ(add(Vlan{30, "", {}}), std::nullopt);
    EXPECT_EQ(edit(Vlan{10, "Renamed", {}}), std::nullopt);
    EXPECT_EQ(edit(Vlan{20, "x", {}}), "VLAN 20 already exists.");
    EXPECT_EQ(edit(Vlan{11, "x", {}}), std::nullopt);
}

TEST(LinkChoice, OffersOtherSwitchesThatTheirNameReaches) {
    Map map;
    map.switches = {plain_switch("A", 1), plain_switch("B", 1), plain_switch("A", 1), plain_switch("C", 1),
                    plain_switch("B", 1)};
    EXPECT_EQ(link_switches(map, 0), (std::vector<std::size_t>{1, 3}));
    EXPECT_EQ(link_switches(map, 3), (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(link_switches(map, 2), (std::vector<std::size_t>{1, 3})); // "A" would mean switch 0
    Map single;
    single.switches = {plain_switch("A", 1)};
    EXPECT_TRUE(link_switches(single, 0).empty());
}

// The dialogs show reading the lists; here the links they cannot show.
TEST(LinkChoice, AMissingEntryKeepsItsSwitchAndOnlyAMissingSwitchStartsOnNone) {
    std::vector<LinkCandidate> candidates = {{"B", {"Trk1", "Trk2"}}, {"C", {}}};
    EXPECT_EQ(initial_link_choice(candidates, "B", "Trk2"), (LinkChoice{0, 1}));
    EXPECT_EQ(initial_link_choice(candidates, "B", "Trk9"), (LinkChoice{0, 0}));
    EXPECT_EQ(initial_link_choice(candidates, "C", "Trk1"), (LinkChoice{1, std::nullopt}));
    EXPECT_EQ(initial_link_choice(candidates, "Z", "Trk1"), LinkChoice{});
    // OK then keeps a link to the switch instead of dropping it.
    auto read = read_link_choice(candidates, initial_link_choice(candidates, "B", "Trk9"), "{} has none");
    ASSERT_TRUE(read);
    EXPECT_EQ(read.value(), (ChosenLink{"B", "Trk1"}));
}

TEST(LagForm, InputsForAddingAndEditing) {
    Map map = three_switches();
    map.switches[0].lags.push_back(Lag{"Trk3", {"7"}, std::nullopt});
    LagDialogInput add = lag_dialog_input(map, 0, std::nullopt, {2, 3, 5});
    EXPECT_EQ(add,
              (LagDialogInput{false, "Trk2", "3,4,6", {{"B", {"Trk1", "Trk2"}}, {"C", {}}}, std::nullopt}));
    add = lag_dialog_input(map, 0, std::nullopt, {2, 3, 4});
    EXPECT_EQ(add.ports, "3-5");

    LagDialogInput edit = lag_dialog_input(map, 0, std::string("Trk1"), {});
    EXPECT_EQ(edit, (LagDialogInput{
                        true, "Trk1", "1,2", {{"B", {"Trk1", "Trk2"}}, {"C", {}}}, LagPeer{"B", "Trk1"}}));

    EXPECT_EQ(lag_to_edit(map.switches[0], {1, 4}), "Trk1");
    EXPECT_EQ(lag_to_edit(map.switches[0], {4, 1}), std::nullopt);
    EXPECT_EQ(lag_to_edit(map.switches[0], {}), std::nullopt);
}

TEST(LagForm, CheckMessagesInOrder) {
    Map map = three_switches();
    const Switch& a = map.switches[0];
    struct Case {
        std::optional<std::string> editing;
        LagForm form;
        std::optional<std::string> message;
    };
    const Case cases[] = {
        {std::nullopt, {"", "99", {}, false}, "A has no port 99."},
        {std::nullopt, {"", "3-4", {}, false}, "Enter a name for the LAG."},
        {std::nullopt, {"Trk1", "3-4", {}, false}, "This switch already has a LAG named Trk1."},
        {std::nullopt, {"Trk2", "", {}, false}, "A LAG needs at least one port."},
        {std::nullopt, {"Trk2", " , ", {}, false}, "A LAG needs at least one port."},
        {std::nullopt, {"Trk2", "3,2", {}, false}, "Port 2 is already in LAG Trk1."},
        {std::nullopt, {"Trk2", "4-6", {}, false}, "Port 5 has an uplink. Remove it first."},
        {std::nullopt, {"Trk2", "3-4", {}, false}, std::nullopt},
        {"Trk1", {"Trk1", "1-3", {}, false}, std::nullopt},
        {"Trk1", {"Bond", "2-3", {}, false}, std::nullopt},
        {"Trk1", {"Trk1", "1-5", {}, false}, "Port 5 has an uplink. Remove it first."},
    };
    for (const Case& c : cases) EXPECT_EQ(check_lag_form(a, c.editing, c.form), c.message) << c.form.ports;

    // The packaged check works on its own copy.
    LagCheck check = lag_check(map, 0, std::nullopt);
    map.switches.clear();
    EXPECT_EQ(check({"Trk1", "3", {}, false}), "This switch already has a LAG named Trk1.");
}

TEST(LagForm, AsksOnlyWhenVlansChange) {
    Map map = three_switches();
    Switch& a = map.switches[0];
    a.ports[2].untagged = 10; // port 3
    a.ports[3].untagged = 10; // port 4
    a.ports[5].tagged = {20}; // port 6
    struct Case {
        std::optional<std::string> editing;
        std::string ports;
        std::optional<std::string> question;
    };
    const Case cases[] = {
        {std::nullopt, "3-4", std::nullopt}, // both carry VLAN 10 already
        {std::nullopt, "3,6", "All ports of the LAG will take the VLANs of port 3"},
        {std::nullopt, "6,3", "All ports of the LAG will take the VLANs of port 6"},
        {std::nullopt, "7-8", std::nullopt},
        {"Trk1", "1-2", std::nullopt},
        {"Trk1", "3,1", "All ports of the LAG will take the VLANs of port 1"},
        {std::nullopt, "2-3", std::nullopt}, // refused by the check: no question
    };
    for (const Case& c : cases) {
        LagForm form{"New", c.ports, {}, false};
        if (c.editing) form.name = *c.editing;
        EXPECT_EQ(lag_form_question(a, c.editing, form), c.question) << c.ports;
    }
}

TEST(LagForm, ApplyCreatesEditsLinksAndRemoves) {
    {
        SCOPED_TRACE("a new LAG linked to a far LAG, both ways");
        Map map = three_switches();
        ASSERT_EQ(apply_lag_form(map, 0, std::nullopt, {"Up", "3-4", LagPeer{"B", "Trk2"}, false}),
                  std::nullopt);
        EXPECT_EQ(map.switches[0].lags.back(), (Lag{"Up", {"3", "4"}, LagPeer{"B", "Trk2"}}));
        EXPECT_EQ(map.switches[1].lags[1].peer, (LagPeer{"A", "Up"}));
    }
    {
        SCOPED_TRACE("a rename keeps the far end pointing at it");
        Map map = three_switches();
        ASSERT_EQ(apply_lag_form(map, 0, std::string("Trk1"), {"Core", "1-3", LagPeer{"B", "Trk1"}, false}),
                  std::nullopt);
        EXPECT_EQ(map.switches[0].lags[0], (Lag{"Core", {"1", "2", "3"}, LagPeer{"B", "Trk1"}}));
        EXPECT_EQ(map.switches[1].lags[0].peer, (LagPeer{"A", "Core"}));
    }
    {
        SCOPED_TRACE("None unlinks both ends; moving the link frees the old far LAG");
        Map map = three_switches();
        ASSERT_EQ(apply_lag_form(map, 0, std::string("Trk1"), {"Trk1", "1-2", std::nullopt, false}),
                  std::nullopt);
        EXPECT_EQ(map.switches[0].lags[0].peer, std::nullopt);
        EXPECT_EQ(map.switches[1].lags[0].peer, std::nullopt);
        map = three_switches();
        ASSERT_EQ(apply_lag_form(map, 0, std::string("Trk1"), {"Trk1", "1-2", LagPeer{"B", "Trk2"}, false}),
                  std::nullopt);
        EXPECT_EQ(map.switches[1].lags[0].peer, std::nullopt);
        EXPECT_EQ(map.switches[1].lags[1].peer, (LagPeer{"A", "Trk1"}));
    }
    {
        SCOPED_TRACE("Remove LAG: gone, and the far LAG loses its peer");
        Map map = three_switches();
        ASSERT_EQ(apply_lag_form(map, 0, std::string("Trk1"), {"", "", std::nullopt, true}), std::nullopt);
        EXPECT_TRUE(map.switches[0].lags.empty());
        EXPECT_EQ(map.switches[1].lags[0].peer, std::nullopt);
    }
    {
        SCOPED_TRACE("refusals leave the map as it was");
        struct Case {
            std::optional<std::string> editing;
            LagForm form;
            const char* message;
        };
        const Case cases[] = {
            {std::nullopt, {"Trk1", "3", {}, false}, "This switch already has a LAG named Trk1."},
            {std::nullopt, {"Up", "3,x", {}, false}, "A has no port x."},
            {std::nullopt, {"Up", "3", LagPeer{"B", "Trk9"}, false}, "LAG Trk9 does not exist."},
            {"Gone", {"Up", "3", {}, false}, "LAG Gone does not exist."},
        };
        for (const Case& c : cases) {
            Map map = three_switches();
            EXPECT_EQ(apply_lag_form(map, 0, c.editing, c.form), c.message);
            EXPECT_EQ(map, three_switches());
        }
    }
}

TEST(UplinkForm, FreePortsAndInputs) {
    Map map = three_switches();
    // B: 1, 2 in Trk1, 3 in Trk2, 5 linked to A 5, 8 linked to C 4.
    EXPECT_EQ(free_port_labels(map, 1, {0, 0}), (Labels{"4", "6", "7"}));
    EXPECT_EQ(free_port_labels(map, 1, {0, 4}), (Labels{"4", "5", "6", "7"})); // A 5 keeps its own
    EXPECT_EQ(free_port_labels(map, 1, {2, 3}), (Labels{"4", "6", "7", "8"}));
    map.switches[1].ports[5].label = "4"; // a second "4" cannot be named
    map.switches[1].ports[6].label = "";
    EXPECT_EQ(free_port_labels(map, 1, {0, 0}), (Labels{"4"}));

    map = three_switches();
    UplinkDialogInput input = uplink_dialog_input(map, {0, 4});
    EXPECT_EQ(input,
              (UplinkDialogInput{
                  "A Port 5", {{"B", {"4", "5", "6", "7"}}, {"C", {"1", "2", "3"}}}, PortPeer{"B", "5"}}));
}

TEST(UplinkForm, ApplyLinksAndUnlinksBothEnds) {
    Map map = three_switches();
    ASSERT_EQ(apply_uplink_form(map, {0, 4}, {std::nullopt}), std::nullopt);
    EXPECT_EQ(map.switches[0].ports[4].link, std::nullopt);
    EXPECT_EQ(map.switches[1].ports[4].link, std::nullopt);

    map = three_switches();
    ASSERT_EQ(apply_uplink_form(map, {0, 4}, {PortPeer{"C", "2"}}), std::nullopt);
    EXPECT_EQ(map.switches[0].ports[4].link, (PortPeer{"C", "2"}));
    EXPECT_EQ(map.switches[2].ports[1].link, (PortPeer{"A", "5"}));
    EXPECT_EQ(map.switches[1].ports[4].link, std::nullopt); // the old partner

    struct Case {
        PortRef port;
        PortPeer peer;
        const char* message;
    };
    const Case cases[] = {
        {{0, 0}, {"B", "4"}, "Port 1 is in LAG Trk1. Remove it from the LAG first."},
        {{0, 3}, {"B", "2"}, "Port 2 is in LAG Trk1. Remove it from the LAG first."},
        {{0, 3}, {"B", "99"}, "B has no port 99."},
        {{0, 3}, {"Z", "1"}, "Z has no port 1."},
        {{0, 3}, {"A", "4"}, "A port cannot be linked to a port of its own switch."},
        {{0, 99}, {"B", "4"}, "The port to link no longer exists."},
    };
    for (const Case& c : cases) {
        map = three_switches();
        EXPECT_EQ(apply_uplink_form(map, c.port, {c.peer}), c.message);
        EXPECT_EQ(map, three_switches());
    }
}

} // namespace
} // namespace quarn::dialogs
