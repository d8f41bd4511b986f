#pragma once

#include <windows.h>

#include "app/app_state.hpp"

namespace quarn::app {

// Creates every control of the main window (menu bar buttons, site field,
// VLAN list and its buttons, port panel, status line, canvas) and fills
// `state.controls`. Controls that fail to be created are left out; the
// program goes on with what it has.
void create_main_controls(AppState& state) noexcept;

// Moves the controls to their places for the current client size and DPI.
void layout_main_controls(const AppState& state) noexcept;

// The user-interface font for the window's DPI on the window and every child.
void apply_main_font(const AppState& state) noexcept;

} // namespace quarn::app
