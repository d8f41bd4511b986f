#pragma once

#include "app/app_state.hpp"

namespace quarn::app {

// Switch menu: duplicate, remove (after asking), move up and down.
void duplicate_current_switch(AppState& state) noexcept;
void remove_current_switch(AppState& state) noexcept;
enum class Direction { Up, Down };
void move_current_switch(AppState& state, Direction direction) noexcept;

// Import Configuration: the dialog previews on a copy of the map; OK puts
// what it read into the map as one undo step, as a new switch or into the
// current one, and makes that switch the current one.
void import_configuration(AppState& state) noexcept;

} // namespace quarn::app
