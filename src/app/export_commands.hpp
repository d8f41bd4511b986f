#pragma once

#include "app/app_state_fwd.hpp"

namespace quarn::app {

// File menu exports.
void save_svg(AppState& state) noexcept;
void save_csv(AppState& state) noexcept;

} // namespace quarn::app
