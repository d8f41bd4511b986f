#pragma once

#include <optional>
#include <string_view>

namespace quarn {

// What the user picked in the View menu. The settings own it: they store
// it, and the theme, which builds only for Windows, applies it.
enum class ThemeChoice { System, Light, Dark };

// The spelling in the settings file.
[[nodiscard]] constexpr std::string_view theme_choice_name(ThemeChoice choice) noexcept {
    switch (choice) {
    case ThemeChoice::Light:
        return "light";
    case ThemeChoice::Dark:
        return "dark";
    case ThemeChoice::System:
        break;
    }
    return "system";
}

[[nodiscard]] constexpr std::optional<ThemeChoice> parse_theme_choice(std::string_view name) noexcept {
    if (name == "system") return ThemeChoice::System;
    if (name == "light") return ThemeChoice::Light;
    if (name == "dark") return ThemeChoice::Dark;
    return std::nullopt;
}

} // namespace quarn
