#pragma once

#include <windows.h>

#include "model/map.hpp"

namespace quarn::win {

// The model's colours to GDI's and back: the one place where the two meet.
[[nodiscard]] constexpr COLORREF to_colorref(Rgb color) noexcept {
    return RGB(color.red, color.green, color.blue);
}

[[nodiscard]] constexpr Rgb to_rgb(COLORREF color) noexcept {
    return Rgb{GetRValue(color), GetGValue(color), GetBValue(color)};
}

} // namespace quarn::win
