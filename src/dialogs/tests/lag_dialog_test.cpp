#include "dialogs/lag_dialog.hpp"

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
    {0, L"Name:", 14, 16, 80, 18, L"Static"},      {101, L"", 100, 12, 160, 24, L"Edit"},
    {0, L"Ports:", 14, 48, 80, 18, L"Static"},     {102, L"", 100, 44, 276, 24, L"Edit"},
    {0, L"Linked To:", 14, 80, 80, 18, L"Static"}, {103, L"", 100, 76, 150, 220, L"ComboBox"},
    {104, L"", 256, 76, 120, 220, L"ComboBox"},    {1, L"OK", 212, 116, 80, 26, L"Button"},
    {2, L"Cancel", 296, 116, 80, 26, L"Button"},
};

const Expected k_remove_row[] = {{105, L"Remove LAG", 14, 116, 96, 26, L"Button"}};

HWND dialog() {
    return find(k_lag_window_class);
}

// A: Trk1 = 1,2 peered with B Trk1; port 3 untagged 10, port 6 tagged 20.
// B: Trk1, Trk2. C: no LAGs.
Map site() {
    Map map;
    for (auto [name, ports] : {std::pair{"A", 8}, {"B", 8}, {"C", 4}})
        map.switches.push_back(make_switch(name, "", "", SwitchLayoutInput{"", std::uint16_t(ports), 1}));
    map.switches[0].lags = {Lag{"Trk1", {"1", "2"}, LagPeer{"B", "Trk1"}}};
    map.switches[1].lags = {Lag{"Trk1", {"1", "2"}, LagPeer{"A", "Trk1"}}, Lag{"Trk2", {"3"}, std::nullopt}};
    map.switches[0].ports[2].untagged = 10;
    map.switches[0].ports[5].tagged = {20};
    return map;
}

// Counts the calls of the caller's check and passes them on.
struct CountingCheck {
    LagCheck inner;
    int calls = 0;
    LagCheck check() {
        return [this](const LagForm& form) {
            ++calls;
            return inner(form);
        };
    }
};

using LagDialogTest = DialogTest;

TEST_F(LagDialogTest, AddingWalksThroughTheListsTheCheckAndTheQuestion) {
    Map map = site();
    LagDialogInput input = lag_dialog_input(map, 0, std::nullopt, {2, 5});
    std::vector<std::wstring> messages;
    std::vector<Texts> buttons;
    std::vector<bool> open;
    HWND d = nullptr;
    auto answer = [&](int index) {
        return [&, index] {
            messages.push_back(message_text());
            buttons.push_back(message_buttons());
            answer_message(index);
        };
    };
    Script script({
        [&] {
            d = dialog();
            ASSERT_NE(d, nullptr);
            EXPECT_EQ(text_of(d), L"Add LAG");
            EXPECT_EQ(outer_size(d), (Placement{0, 0, 406, 192}));
            expect_layout(d, k_table);
            EXPECT_EQ(item(d, k_lag_remove), nullptr);
            EXPECT_EQ(field(d, k_lag_name), L"Trk2");
            EXPECT_EQ(field(d, k_lag_ports), L"3,6");
            EXPECT_EQ(::SendMessageW(item(d, k_lag_name), EM_GETLIMITTEXT, 0, 0), 40);
            EXPECT_EQ(::SendMessageW(item(d, k_lag_ports), EM_GETLIMITTEXT, 0, 0), 200);
            EXPECT_EQ(entries(d, k_lag_switch), (Texts{L"None", L"B", L"C"}));
            EXPECT_EQ(chosen(d, k_lag_switch), L"None");
            EXPECT_EQ(entries(d, k_lag_far_lag), Texts{});
            EXPECT_EQ(::GetFocus(), item(d, k_lag_name));
            choose(d, k_lag_switch, 2);
            EXPECT_EQ(entries(d, k_lag_far_lag), Texts{});
            click(d, IDOK);
        },
        answer(0),
        [&] {
            open.push_back(dialog() == d);
            choose(d, k_lag_switch, 1);
            EXPECT_EQ(entries(d, k_lag_far_lag), (Texts{L"Trk1", L"Trk2"}));
            EXPECT_EQ(chosen(d, k_lag_far_lag), L"Trk1");
            choose(d, k_lag_far_lag, 1);
            type(d, k_lag_name, L"Trk1");
            click(d, IDOK);
        },
        answer(0),
        [&] {
            open.push_back(dialog() == d);
            type(d, k_lag_name, L"  Up ");
            click(d, IDOK);
        },
        answer(1), // Cancel: back to the dialog
        [&] {
            open.push_back(dialog() == d);
            click(d, IDOK);
        },
        answer(0), // Continue
    });
    CountingCheck check{lag_check(map, 0, std::nullopt)};
    auto form = run_lag_dialog(owner_, input, check.check(), lag_question(map, 0, std::nullopt));
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(messages,
              (Texts{L"C has no LAGs yet. Add one there first.", L"This switch already has a LAG named Trk1.",
                     L"All ports of the LAG will take the VLANs of port 3",
                     L"All ports of the LAG will take the VLANs of port 3"}));
    EXPECT_EQ(buttons,
              (std::vector<Texts>{{L"OK"}, {L"OK"}, {L"Continue", L"Cancel"}, {L"Continue", L"Cancel"}}));
    EXPECT_EQ(open, (std::vector<bool>{true, true, true}));
    EXPECT_EQ(check.calls, 3); // not for the LAG-less switch
    ASSERT_EQ(form, (LagForm{"Up", "3,6", LagPeer{"B", "Trk2"}, false}));

    // What the command then does with it.
    ASSERT_EQ(apply_lag_form(map, 0, std::nullopt, *form), std::nullopt);
    EXPECT_EQ(map.switches[0].lags.back(), (Lag{"Up", {"3", "6"}, LagPeer{"B", "Trk2"}}));
    EXPECT_EQ(map.switches[1].lags[1].peer, (LagPeer{"A", "Up"}));
    EXPECT_EQ(map.switches[0].ports[5].untagged, 10);
}

