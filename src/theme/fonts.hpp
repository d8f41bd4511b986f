#pragma once

#include <windows.h>

namespace quarn::theme {

inline constexpr int k_text_size = 16;
inline constexpr int k_heading_size = 22;

// Pixel height of a dialog font of `size` units at `dpi`, rounded to nearest.
[[nodiscard]] constexpr int font_height(UINT dpi, int size) noexcept {
    if (dpi == 0) dpi = USER_DEFAULT_SCREEN_DPI;
    return (static_cast<int>(dpi) * size + 48) / 96;
}

// "Segoe UI" at that height from the cache of this thread; the font lives as
// long as the thread, callers never delete it. Null only when GDI is out of
// resources.
[[nodiscard]] HFONT dialog_font(UINT dpi, int size, bool underline) noexcept;

} // namespace quarn::theme
