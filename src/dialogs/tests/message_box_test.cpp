#include "dialogs/message_box.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/control_table.hpp"
#include "controls/tests/script.hpp"
#include "controls/tests/test_window.hpp"
#include "theme/theme.hpp"

namespace quarn::dialogs {
namespace {

using testing::Script;

// What a test sees of an open message box, in units of 1/96 inch.
struct Seen {
    bool found = false;
    std::wstring title;
    int outer_width = 0;
    int outer_height = 0;
    bool owner_disabled = false;
    std::vector<std::wstring> captions;
    std::vector<RECT> buttons;
    RECT icon{};
    RECT label{};
    std::wstring text;
    LONG_PTR label_style = 0;
    int focused = -1; // index of the button with the focus
};

int to_units(int pixels, UINT dpi) {
    return (pixels * 96 + static_cast<int>(dpi) / 2) / static_cast<int>(dpi);
}

RECT child_units(HWND box, HWND child, UINT dpi) {
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&rect), 2);
    return {to_units(rect.left, dpi), to_units(rect.top, dpi), to_units(rect.right, dpi),
            to_units(rect.bottom, dpi)};
}

std::wstring text_of(HWND window) {
    wchar_t buffer[2048] = {};
    ::GetWindowTextW(window, buffer, 2048);
    return buffer;
}

HWND find_box() {
    return ::FindWindowW(k_message_window_class, nullptr);
}

Seen look(HWND owner) {
    Seen seen;
    HWND box = find_box();
    if (box == nullptr) return seen;
    seen.found = true;
    UINT dpi = controls::window_dpi(box);
    seen.title = text_of(box);
    RECT outer{};
    ::GetWindowRect(box, &outer);
    seen.outer_width = to_units(outer.right - outer.left, dpi);
    seen.outer_height = to_units(outer.bottom - outer.top, dpi);
    seen.owner_disabled = owner != nullptr && !::IsWindowEnabled(owner);
    for (int i = 0;; ++i) {
        HWND button = ::GetDlgItem(box, k_message_first_button_id + i);
        if (button == nullptr) break;
        seen.captions.push_back(text_of(button));
        seen.buttons.push_back(child_units(box, button, dpi));
        if (::GetFocus() == button) seen.focused = i;
    }
    for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        LONG_PTR style = ::GetWindowLongPtrW(child, GWL_STYLE);
        wchar_t name[16] = {};
        ::GetClassNameW(child, name, 16);
        if (std::wstring(name) != L"Static") continue;
        if ((style & SS_TYPEMASK) == SS_ICON) {
            seen.icon = child_units(box, child, dpi);
        } else {
            seen.label = child_units(box, child, dpi);
            seen.text = text_of(child);
            seen.label_style = style;
        }
    }
    return seen;
}

void click(int index) {
    ::PostMessageW(find_box(), WM_COMMAND, MAKEWPARAM(k_message_first_button_id + index, BN_CLICKED), 0);
}
void key(UINT vk) {
    ::PostMessageW(::GetFocus(), WM_KEYDOWN, vk, 0);
}

class MessageBoxTest : public ::testing::Test {
  protected:
    void SetUp() override {
        theme::init_theme(theme::ThemeChoice::Light);
        owner_ = testing::make_plain_window(400, 300, true);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override { ::DestroyWindow(owner_); }

    MessageRequest question(std::string text) const {
        MessageRequest request;
        request.owner = owner_;
        request.icon = MessageIcon::Program;
        request.text = std::move(text);
        request.buttons = {"Keep Them", "Remove Them", "Cancel"};
        request.default_index = 1;
        request.close_index = 2;
        return request;
    }

    HWND owner_ = nullptr;
};

TEST(MessageLayout, FollowsTheTextAndTheButtonCount) {
    MessageLayout one_line = message_layout(16);
    EXPECT_EQ(one_line.text_height, 32);
    EXPECT_EQ(one_line.outer_width, 390);
    EXPECT_EQ(one_line.outer_height, 144);
    EXPECT_EQ(one_line.buttons_y, 64);
    EXPECT_EQ(message_layout(80).outer_height, 192);
    EXPECT_EQ(message_layout(80).buttons_y, 112);
    EXPECT_EQ(one_line.button_x(0, 3), 102);
    EXPECT_EQ(one_line.button_x(1, 3), 190);
    EXPECT_EQ(one_line.button_x(2, 3), 278);
    EXPECT_EQ(one_line.button_x(0, 1) + k_message_button_width, 362);
}

TEST_F(MessageBoxTest, LaysOutAOneLineQuestionAndReturnsTheClickedButton) {
    Seen seen;
    Script script({[&] {
        seen = look(owner_);
        click(0);
    }});
    EXPECT_EQ(show_message(question("Remove the VLANs?")), 0u);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.title, L"Quarn");
    EXPECT_EQ(seen.outer_width, 390);
    EXPECT_EQ(seen.outer_height, 144);
    EXPECT_TRUE(seen.owner_disabled);
    EXPECT_EQ(seen.captions, (std::vector<std::wstring>{L"Keep Them", L"Remove Them", L"Cancel"}));
    const int lefts[] = {102, 190, 278};
    for (std::size_t i = 0; i < seen.buttons.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(seen.buttons[i].left, lefts[i]);
        EXPECT_EQ(seen.buttons[i].top, 64);
        EXPECT_EQ(seen.buttons[i].right - seen.buttons[i].left, 84);
        EXPECT_EQ(seen.buttons[i].bottom - seen.buttons[i].top, 26);
    }
    EXPECT_EQ(seen.icon.left, 12);
    EXPECT_EQ(seen.icon.top, 12);
    EXPECT_EQ(seen.icon.right - seen.icon.left, 32);
    EXPECT_EQ(seen.icon.bottom - seen.icon.top, 32);
    EXPECT_EQ(seen.label.left, 56);
    EXPECT_EQ(seen.label.top, 12);
    EXPECT_EQ(seen.label.right - seen.label.left, 306);
    EXPECT_EQ(seen.label.bottom - seen.label.top, 32);
    EXPECT_EQ(seen.text, L"Remove the VLANs?");
    EXPECT_EQ(seen.focused, 1); // the default button
    // Afterwards the owner is usable again and the box is gone.
    EXPECT_TRUE(::IsWindowEnabled(owner_));
    EXPECT_EQ(find_box(), nullptr);
}

