#pragma once

#include <windows.h>

#include "app/main_window.hpp"

namespace quarn::app {

// The program's one message loop, for the main window and the windows of
// its state; returns the exit code of the quit message.
int run_message_loop(const MainWindow& window, HACCEL accelerators) noexcept;

// Whether accelerators apply while `focus` has the keyboard focus: not in an
// edit field, where Ctrl+Z, Ctrl+C and the like belong to the text.
[[nodiscard]] bool accelerators_apply(HWND focus) noexcept;

} // namespace quarn::app
