#pragma once

// The program's message box as the tests that drive a real copy of the
// program meet it: in another process, appearing some time after the
// command that asks, with its text set after the box exists.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "dialogs/message_box.hpp"
#include "driver.hpp"

namespace quarn::testing {

// Waits for the message box of `app` and for its text, reads the captions
// of its buttons into `captions` when asked, clicks its button `index` and
// expects the box to go. The box's message, or "<no message box>".
inline std::wstring answer_message_box(const AppProcess& app, int index,
                                       std::vector<std::wstring>* captions = nullptr) {
    using namespace std::chrono_literals;
    HWND box = app.wait_for_window(dialogs::k_message_window_class, 60s);
    if (box == nullptr) return L"<no message box>";
    HWND button = AppProcess::wait_for_child(box, dialogs::k_message_first_button_id + index, 10s);
    std::wstring text = AppProcess::wait_for_static_text(box, 10s);
    if (captions != nullptr)
        for (int i = 0; HWND each = ::GetDlgItem(box, dialogs::k_message_first_button_id + i); ++i)
            captions->push_back(AppProcess::window_text(each));
    if (button != nullptr) ::PostMessageW(button, BM_CLICK, 0, 0);
    EXPECT_TRUE(AppProcess::wait_until_gone(box, 10s)) << "the message box stayed after its answer";
    return text;
}

} // namespace quarn::testing
