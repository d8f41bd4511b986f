#pragma once

#include <windows.h>

#include <span>

#include "controls/control_table.hpp"

namespace quarn::dialogs {

// Creates an editor's table (see controls::create_controls). A label or
// check box whose text is wider than its box (a font wider than the one the
// table was made for, such as a substitute for Segoe UI) gets as many lines
// as the text needs, centred on its row, rather than losing its last words.
void create_form_controls(HWND window, std::span<const controls::ControlRow> table,
                          void* custom_object) noexcept;

} // namespace quarn::dialogs
