#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quarn::app {

// The text of an edit field, as UTF-8.
std::string field_text(HWND field);

// Puts `text` into a control; an unchanged control is left alone, so that
// the caret of a user who is typing in it stays where it is.
void set_field_text(HWND control, std::string_view text) noexcept;

} // namespace quarn::app
