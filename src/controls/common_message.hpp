#pragma once

#include <windows.h>

#include <optional>

namespace quarn::controls {

// What every window procedure of the program asks first: background, the
// hand cursor over links, drawing of owner-drawn buttons and links, control
// colours, and which button Enter presses. A value means handled (return
// it); nothing means the window procedure goes on.
[[nodiscard]] std::optional<LRESULT> common_window_message(HWND window, UINT msg, WPARAM wparam,
                                                           LPARAM lparam) noexcept;

// Draws one owner-drawn push button or link in the current theme.
void draw_button(const DRAWITEMSTRUCT& item) noexcept;

} // namespace quarn::controls