TEST_F(LagDialogTest, EditingStartsOnTheLinkAndRemoveSkipsTheCheck) {
    Map map = site();
    LagDialogInput input = lag_dialog_input(map, 0, std::string("Trk1"), {});
    CountingCheck check{lag_check(map, 0, std::string("Trk1"))};
    Script remove({[&] {
        HWND d = dialog();
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(text_of(d), L"Edit LAG");
        expect_layout(d, k_table);
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
    EXPECT_EQ(run_lag_dialog(owner_, input, check.check(), {}), (LagForm{"", "", std::nullopt, true}));
    EXPECT_EQ(check.calls, 0);

    Script rename({[&] {
        type(dialog(), k_lag_name, L"Core");
        type(dialog(), k_lag_ports, L"1-2,4");
        press_key(VK_RETURN);
    }});
    EXPECT_EQ(run_lag_dialog(owner_, input, check.check(), {}),
              (LagForm{"Core", "1-2,4", LagPeer{"B", "Trk1"}, false}));
    EXPECT_EQ(check.calls, 1);
}

TEST_F(LagDialogTest, OneSwitchOffersOnlyNoneAndEscapeCancels) {
    Map map;
    map.switches.push_back(make_switch("solo", "", "", SwitchLayoutInput{"", 4, 1}));
    LagDialogInput input = lag_dialog_input(map, 0, std::nullopt, {0, 1});
    CountingCheck check{lag_check(map, 0, std::nullopt)};
    Texts lists;
    Script script({[&] {
        lists = entries(dialog(), k_lag_switch);
        press_key(VK_ESCAPE);
    }});
    EXPECT_EQ(run_lag_dialog(owner_, input, check.check(), {}), std::nullopt);
    EXPECT_EQ(lists, Texts{L"None"});
    EXPECT_EQ(check.calls, 0);

    Script accept({[] { click(dialog(), IDOK); }});
    EXPECT_EQ(run_lag_dialog(owner_, input, check.check(), {}),
              (LagForm{"Trk1", "1,2", std::nullopt, false}));
}

} // namespace
} // namespace quarn::dialogs
