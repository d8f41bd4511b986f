#include "dialogs/lag_dialog.hpp"

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
    {0, L"&Name:", 14, 16, 80, 18, L"Static"},      {101, L"", 100, 12, 160, 24, L"Edit", 40},
    {0, L"&Ports:", 14, 48, 80, 18, L"Static"},     {102, L"", 100, 44, 276, 24, L"Edit", 200},
    {0, L"&Linked To:", 14, 80, 80, 18, L"Static"}, {103, L"", 100, 76, 150, 220, L"ComboBox"},
    {104, L"", 256, 76, 120, 220, L"ComboBox"},     {1, L"OK", 212, 116, 80, 26, L"Button"},
    {2, L"Cancel", 296, 116, 80, 26, L"Button"},
};

const Expected k_remove_row[] = {{105, L"Remove LAG", 14, 116, 96, 26, L"Button"}};

HWND dialog() {
    return find(k_lag_window_class);
}

using LagDialogTest = DialogTest;

TEST_F(LagDialogTest, AddingWalksThroughTheListsTheCheckAndTheQuestion) {
    Map map = three_switches();
    map.switches[0].ports[2].untagged = 10;
    map.switches[0].ports[5].tagged = {20};
    LagDialogInput input = lag_dialog_input(map, 0, std::nullopt, {2, 5});
    Messages messages;
    HWND d = nullptr;
    Script script({
        [&] {
            d = expect_open(k_lag_window_class, L"Add LAG", {0, 0, 406, 192}, k_table);
            ASSERT_NE(d, nullptr);
            EXPECT_EQ(item(d, k_lag_remove), nullptr);
            EXPECT_EQ(field(d, k_lag_name), L"Trk2");
            EXPECT_EQ(field(d, k_lag_ports), L"3,6");
            EXPECT_EQ(entries(d, k_lag_switch), (Texts{L"None", L"B", L"C"}));
            EXPECT_EQ(chosen(d, k_lag_switch), L"None");
            EXPECT_EQ(entries(d, k_lag_far_lag), Texts{});
            EXPECT_EQ(::GetFocus(), item(d, k_lag_name));
            choose(d, k_lag_switch, 2);
            EXPECT_EQ(entries(d, k_lag_far_lag), Texts{});
            click(d, IDOK);
        },
        messages.answer(0),
        [&] {
            choose(d, k_lag_switch, 1);
            EXPECT_EQ(entries(d, k_lag_far_lag), (Texts{L"Trk1", L"Trk2"}));
            EXPECT_EQ(chosen(d, k_lag_far_lag), L"Trk1");
            choose(d, k_lag_far_lag, 1);
            type(d, k_lag_name, L"Trk1");
            click(d, IDOK);
        },
        messages.answer(0),
        [&] {
            type(d, k_lag_name, L"  Up ");
            click(d, IDOK);
        },
        messages.answer(1), // Cancel: back to the dialog
        [&] { click(d, IDOK); },
        messages.answer(0), // Continue
    });
    auto form =
        run_lag_dialog(owner_, input, lag_check(map, 0, std::nullopt), lag_question(map, 0, std::nullopt));
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(messages.texts,
              (Texts{L"C has no LAGs yet. Add one there first.", L"This switch already has a LAG named Trk1.",
                     L"All ports of the LAG will take the VLANs of port 3",
                     L"All ports of the LAG will take the VLANs of port 3"}));
    EXPECT_EQ(messages.buttons,
              (std::vector<Texts>{{L"OK"}, {L"OK"}, {L"Continue", L"Cancel"}, {L"Continue", L"Cancel"}}));
    EXPECT_EQ(form, (LagForm{"Up", "3,6", LagPeer{"B", "Trk2"}, false}));
}

TEST_F(LagDialogTest, EditingStartsOnTheLinkAndRemoveSkipsTheCheck) {
    Map map = three_switches();
    LagDialogInput input = lag_dialog_input(map, 0, std::string("Trk1"), {});
    int checks = 0;
    LagCheck check = [&](const LagForm&) {
        ++checks;
        return std::optional<std::string>();
    };
    Script remove({[&] {
        HWND d = expect_open(k_lag_window_class, L"Edit LAG", {0, 0, 406, 192}, k_table);
        ASSERT_NE(d, nullptr);
        expect_layout(d, k_remove_row);
        EXPECT_EQ(field(d, k_lag_ports), L"1,2");
        EXPECT_EQ(chosen(d, k_lag_switch), L"B");
        EXPECT_EQ(chosen(d, k_lag_far_lag), L"Trk1");
        choose(d, k_lag_far_lag, 1);
        choose(d, k_lag_switch, 2); // C: no LAGs
        EXPECT_EQ(entries(d, k_lag_far_lag), Texts{});
        choose(d, k_lag_switch, 1); // back to B: its first LAG
        EXPECT_EQ(chosen(d, k_lag_far_lag), L"Trk1");
        click(d, k_lag_remove);
    }});
    EXPECT_EQ(run_lag_dialog(owner_, input, check, {}), (LagForm{"", "", std::nullopt, true}));
    EXPECT_EQ(checks, 0);

    Script rename({[&] {
        type(dialog(), k_lag_name, L"Core");
        type(dialog(), k_lag_ports, L"1-2,4");
        press_key(VK_RETURN);
    }});
    EXPECT_EQ(run_lag_dialog(owner_, input, check, {}),
              (LagForm{"Core", "1-2,4", LagPeer{"B", "Trk1"}, false}));
    EXPECT_EQ(checks, 1);
}

TEST_F(LagDialogTest, OneSwitchOffersOnlyNoneAndEscapeCancels) {
    Map map;
    map.switches.push_back(plain_switch("solo", 4));
    LagDialogInput input = lag_dialog_input(map, 0, std::nullopt, {0, 1});
    Texts lists;
    Script script({[&] {
        lists = entries(dialog(), k_lag_switch);
        press_key(VK_ESCAPE);
    }});
    EXPECT_EQ(run_lag_dialog(owner_, input, lag_check(map, 0, std::nullopt), {}), std::nullopt);
    EXPECT_EQ(lists, Texts{L"None"});

    Script accept({[] { click(dialog(), IDOK); }});
    EXPECT_EQ(run_lag_dialog(owner_, input, lag_check(map, 0, std::nullopt), {}),
              (LagForm{"Trk1", "1,2", std::nullopt, false}));
}

} // namespace
} // namespace quarn::dialogs