TEST_F(MessageBoxTest, KeysAndTheCloseBoxGiveTheirIndices) {
    struct Case {
        const char* name;
        std::vector<std::function<void()>> steps;
        std::size_t result;
    };
    std::vector<Case> cases;
    cases.push_back({"Enter presses the default", {[] { key(VK_RETURN); }}, 1});
    cases.push_back({"Escape gives the close index", {[] { key(VK_ESCAPE); }}, 2});
    cases.push_back(
        {"the close box gives the close index", {[] { ::PostMessageW(find_box(), WM_CLOSE, 0, 0); }}, 2});
    cases.push_back(
        {"Tab moves on, Enter presses the focused button", {[] { key(VK_TAB); }, [] { key(VK_RETURN); }}, 2});
    cases.push_back({"the last button", {[] { click(2); }}, 2});
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        Script script(c.steps);
        EXPECT_EQ(show_message(question("Remove the VLANs?")), c.result);
        EXPECT_TRUE(script.finished());
        EXPECT_TRUE(::IsWindowEnabled(owner_));
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
            key(VK_RETURN);
        }});
        MessageRequest request = question(text);
        EXPECT_EQ(show_message(request), 1u);
        ASSERT_TRUE(seen.found);
        EXPECT_EQ(seen.outer_width, 390);
        int text_height = seen.label.bottom - seen.label.top;
        EXPECT_GT(text_height, 32);
        EXPECT_EQ(seen.outer_height, text_height + 112);
        EXPECT_EQ(seen.label.right - seen.label.left, 306);
        for (const RECT& button : seen.buttons) EXPECT_EQ(button.top, text_height + 32);
    }
}

TEST_F(MessageBoxTest, ShowsAmpersandsAsTheyAre) {
    Seen seen;
    Script script({[&] {
        seen = look(owner_);
        click(0);
    }});
    show_warning(owner_, "Could not save R&D.quarn: Access is denied.");
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text, L"Could not save R&D.quarn: Access is denied.");
    EXPECT_EQ(seen.label_style & SS_NOPREFIX, SS_NOPREFIX);
    EXPECT_EQ(seen.captions, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(seen.buttons.at(0).left, 278);
}

TEST_F(MessageBoxTest, OddRequestsStillGiveAUsableBox) {
    // No buttons: a single "OK". Indices past the end: the last button.
    MessageRequest request;
    request.text = "Nothing to choose";
    request.default_index = 5;
    request.close_index = 9;
    Seen seen;
    Script script({[&] {
        seen = look(nullptr);
        key(VK_ESCAPE);
    }});
    EXPECT_EQ(show_message(request), 0u);
    EXPECT_EQ(seen.captions, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(seen.focused, 0);
}

TEST_F(MessageBoxTest, QuitEndsTheBoxWithTheCloseIndexAndIsPostedAgain) {
    Script script({[] { ::PostQuitMessage(3); }});
    EXPECT_EQ(show_message(question("Quit?")), 2u);
    EXPECT_TRUE(::IsWindowEnabled(owner_));
    MSG msg{};
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

} // namespace
} // namespace quarn::dialogs
