#pragma once

#include "app/app_state.hpp"

namespace quarn::app {

// Undo and redo, with the refresh every change gets.
void undo(AppState& state) noexcept;
void redo(AppState& state) noexcept;

} // namespace quarn::app
