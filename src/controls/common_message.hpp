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

// How read-only and disabled edits, which ask as static controls do, are
// coloured: as fields (the program's own text viewers), or as the labels
// that the system dialogs make of them.
enum class ReadOnlyEdits { AsFields, AsLabels };

// The colours of the current theme for a control that asks its parent
// (WM_CTLCOLOR...): fields (edits and the open lists of drop-down lists) in
// the field colours, everything else in the window colours. The one answer
// to these messages, for the program's windows and for the system dialogs
// it darkens. Nothing for other messages.
[[nodiscard]] std::optional<LRESULT> control_color_message(UINT msg, WPARAM wparam, LPARAM lparam,
                                                           ReadOnlyEdits read_only) noexcept;

// The one answer to WM_DPICHANGED of the program's windows (and of
// common_window_message): the window takes the suggested place, and each of
// its controls the place and font its table gives it at the new DPI,
// scaled from where it stands. create_controls remembers the DPI it placed
// a window's controls for.
void rescale_for_dpi(HWND window, UINT dpi, const RECT& suggested) noexcept;
void remember_placed_dpi(HWND window, UINT dpi) noexcept;

// Draws one owner-drawn push button or link in the current theme.
void draw_button(const DRAWITEMSTRUCT& item) noexcept;

} // namespace quarn::controls
