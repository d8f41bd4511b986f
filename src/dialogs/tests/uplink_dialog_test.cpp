#include "dialogs/uplink_dialog.hpp"

#include <gtest/gtest.h>

#include "controls/tests/script.hpp"
#include "dialogs/tests/dialog_driver.hpp"
#include "ops/switch_ops.hpp"

namespace quarn::dialogs {
namespace {

using namespace testing;
using quarn::testing::Script;
using Texts = std::vector<std::wstring>;

const Expected k_table[] = {
    {0, L"Port:", 14, 16, 80, 18, L"Static"},      {101, L"A Port 5", 100, 16, 276, 18, L"Static"},
    {0, L"Linked To:", 14, 48, 80, 18, L"Static"}, {102, L"", 100, 44, 170, 220, L"ComboBox"},
    {103, L"", 276, 44, 100, 220, L"ComboBox"},    {1, L"OK", 212, 84, 80, 26, L"Button"},
    {2, L"Cancel", 296, 84, 80, 26, L"Button"},
};

HWND dialog() {
    return find(k_uplink_window_class);
}

// A 5 and B 5 linked; B 1, 2 in a LAG; C 4 linked to B 8.
Map site() {
    Map map;
    for (auto [name, ports] : {std::pair{"A", 8}, {"B", 8}, {"C", 4}})
        map.switches.push_back(make_switch(name, "", "", SwitchLayoutInput{"", std::uint16_t(ports), 1}));
    map.switches[1].lags = {Lag{"Trk1", {"1", "2"}, std::nullopt}};
    map.switches[0].ports[4].link = PortPeer{"B", "5"};
    map.switches[1].ports[4].link = PortPeer{"A", "5"};
    map.switches[2].ports[3].link = PortPeer{"B", "8"};
    map.switches[1].ports[7].link = PortPeer{"C", "4"};
    return map;
}

using UplinkDialogTest = DialogTest;

TEST_F(UplinkDialogTest, StartsOnTheCurrentLinkAndNoneRemovesIt) {
    Map map = site();
    UplinkDialogInput input = uplink_dialog_input(map, {0, 4});
    Script script({[&] {
        HWND d = dialog();
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(text_of(d), L"Uplink");
        EXPECT_EQ(outer_size(d), (Placement{0, 0, 406, 160}));
        expect_layout(d, k_table);
        EXPECT_EQ(::GetFocus(), item(d, k_uplink_switch));
        EXPECT_EQ(entries(d, k_uplink_switch), (Texts{L"None", L"B", L"C"}));
        EXPECT_EQ(chosen(d, k_uplink_switch), L"B");
        EXPECT_EQ(entries(d, k_uplink_port), (Texts{L"3", L"4", L"5", L"6", L"7"}));
        EXPECT_EQ(chosen(d, k_uplink_port), L"5");
        choose(d, k_uplink_switch, 2);
        EXPECT_EQ(entries(d, k_uplink_port), (Texts{L"1", L"2", L"3"}));
        EXPECT_EQ(chosen(d, k_uplink_port), L"1");
        choose(d, k_uplink_switch, 0);
        EXPECT_EQ(entries(d, k_uplink_port), Texts{});
        click(d, IDOK);
    }});
    auto form = run_uplink_dialog(owner_, input);
    ASSERT_EQ(form, UplinkForm{std::nullopt});
    ASSERT_EQ(apply_uplink_form(map, {0, 4}, *form), std::nullopt);
    EXPECT_EQ(map.switches[0].ports[4].link, std::nullopt);
    EXPECT_EQ(map.switches[1].ports[4].link, std::nullopt);
}

TEST_F(UplinkDialogTest, ASwitchWithoutFreePortsIsNamedAndTheDialogStaysOpen) {
    UplinkDialogInput input{"R&D Port 1", {{"B", {}}, {"C", {"1", "2"}}}, std::nullopt};
    std::wstring caption, message;
    LONG_PTR caption_style = 0;
    bool open = false;
    HWND d = nullptr;
    Script script({
        [&] {
            d = dialog();
            caption = field(d, k_uplink_caption);
            caption_style = ::GetWindowLongPtrW(item(d, k_uplink_caption), GWL_STYLE);
            EXPECT_EQ(chosen(d, k_uplink_switch), L"None");
            choose(d, k_uplink_switch, 1);
            EXPECT_EQ(entries(d, k_uplink_port), Texts{});
            click(d, IDOK);
        },
        [&] {
            message = message_text();
            answer_message(0);
        },
        [&] {
            open = dialog() == d;
            choose(d, k_uplink_switch, 2);
            choose(d, k_uplink_port, 1);
            press_key(VK_RETURN);
        },
    });
    auto form = run_uplink_dialog(owner_, input);
    EXPECT_EQ(caption, L"R&D Port 1");
    EXPECT_EQ(caption_style & SS_NOPREFIX, SS_NOPREFIX);
    EXPECT_EQ(message, L"B has no free ports.");
    EXPECT_TRUE(open);
    EXPECT_EQ(form, (UplinkForm{PortPeer{"C", "2"}}));
}

TEST_F(UplinkDialogTest, OneSwitchOffersOnlyNoneAndCancelLeavesTheLink) {
    Map map;
    map.switches.push_back(make_switch("solo", "", "", SwitchLayoutInput{"", 4, 1}));
    UplinkDialogInput input = uplink_dialog_input(map, {0, 0});
    Texts lists;
    Script script({[&] {
        lists = entries(dialog(), k_uplink_switch);
        click(dialog(), IDCANCEL);
    }});
    EXPECT_EQ(run_uplink_dialog(owner_, input), std::nullopt);
    EXPECT_EQ(lists, Texts{L"None"});
}

} // namespace
} // namespace quarn::dialogs
