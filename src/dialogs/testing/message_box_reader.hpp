#pragma once

// The program's own message box as a test in the same process meets it, from
// a step of a testing::Script while the box's modal loop runs: its message,
// its buttons, and a button pressed.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/message_box.hpp"
#include "test_support/dialog_driver.hpp"

namespace quarn::dialogs::testing {

// The text of the open message box, or "(no message box)".
inline std::wstring message_text() {
    using quarn::testing::class_of;
    HWND box = quarn::testing::find(k_message_window_class);
    if (box == nullptr) return L"(no message box)";
    for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
        if (class_of(child) == L"Static" && (::GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
            return quarn::testing::text_of(child);
    return L"(no text)";
}

inline std::vector<std::wstring> message_buttons() {
    std::vector<std::wstring> captions;
    HWND box = quarn::testing::find(k_message_window_class);
    for (int i = 0; box != nullptr; ++i) {
        HWND button = ::GetDlgItem(box, k_message_first_button_id + i);
        if (button == nullptr) break;
        captions.push_back(quarn::testing::text_of(button));
    }
    return captions;
}

// Presses button `index` of the open message box.
inline void answer_message(int index) {
    ::PostMessageW(quarn::testing::find(k_message_window_class), WM_COMMAND,
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

} // namespace quarn::dialogs::testing
