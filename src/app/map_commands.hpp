#pragma once

#include "app/app_state.hpp"

namespace quarn::app {

// Switch menu: duplicate, remove (after asking), move up and down.
void duplicate_current_switch(AppState& state) noexcept;
void remove_current_switch(AppState& state) noexcept;
void move_current_switch(AppState& state, bool up) noexcept;

// The VLAN list's Remove button: asks when ports carry the VLAN.
void remove_selected_vlan(AppState& state) noexcept;

// Undo and redo, with the refresh every change gets.
void undo(AppState& state) noexcept;
void redo(AppState& state) noexcept;

// View menu.
void check_map_command(AppState& state) noexcept;
void set_view(AppState& state, ViewMode view) noexcept;
void choose_theme(AppState& state, ThemeChoice choice) noexcept;

// File menu exports.
void save_svg(AppState& state) noexcept;
void save_csv(AppState& state) noexcept;

} // namespace quarn::app
