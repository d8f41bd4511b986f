#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>

#include "config/theme_choice.hpp"
#include "draw/colors.hpp"

namespace quarn::theme {

// The theme of the calling (user-interface) thread. Before init_theme the
// choice is system and the flag light.
[[nodiscard]] ThemeChoice theme_choice() noexcept;
[[nodiscard]] bool is_dark() noexcept;

// Dark only for a fixed dark choice, or for system when the apps setting was
// read and is 0; a missing or unreadable value means light.
[[nodiscard]] constexpr bool resolve_dark(ThemeChoice choice,
                                          std::optional<std::uint32_t> apps_use_light_theme) noexcept {
    switch (choice) {
    case ThemeChoice::Light:
        return false;
    case ThemeChoice::Dark:
        return true;
    case ThemeChoice::System:
        break;
    }
    return apps_use_light_theme.has_value() && *apps_use_light_theme == 0;
}

// "AppsUseLightTheme" of the current user, nothing when absent or unreadable.
[[nodiscard]] std::optional<std::uint32_t> read_apps_use_light_theme() noexcept;

// Seam for tests: where the system's setting comes from on this thread.
// Returns the reader it replaces; null restores the registry.
using AppsThemeReader = std::optional<std::uint32_t> (*)() noexcept;
AppsThemeReader set_apps_theme_reader(AppsThemeReader reader) noexcept;

// The dark flag the choice gives now, through the current reader.
[[nodiscard]] bool resolve_dark(ThemeChoice choice) noexcept;

// Makes menus and other system parts follow the theme through uxtheme's
// unnamed entries 135 and 136; false when they could not be called (older
// Windows, Wine), which is harmless. What entry 135 is depends on the build.
bool set_preferred_app_mode(bool dark) noexcept;

// uxtheme's entry 135 by the build that runs: "allow dark mode for the
// app", taking a BOOL, on 17763 (1809, LTSC 2019); "set preferred app
// mode", taking a mode, from 18362 (1903) on; nothing before 17763, where
// it is no dark-mode function at all.
enum class AppModeEntry { None, AllowDarkModeForApp, SetPreferredAppMode };
[[nodiscard]] AppModeEntry app_mode_entry(unsigned long build) noexcept;

// The build number of the running Windows, from RtlGetVersion (which, unlike
// GetVersionExW, does not depend on the manifest); 0 when unknown.
[[nodiscard]] unsigned long windows_build() noexcept;

// Start-up: stores the choice from the settings, resolves the flag and sets
// the preferred app mode. Call before the first window is created. Returns
// the dark flag.
bool init_theme(ThemeChoice choice) noexcept;

// What the shell does around a change of theme. Both may be empty. They are
// called on the user-interface thread and must not throw.
struct ThemeChoiceHooks {
    // Writes the choice into the settings record and saves the settings file.
    std::function<void(ThemeChoice)> store_choice;
    // The dark flag changed: rebuild whatever holds colours of its own (the
    // canvas scene with the palette of the new theme). Runs before the
    // windows are redrawn.
    std::function<void(bool dark)> dark_changed;
};

struct ThemeChange {
    bool choice_changed = false;
    bool dark_changed = false;
};

// The user picked a theme: stores the choice, resolves the flag, sets the
// preferred app mode, lets the shell store and save the choice, and when the
// flag changed re-themes every open window of the program.
ThemeChange apply_theme_choice(ThemeChoice choice, const ThemeChoiceHooks& hooks) noexcept;

// For WM_SETTINGCHANGE of the main window: reads whether high contrast is
// on, and under the system choice the system's dark or light; when either
// changed (or high contrast is on, whose colours may have changed with
// it), stores them, sets the preferred app mode and returns true. The
// caller then rebuilds its scene and calls retheme_windows().
[[nodiscard]] bool system_theme_changed() noexcept;

// High contrast (SPI_GETHIGHCONTRAST): while it is on, the system's colours
// (GetSysColor) replace the program's own in every window, dialog and on
// the canvas's background, frames, text and selection; the VLAN colours
// stay on the port faces, as they are the map's data.
[[nodiscard]] bool read_high_contrast() noexcept;
[[nodiscard]] bool is_high_contrast() noexcept;

// Seam for tests: replaces read_high_contrast on this thread (null
// restores it).
using HighContrastReader = bool (*)() noexcept;
HighContrastReader set_high_contrast_reader(HighContrastReader reader) noexcept;

// The canvas's palette for the current theme.
[[nodiscard]] Palette scene_palette() noexcept;

// Re-themes every top-level window of this thread whose class is one of the
// program's ("Quarn..."): dark title bar and caption repaint, edits and list
// views of the new theme, and a full redraw with erase.
void retheme_windows() noexcept;

} // namespace quarn::theme
