#pragma once

#include "app/app_state.hpp"

namespace quarn::app {

// Switch menu: duplicate, remove (after asking), move up and down.
void duplicate_current_switch(AppState& state) noexcept;
void remove_current_switch(AppState& state) noexcept;
enum class Direction { Up, Down };
void move_current_switch(AppState& state, Direction direction) noexcept;

} // namespace quarn::app
