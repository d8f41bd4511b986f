#include "app/zoom.hpp"

#include <array>

namespace quarn::app {

namespace {
constexpr std::array<float, 15> k_zoom_steps{0.25f, 0.33f, 0.5f,  0.67f, 0.75f, 0.9f, 1.0f, 1.1f,
                                             1.25f, 1.5f,  1.75f, 2.0f,  2.5f,  3.0f, 4.0f};
} // namespace

std::span<const float> zoom_steps() {
    return k_zoom_steps;
}

float zoom_in(float zoom) {
    for (float step : k_zoom_steps)
        if (step > zoom + 0.001f) return step;
    return k_zoom_steps.back();
}

float zoom_out(float zoom) {
    for (auto it = k_zoom_steps.rbegin(); it != k_zoom_steps.rend(); ++it)
        if (*it < zoom - 0.001f) return *it;
    return k_zoom_steps.front();
}

} // namespace quarn::app
