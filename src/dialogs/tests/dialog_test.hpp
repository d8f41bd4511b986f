#pragma once

// What the program's dialog tests share beyond the general driver: reading
// and answering the program's own message box, and the fixture of every
// dialog test.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/message_box.hpp"
#include "test_support/dialog_driver.hpp"
#include "test_support/test_window.hpp"
#include "theme/theme.hpp"

namespace quarn::dialogs::testing {

using namespace quarn::testing;

// The text of the open message box, or "(no message box)".
inline std::wstring message_text() {
    HWND box = find(k_message_window_class);
    if (box == nullptr) return L"(no message box)";
    for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
        if (class_of(child) == L"Static" && (::GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
            return text_of(child);
    return L"(no text)";
}

inline std::vector<std::wstring> message_buttons() {
    std::vector<std::wstring> captions;
    HWND box = find(k_message_window_class);
    for (int i = 0; box != nullptr; ++i) {
        HWND button = ::GetDlgItem(box, k_message_first_button_id + i);
        if (button == nullptr) break;
        captions.push_back(text_of(button));
    }
    return captions;
}

inline void answer_message(int index) {
    ::PostMessageW(find(k_message_window_class), WM_COMMAND,
                   MAKEWPARAM(k_message_first_button_id + index, BN_CLICKED), 0);
}

// The message boxes a script met, in order. A dialog that stays open after
// a warning shows in the script going on with it to the end.
struct Messages {
    std::vector<std::wstring> texts;
    std::vector<std::vector<std::wstring>> buttons;

    // A step that reads the open box and presses its button `index`.
    std::function<void()> answer(int index) {
        return [this, index] {
            texts.push_back(message_text());
            buttons.push_back(message_buttons());
            answer_message(index);
        };
    }
};

// Every dialog test: the light theme and a visible owner.
class DialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        theme::init_theme(ThemeChoice::Light);
        owner_ = quarn::testing::make_plain_window(400, 300, true);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override { ::DestroyWindow(owner_); }

    HWND owner_ = nullptr;
};

} // namespace quarn::dialogs::testing
