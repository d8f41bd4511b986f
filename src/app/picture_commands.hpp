#pragma once

#include "app/app_state_fwd.hpp"

namespace quarn::app {

// File menu: the map as a picture, always in the light palette. Each does
// nothing while the map has no switch (the accelerators still reach them).
void copy_image(AppState& state) noexcept;
void save_png(AppState& state) noexcept;
void print_map(AppState& state) noexcept;

} // namespace quarn::app
