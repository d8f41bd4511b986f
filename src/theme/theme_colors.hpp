#pragma once

#include <windows.h>

namespace quarn::theme {

// One colour set. The brushes belong to the theme state of the thread and
// live as long as it; callers never delete them.
struct ThemeColors {
    HBRUSH window_brush = nullptr; // window and dialog background, labels, static text
    HBRUSH field_brush = nullptr;  // background of edit fields
    HBRUSH shade_brush = nullptr;  // a third shade for panels (and pressed buttons)
    HBRUSH button_brush = nullptr; // face of owner-drawn push buttons
    HBRUSH border_brush = nullptr; // button outlines, colour swatch outline
    COLORREF background = 0;       // background colour, caption colour too
    COLORREF text = 0;             // text colour, caption text too
    COLORREF disabled_text = 0;
    COLORREF link = 0;
    COLORREF field_background = 0; // behind edit text
};

// The colours of a set, brushes given by their colour.
struct ThemeValues {
    COLORREF window = 0;
    COLORREF field = 0;
    COLORREF shade = 0;
    COLORREF button = 0;
    COLORREF border = 0;
    COLORREF background = 0;
    COLORREF text = 0;
    COLORREF disabled_text = 0;
    COLORREF link = 0;
    COLORREF field_background = 0;
};

inline constexpr ThemeValues k_dark_values{
    .window = RGB(0x2D, 0x2D, 0x2D),
    .field = RGB(0x1E, 0x1E, 0x1E),
    .shade = RGB(0x3D, 0x3D, 0x3D),
    .button = RGB(0x3A, 0x3A, 0x3A),
    .border = RGB(0x5A, 0x5A, 0x5A),
    .background = RGB(0x2D, 0x2D, 0x2D),
    .text = RGB(0xE6, 0xE6, 0xE6),
    .disabled_text = RGB(0x9A, 0x9A, 0x9A),
    .link = RGB(0x6C, 0xB4, 0xFF),
    .field_background = RGB(0x1E, 0x1E, 0x1E),
};

inline constexpr ThemeValues k_light_values{
    .window = RGB(0xEC, 0xEC, 0xEC),
    .field = RGB(0xFF, 0xFF, 0xFF),
    .shade = RGB(0xDC, 0xDC, 0xDC),
    .button = RGB(0xF4, 0xF4, 0xF4),
    .border = RGB(0xAD, 0xAD, 0xAD),
    .background = RGB(0xEC, 0xEC, 0xEC),
    .text = RGB(0x1B, 0x1B, 0x1B),
    .disabled_text = RGB(0x6B, 0x6B, 0x6B),
    .link = RGB(0x00, 0x66, 0xCC),
    .field_background = RGB(0xFF, 0xFF, 0xFF),
};

// The set of the current theme of this thread, created on first use.
[[nodiscard]] const ThemeColors& theme_colors() noexcept;
// Either set, whatever the current theme.
[[nodiscard]] const ThemeColors& theme_colors_for(bool dark) noexcept;

} // namespace quarn::theme
