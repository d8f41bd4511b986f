#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <tuple>

#include "theme/theme.hpp"
#include "theme/theme_colors.hpp"
#include "win/unique.hpp"

namespace quarn::theme::detail {

// A colour set together with the brushes it owns.
struct OwnedColors {
    ThemeColors colors;
    win::UniqueBrush window_brush;
    win::UniqueBrush field_brush;
    win::UniqueBrush shade_brush;
    win::UniqueBrush button_brush;
    win::UniqueBrush border_brush;
};

struct FontKey {
    UINT dpi = 0;
    int size = 0;
    bool underline = false;
    bool code = false; // the fixed-pitch font of configuration text
    bool operator<(const FontKey& other) const noexcept {
        return std::tie(dpi, size, underline, code) <
               std::tie(other.dpi, other.size, other.underline, other.code);
    }
};

// Everything the theme keeps for one user-interface thread. Brushes, fonts
// and the uxtheme module are released when the thread ends.
struct ThemeState {
    ThemeChoice choice = ThemeChoice::System;
    bool dark = false;
    std::optional<OwnedColors> dark_colors;
    std::optional<OwnedColors> light_colors;
    bool high_contrast = false;
    std::optional<OwnedColors> contrast_colors; // the system's colours when they were read
    HighContrastReader contrast_reader = nullptr;
    std::map<FontKey, win::UniqueFont> fonts;
    AppsThemeReader reader = nullptr;
    win::UniqueModule uxtheme;
};

ThemeState& state() noexcept;

} // namespace quarn::theme::detail
