#pragma once

#include <windows.h>

#include "app/app_state.hpp"

namespace quarn::app {

// The main window's own fields and check boxes, as their notifications
// arrive. Typing in the site or the description changes the map at every
// keystroke, one undo step a visit of the field; the label is applied when
// the field is left (or Enter is pressed), since a label another port
// already has is refused and typing passes through such labels.
void site_field_event(AppState& state, int code, HWND field) noexcept;
void label_field_event(AppState& state, int code, HWND field) noexcept;
void description_field_event(AppState& state, int code, HWND field) noexcept;
void disabled_clicked(AppState& state, HWND check) noexcept;
void highlight_clicked(AppState& state, HWND check) noexcept;

// Enter ends a field's edit as leaving the field does. The focus stays in
// the field, so a new visit begins at once: typing on is its own undo step.
void enter_in_field(AppState& state, HWND field) noexcept;

} // namespace quarn::app
