#pragma once

#include <span>

namespace quarn::app {

// Zoom factors the commands step through; 1.0 is among them.
std::span<const float> zoom_steps();
float zoom_in(float zoom);
float zoom_out(float zoom);

} // namespace quarn::app
