#pragma once

#include "app/app_state.hpp"

namespace quarn::app {

// Builds the scene of the open map for the window (palette of the theme,
// selection, selected VLAN when highlighted) and hands it to the canvas.
void rebuild_scene(AppState& state) noexcept;
// The same when the map did not change since (a new selection, a VLAN
// chosen): the parts of the switches concerned are drawn again.
void redraw_scene(AppState& state) noexcept;

} // namespace quarn::app
