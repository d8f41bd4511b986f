#pragma once

#include <windows.h>

#include "common/dpi.hpp"

namespace quarn::theme {

inline constexpr int k_text_size = 16;
inline constexpr int k_heading_size = 22;

// Pixel height of a dialog font of `size` units at `dpi`, rounded to nearest.
[[nodiscard]] constexpr int font_height(UINT dpi, int size) noexcept {
    return scale_units(size, dpi);
}

// "Segoe UI" at that height from the cache of this thread; the font lives as
// long as the thread, callers never delete it. Null only when GDI is out of
// resources.
enum class FontLine { Plain, Underlined }; // underlined: the links

[[nodiscard]] HFONT dialog_font(UINT dpi, int size, FontLine line) noexcept;

// A fixed-pitch font at that height for configuration text, whose columns
// must line up: "Consolas", or the system's fixed-pitch substitute. From the
// same cache, never deleted by callers.
[[nodiscard]] HFONT code_font(UINT dpi, int size) noexcept;

// The font of the cache at `to_dpi` that is what `font` is at `from_dpi`
// (text, heading, link or code); `font` itself when it is none of them.
[[nodiscard]] HFONT font_for_dpi(HFONT font, UINT from_dpi, UINT to_dpi) noexcept;

} // namespace quarn::theme
