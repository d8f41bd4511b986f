#pragma once

#include <windows.h>

#include <span>

#include "controls/control_table.hpp"

namespace quarn::controls {

// Creates the table's controls in order as visible children of `window`,
// scaled for the window's DPI, then sets the ordinary font on the window and
// all its children, the heading font on headings and the underlined font on
// links, and the edits' visual style for the current theme. False when a
// control could not be created (the others stay).
[[nodiscard]] bool create_controls(HWND window, std::span<const ControlRow> table) noexcept;
// The same at a given DPI.
[[nodiscard]] bool create_controls(HWND window, std::span<const ControlRow> table, UINT dpi) noexcept;

// Marks a button as a link: drawn as underlined link text, hand cursor.
void mark_as_link(HWND button) noexcept;
[[nodiscard]] bool is_link(HWND window) noexcept;

// Sets `font` on the window and on every child window.
void set_font_on_all(HWND window, HFONT font) noexcept;

} // namespace quarn::controls
