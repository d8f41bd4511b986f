#pragma once

#include "app/app_state_fwd.hpp"

namespace quarn::app {

// Help menu: Check for Updates, About and Install.
void check_updates_command(AppState& state) noexcept;
void about_command(AppState& state) noexcept;
void install_command(AppState& state) noexcept;

} // namespace quarn::app
