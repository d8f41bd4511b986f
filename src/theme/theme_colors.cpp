#include "theme/theme_colors.hpp"

#include "theme/theme_state.hpp"

namespace quarn::theme {
namespace {

detail::OwnedColors make_colors(const ThemeValues& values) noexcept {
    detail::OwnedColors owned;
    owned.window_brush.reset(::CreateSolidBrush(values.window));
    owned.field_brush.reset(::CreateSolidBrush(values.field));
    owned.shade_brush.reset(::CreateSolidBrush(values.shade));
    owned.button_brush.reset(::CreateSolidBrush(values.button));
    owned.border_brush.reset(::CreateSolidBrush(values.border));
    owned.colors = ThemeColors{
        owned.window_brush.get(),
        owned.field_brush.get(),
        owned.shade_brush.get(),
        owned.button_brush.get(),
        owned.border_brush.get(),
        values.background,
        values.text,
        values.disabled_text,
        values.link,
        values.field_background,
    };
    return owned;
}

// Fields, buttons and windows alike on the window colour, so that the
// window text reads on every one of them; outlines in the text colour.
ThemeValues system_values() noexcept {
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    const COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT);
    return ThemeValues{
        .window = window,
        .field = window,
        .shade = ::GetSysColor(COLOR_HIGHLIGHT),
        .button = window,
        .border = text,
        .background = window,
        .text = text,
        .disabled_text = ::GetSysColor(COLOR_GRAYTEXT),
        .link = ::GetSysColor(COLOR_HOTLIGHT),
        .field_background = window,
    };
}

} // namespace

const ThemeColors& theme_colors_for(bool dark) noexcept {
    auto& state = detail::state();
    auto& slot = dark ? state.dark_colors : state.light_colors;
    if (!slot) slot.emplace(make_colors(dark ? k_dark_values : k_light_values));
    return slot->colors;
}

const ThemeColors& theme_colors() noexcept {
    auto& state = detail::state();
    if (state.high_contrast) {
        if (!state.contrast_colors) state.contrast_colors.emplace(make_colors(system_values()));
        return state.contrast_colors->colors;
    }
    return theme_colors_for(state.dark);
}

} // namespace quarn::theme
