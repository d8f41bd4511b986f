#pragma once

#include "app/app_state_fwd.hpp"

namespace quarn::app {

// Switch menu: duplicate, remove (after asking), move up and down.
void duplicate_current_switch(AppState& state) noexcept;
void remove_current_switch(AppState& state) noexcept;
void move_switch_up_command(AppState& state) noexcept;
void move_switch_down_command(AppState& state) noexcept;

// Import Configuration: the dialog previews on a copy of the map; OK puts
// what it read into the map as one undo step, as a new switch or into the
// current one, and makes that switch the current one.
void import_configuration(AppState& state) noexcept;

} // namespace quarn::app
