#pragma once

namespace quarn {

// Units of 1/96 inch (the units of every size in the program's tables) to
// device pixels at `dpi`, rounded to nearest; a dpi of 0 (the system could
// not tell) counts as 96. The one rounding of the program, so that a
// control, its font and the window around it never disagree by a pixel.
[[nodiscard]] constexpr int scale_units(int units, unsigned dpi) noexcept {
    if (dpi == 0) dpi = 96;
    return (units * static_cast<int>(dpi) + 48) / 96;
}

} // namespace quarn
