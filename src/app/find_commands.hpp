#pragma once

#include "app/app_state_fwd.hpp"

namespace quarn::app {

// Edit menu: Find opens the Find window; Find Next and Find Previous step
// through the places of its last search without it.
void find_command(AppState& state) noexcept;
void find_next_command(AppState& state) noexcept;
void find_previous_command(AppState& state) noexcept;

} // namespace quarn::app
