#pragma once

#include "app/app_state_fwd.hpp"

namespace quarn::app {

// Edit commands on the selected ports (212 to 217) and the port range's
// Select button.
void toggle_untagged_command(AppState& state) noexcept;
void toggle_tagged_command(AppState& state) noexcept;
void clear_vlans(AppState& state) noexcept;
void copy_vlans(AppState& state) noexcept;
void paste_vlans(AppState& state) noexcept;
void select_all_on_switch(AppState& state) noexcept;
void select_port_range(AppState& state) noexcept;

// The selection changed without the map changing (a click, Select All, a
// range): the current switch follows it, and the views that show it.
void selection_changed(AppState& state) noexcept;

} // namespace quarn::app
