#include "dialogs/message_box.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/tests/dialog_test.hpp"
#include "test_support/script.hpp"

namespace quarn::dialogs {
namespace {

using namespace testing;
using quarn::testing::Script;
using Texts = std::vector<std::wstring>;

// What a test sees of the open box, in units of 1/96 inch.
struct Seen {
    bool found = false;
    std::wstring title;
    Placement outer;
    bool owner_disabled = false;
    Texts captions;
    std::vector<Placement> buttons;
    Placement icon;
    Placement label;
    std::wstring text;
    LONG_PTR label_style = 0;
    int focused = -1; // index of the button with the focus
};

Seen look(HWND owner) {
    Seen seen;
    HWND box = find(k_message_window_class);
    if (box == nullptr) return seen;
    seen.found = true;
    seen.title = text_of(box);
    seen.outer = outer_size(box);
    seen.owner_disabled = owner != nullptr && !::IsWindowEnabled(owner);
    seen.captions = message_buttons();
    for (int i = 0; i < static_cast<int>(seen.captions.size()); ++i) {
        HWND button = item(box, k_message_first_button_id + i);
        seen.buttons.push_back(placement(box, button));
        if (::GetFocus() == button) seen.focused = i;
    }
    for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        LONG_PTR style = ::GetWindowLongPtrW(child, GWL_STYLE);
        if (class_of(child) != L"Static") continue;
        if ((style & SS_TYPEMASK) == SS_ICON) {
            seen.icon = placement(box, child);
        } else {
            seen.label = placement(box, child);
            seen.label_style = style;
        }
    }
    seen.text = message_text();
    return seen;
}

class MessageBoxTest : public DialogTest {
  protected:
    MessageRequest question(std::string text) const {
        return MessageRequest{
            owner_, MessageIcon::Program, std::move(text), {"Keep Them", "Remove Them", "Cancel"}, 1, 2};
    }
};

TEST_F(MessageBoxTest, LaysOutAOneLineQuestionAndReturnsTheClickedButton) {
    Seen seen;
    Script script({[&] {
        seen = look(owner_);
        answer_message(0);
    }});
    EXPECT_EQ(show_message(question("Remove the VLANs?")), 0u);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.title, L"Quarn");
    EXPECT_EQ(seen.outer, (Placement{0, 0, 390, 144}));
    EXPECT_TRUE(seen.owner_disabled);
    EXPECT_EQ(seen.captions, (Texts{L"Keep Them", L"Remove Them", L"Cancel"}));
    EXPECT_EQ(seen.buttons,
              (std::vector<Placement>{{102, 64, 84, 26}, {190, 64, 84, 26}, {278, 64, 84, 26}}));
    EXPECT_EQ(seen.icon, (Placement{12, 12, 32, 32}));
    EXPECT_EQ(seen.label, (Placement{56, 12, 306, 32}));
    EXPECT_EQ(seen.text, L"Remove the VLANs?");
    EXPECT_EQ(seen.focused, 1); // the default button
    // Afterwards the owner is usable again and the box is gone.
    EXPECT_TRUE(::IsWindowEnabled(owner_));
    EXPECT_EQ(find(k_message_window_class), nullptr);
}

TEST_F(MessageBoxTest, KeysTheCloseBoxAndQuitGiveTheirIndices) {
    struct Case {
        const char* name;
        std::vector<std::function<void()>> steps;
        std::size_t result;
        WPARAM quit = 0; // the quit message's code, posted again
    };
    const std::vector<Case> cases = {
        {"Enter presses the default", {[] { press_key(VK_RETURN); }}, 1},
        {"Escape gives the close index", {[] { press_key(VK_ESCAPE); }}, 2},
        {"the close box gives the close index",
         {[] { ::PostMessageW(find(k_message_window_class), WM_CLOSE, 0, 0); }},
         2},
        {"Tab moves on, Enter presses the focused button",
         {[] { press_key(VK_TAB); }, [] { press_key(VK_RETURN); }},
         2},
        {"quit ends the box", {[] { ::PostQuitMessage(3); }}, 2, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Script script(c.steps);
        EXPECT_EQ(show_message(question("Remove the VLANs?")), c.result);
        EXPECT_TRUE(script.finished());
        EXPECT_TRUE(::IsWindowEnabled(owner_));
        MSG msg{};
        EXPECT_EQ(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE, c.quit != 0);
        EXPECT_EQ(msg.wParam, c.quit);
    }
}

TEST_F(MessageBoxTest, ALongMessageGrowsTheBoxDownwardsOnly) {
    std::string words;
    for (int i = 0; i < 40; ++i) words += "switch port VLAN ";
    // A path has no spaces to break at: the label breaks it anyway.
    std::string path =
        "Could not open C:\\" + std::string(120, 'x') + "\\site.quarn: The file does not exist.";
    for (const std::string& text : {words, path}) {
        Seen seen;
        Script script({[&] {
            seen = look(owner_);
            press_key(VK_RETURN);
        }});
        EXPECT_EQ(show_message(question(text)), 1u);
        ASSERT_TRUE(seen.found);
        EXPECT_GT(seen.label.h, 32);
        EXPECT_EQ(seen.outer, (Placement{0, 0, 390, seen.label.h + 112}));
        EXPECT_EQ(seen.label.w, 306);
        for (const Placement& button : seen.buttons) EXPECT_EQ(button.y, seen.label.h + 32);
    }
}

TEST_F(MessageBoxTest, AWarningShowsAmpersandsAsTheyAre) {
    Seen seen;
    Script script({[&] {
        seen = look(owner_);
        answer_message(0);
    }});
    show_warning(owner_, "Could not save R&D.quarn: Access is denied.");
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text, L"Could not save R&D.quarn: Access is denied.");
    EXPECT_EQ(seen.label_style & SS_NOPREFIX, SS_NOPREFIX);
    EXPECT_EQ(seen.captions, Texts{L"OK"});
    EXPECT_EQ(seen.buttons.at(0).x, 278);
}

TEST_F(MessageBoxTest, OddRequestsStillGiveAUsableBox) {
    // No buttons: a single "OK". Indices past the end: the last button.
    MessageRequest request{nullptr, MessageIcon::Warning, "Nothing to choose", {}, 5, 9};
    Seen seen;
    Script script({[&] {
        seen = look(nullptr);
        press_key(VK_ESCAPE);
    }});
    EXPECT_EQ(show_message(request), 0u);
    EXPECT_EQ(seen.captions, Texts{L"OK"});
    EXPECT_EQ(seen.focused, 0);
}

} // namespace
} // namespace quarn::dialogs
