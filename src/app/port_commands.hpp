#pragma once

#include <windows.h>

#include "app/app_state.hpp"

namespace quarn::app {

// Edit commands on the selected ports (212 to 217) and the port panel's
// fields. Each map change takes the copy-change-compare road.
enum class Tagging { Untagged, Tagged };
void toggle_vlan(AppState& state, Tagging tagging) noexcept;
void clear_vlans(AppState& state) noexcept;
void copy_vlans(AppState& state) noexcept;
void paste_vlans(AppState& state) noexcept;
void select_all_on_switch(AppState& state) noexcept;
void select_port_range(AppState& state) noexcept;

// The label is applied when the field is left (or Enter is pressed), since a
// label another port already has is refused and typing passes through such
// labels; the description follows every keystroke.
void label_field_event(AppState& state, int code, HWND field) noexcept;
void description_field_event(AppState& state, int code, HWND field) noexcept;
void disabled_clicked(AppState& state, HWND check) noexcept;

// The selection after the map changed under it: ports that no longer exist
// are dropped.
void prune_selection(AppState& state) noexcept;

} // namespace quarn::app
