#pragma once

#include <windows.h>

#include "app/app_state_fwd.hpp"
#include "app/main_window.hpp"

namespace quarn::app {

// The program's one message loop, for the main window and the windows of
// its state; returns the exit code of the quit message.
int run_message_loop(const MainWindow& window, HACCEL accelerators) noexcept;

// What the loop does with a message before it is translated and dispatched:
// the modeless windows' navigation, the accelerators, Enter in a field and
// the main window's navigation. True when the message was taken. Tests pump
// their messages through it to meet the keys as the program does.
[[nodiscard]] bool take_message(AppState* state, HACCEL accelerators, MSG& msg) noexcept;

// The accelerator table made from the command table; null when it cannot be.
[[nodiscard]] HACCEL create_accelerators() noexcept;

// Whether accelerators apply while `focus` has the keyboard focus: not in an
// edit field, where Ctrl+Z, Ctrl+C and the like belong to the text.
[[nodiscard]] bool accelerators_apply(HWND focus) noexcept;

} // namespace quarn::app
