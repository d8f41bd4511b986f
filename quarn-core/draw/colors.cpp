#include "draw/colors.hpp"

#include <algorithm>
#include <cmath>

namespace quarn {
namespace {

std::uint8_t mix_channel(std::uint8_t a, std::uint8_t b, float t) {
    const float value = static_cast<float>(a) + (static_cast<float>(b) - static_cast<float>(a)) * t;
    // std::round rounds halves away from zero; NaN (from a NaN t) becomes 0.
    const float rounded = std::round(value);
    if (!(rounded > 0.0f)) return 0;
    if (rounded > 255.0f) return 255;
    return static_cast<std::uint8_t>(rounded);
}

} // namespace

Rgb mix(Rgb a, Rgb b, float t) {
    return {mix_channel(a.red, b.red, t), mix_channel(a.green, b.green, t), mix_channel(a.blue, b.blue, t)};
}

float luminance(Rgb color) {
    return 0.299f * static_cast<float>(color.red) + 0.587f * static_cast<float>(color.green) +
           0.114f * static_cast<float>(color.blue);
}

bool is_light(Rgb color) {
    return luminance(color) > 140.0f;
}

Rgb text_on(Rgb color) {
    return is_light(color) ? Rgb{0, 0, 0} : Rgb{0xff, 0xff, 0xff};
}

Rgb lane_color(std::size_t number, const Palette& palette) {
    const Rgb link = k_link_colors[number % k_link_colors.size()];
    if (is_light(palette.background)) return link;
    return mix(link, Rgb{0xff, 0xff, 0xff}, 0.55f);
}

} // namespace quarn
