#pragma once

#include <windows.h>

namespace quarn::app {

// The program's one message loop; returns the exit code of the quit message.
int run_message_loop(HACCEL accelerators) noexcept;

// Whether accelerators apply while `focus` has the keyboard focus: not in an
// edit field, where Ctrl+Z, Ctrl+C and the like belong to the text.
[[nodiscard]] bool accelerators_apply(HWND focus) noexcept;

} // namespace quarn::app
