#pragma once

#include "app/app_state_fwd.hpp"

namespace quarn::app {

// Edit menu: Undo and Redo, which end as every edit of the map ends.
void undo(AppState& state) noexcept;
void redo(AppState& state) noexcept;

} // namespace quarn::app
