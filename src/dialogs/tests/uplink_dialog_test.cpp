#include "dialogs/uplink_dialog.hpp"

#include <gtest/gtest.h>

#include "dialogs/tests/dialog_test.hpp"
#include "dialogs/tests/three_switches.hpp"
#include "test_support/script.hpp"

namespace quarn::dialogs {
namespace {

using namespace testing;
using quarn::testing::Script;
using Texts = std::vector<std::wstring>;

const Expected k_table[] = {
    {0, L"Port:", 14, 16, 80, 18, L"Static"},       {101, L"A Port 5", 100, 16, 276, 18, L"Static"},
    {0, L"&Linked To:", 14, 48, 80, 18, L"Static"}, {102, L"", 100, 44, 170, 220, L"ComboBox"},
    {103, L"", 276, 44, 100, 220, L"ComboBox"},     {1, L"OK", 212, 84, 80, 26, L"Button"},
    {2, L"Cancel", 296, 84, 80, 26, L"Button"},
};

HWND dialog() {
    return find(k_uplink_window_class);
}

using UplinkDialogTest = DialogTest;

TEST_F(UplinkDialogTest, StartsOnTheCurrentLinkAndNoneRemovesIt) {
    Map map = three_switches();
    Script script({[&] {
        HWND d = expect_open(k_uplink_window_class, L"Uplink", {0, 0, 406, 160}, k_table);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(::GetFocus(), item(d, k_uplink_switch));
        EXPECT_EQ(entries(d, k_uplink_switch), (Texts{L"None", L"B", L"C"}));
        EXPECT_EQ(chosen(d, k_uplink_switch), L"B");
        EXPECT_EQ(entries(d, k_uplink_port), (Texts{L"4", L"5", L"6", L"7"}));
        EXPECT_EQ(chosen(d, k_uplink_port), L"5");
        choose(d, k_uplink_switch, 2);
        EXPECT_EQ(entries(d, k_uplink_port), (Texts{L"1", L"2", L"3"}));
        EXPECT_EQ(chosen(d, k_uplink_port), L"1");
        choose(d, k_uplink_switch, 0);
        EXPECT_EQ(entries(d, k_uplink_port), Texts{});
        click(d, IDOK);
    }});
    EXPECT_EQ(run_uplink_dialog(owner_, uplink_dialog_input(map, {0, 4})), UplinkForm{std::nullopt});
}

TEST_F(UplinkDialogTest, ASwitchWithoutFreePortsIsNamedAndTheDialogStaysOpen) {
    UplinkDialogInput input{"R&D Port 1", {{"B", {}}, {"C", {"1", "2"}}}, std::nullopt};
    std::wstring caption;
    LONG_PTR caption_style = 0;
    Messages messages;
    Script script({
        [&] {
            HWND d = dialog();
            caption = field(d, k_uplink_caption);
            caption_style = ::GetWindowLongPtrW(item(d, k_uplink_caption), GWL_STYLE);
            EXPECT_EQ(chosen(d, k_uplink_switch), L"None");
            choose(d, k_uplink_switch, 1);
            EXPECT_EQ(entries(d, k_uplink_port), Texts{});
            click(d, IDOK);
        },
        messages.answer(0),
        [&] {
            choose(dialog(), k_uplink_switch, 2);
            choose(dialog(), k_uplink_port, 1);
            press_key(VK_RETURN);
        },
    });
    EXPECT_EQ(run_uplink_dialog(owner_, input), (UplinkForm{PortPeer{"C", "2"}}));
    EXPECT_EQ(caption, L"R&D Port 1");
    EXPECT_EQ(caption_style & SS_NOPREFIX, SS_NOPREFIX);
    EXPECT_EQ(messages.texts, Texts{L"B has no free ports."});
}

TEST_F(UplinkDialogTest, OneSwitchOffersOnlyNoneAndCancelLeavesTheLink) {
    Map map;
    map.switches.push_back(plain_switch("solo", 4));
    Texts lists;
    Script script({[&] {
        lists = entries(dialog(), k_uplink_switch);
        click(dialog(), IDCANCEL);
    }});
    EXPECT_EQ(run_uplink_dialog(owner_, uplink_dialog_input(map, {0, 0})), std::nullopt);
    EXPECT_EQ(lists, Texts{L"None"});
}

} // namespace
} // namespace quarn::dialogs
