#pragma once

#include <cstddef>

#include "app/app_state_fwd.hpp"

namespace quarn::app {

// File menu: New, Open, Save, Save As and Exit, and the recent files. New,
// Open and a recent file ask about unsaved changes first.
void new_command(AppState& state) noexcept;
void open_command(AppState& state) noexcept;
void save_command(AppState& state) noexcept;
void save_as_command(AppState& state) noexcept;
void exit_command(AppState& state) noexcept;
void open_recent(AppState& state, std::size_t index) noexcept;

} // namespace quarn::app
