#pragma once

#include <windows.h>

#include <span>
#include <vector>

#include "controls/control_table.hpp"

namespace quarn::controls {

// The controls a table made: one handle per row in table order, null where
// the control could not be created. True when every row was created.
struct CreatedControls {
    std::vector<HWND> handles;
    bool all_created = false;

    explicit operator bool() const noexcept { return all_created; }
};

// Creates the table's controls in order (which is the Tab order) as visible
// children of `window`, scaled for `dpi` (by default the window's), then sets
// the ordinary font on the window and all its children, the heading font on
// headings and the underlined font on links, and the edits' and drop-down
// lists' visual style for the current theme. A Custom row's window gets
// `custom_object` as its creation parameter (the window object of the
// trampoline). A control that cannot be created is left out; the others
// stay.
[[nodiscard]] CreatedControls create_controls(HWND window, std::span<const ControlRow> table) noexcept;
[[nodiscard]] CreatedControls create_controls(HWND window, std::span<const ControlRow> table, UINT dpi,
                                              void* custom_object = nullptr) noexcept;

// Marks a button as a link: drawn as underlined link text, hand cursor.
void mark_as_link(HWND button) noexcept;
[[nodiscard]] bool is_link(HWND window) noexcept;

// Whether a button was made as a MenuButton.
[[nodiscard]] bool is_menu_button(HWND window) noexcept;

// Sets `font` on the window and on every child window.
void set_font_on_all(HWND window, HFONT font) noexcept;

} // namespace quarn::controls
