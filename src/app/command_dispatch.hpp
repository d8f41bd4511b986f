#pragma once

#include <windows.h>

#include "app/app_state.hpp"

namespace quarn::app {

// Every WM_COMMAND of the main window: menus, accelerators, buttons, fields
// and the canvas. `code` is the notification code, `control` the sender.
void dispatch_command(AppState& state, int id, int code, HWND control) noexcept;

// The Edit menu as the canvas's context menu, at a screen point.
void show_edit_menu(AppState& state, POINT at) noexcept;

// The VLAN list's selection changed.
void vlan_selection_changed(AppState& state) noexcept;

// Runs a change of the map on the road every edit takes: copy, change,
// compare, and only when something changed record the copy for undo and
// refresh the views.
template <class Change>
bool change_map(AppState& state, Change&& change);

void after_map_change(AppState& state) noexcept;

template <class Change>
bool change_map(AppState& state, Change&& change) {
    Map before = state.map;
    change(state.map);
    if (state.map == before) return false;
    state.history.record_change(std::move(before));
    after_map_change(state);
    return true;
}

} // namespace quarn::app
