#pragma once

#include <array>
#include <cstddef>

#include "model/map.hpp"

namespace quarn {

struct Palette {
    Rgb background; // the picture's background; its lightness decides the lane colours
    Rgb panel;      // fill of the panel bodies
    Rgb frame;      // outline of the panel bodies
    Rgb face;       // port face without a VLAN colour
    Rgb text;       // titles and lane labels
    Rgb highlight;  // the selected switch's title and the canvas's selection rectangle

    bool operator==(const Palette&) const = default;
};

inline constexpr Palette k_light_palette{
    .background = {0xff, 0xff, 0xff},
    .panel = {0xee, 0xee, 0xee},
    .frame = {0x78, 0x78, 0x78},
    .face = {0xff, 0xff, 0xff},
    .text = {0x00, 0x00, 0x00},
    .highlight = {0xff, 0x00, 0x90},
};
inline constexpr Palette k_dark_palette{
    .background = {0x20, 0x20, 0x20},
    .panel = {0x30, 0x30, 0x30},
    .frame = {0x70, 0x70, 0x70},
    .face = {0x18, 0x18, 0x18},
    .text = {0xeb, 0xeb, 0xeb},
    .highlight = {0xff, 0xff, 0x00},
};

// Uplink and LAG lanes take these in turn, by connection number modulo 6.
inline constexpr std::array<Rgb, 6> k_link_colors{{
    {0x37, 0x47, 0x4f},
    {0x88, 0x0e, 0x4f},
    {0x1a, 0x23, 0x7e},
    {0x00, 0x4d, 0x40},
    {0x4e, 0x34, 0x2e},
    {0x4a, 0x14, 0x8c},
}};

// Per channel a + (b - a) * t in 32-bit floats, rounded half away from zero,
// clamped to 0..255.
Rgb mix(Rgb a, Rgb b, float t);
// 0.299 red + 0.587 green + 0.114 blue, in 32-bit floats.
float luminance(Rgb color);
// Exactly 140 counts as dark.
bool is_light(Rgb color);
// Black on a light colour, white on a dark one.
Rgb text_on(Rgb color);
// The link colour of connection `number`, lightened towards white on a dark
// background so that it stands out there.
Rgb lane_color(std::size_t number, const Palette& palette);

} // namespace quarn
