#pragma once

#include <windows.h>

#include "app/app_state.hpp"

namespace quarn::app {

// Every WM_COMMAND of the main window: menus, accelerators, buttons, fields
// and the canvas. `code` is the notification code, `control` the sender.
// Commands run the function of their row in the command table; the rest are
// notifications of the window's own controls.
void dispatch_command(AppState& state, int id, int code, HWND control) noexcept;

// The Edit menu as the canvas's context menu, at a screen point.
void show_edit_menu(AppState& state, POINT at) noexcept;

// The VLAN list's context menu, at a screen point.
void show_vlan_list_menu(AppState& state, POINT at) noexcept;

// The VLAN list's selection changed.
void vlan_selection_changed(AppState& state) noexcept;

} // namespace quarn::app
