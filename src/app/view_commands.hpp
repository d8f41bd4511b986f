#pragma once

#include "app/app_state_fwd.hpp"
#include "config/config.hpp"
#include "draw/scene.hpp"

namespace quarn::app {

// View menu: the view mode and the theme, both kept in the settings.
void set_view(AppState& state, ViewMode view) noexcept;
void choose_theme(AppState& state, ThemeChoice choice) noexcept;

void front_panel_command(AppState& state) noexcept;
void breakdown_command(AppState& state) noexcept;
void show_unused_command(AppState& state) noexcept;
void zoom_in_command(AppState& state) noexcept;
void zoom_out_command(AppState& state) noexcept;
void zoom_reset_command(AppState& state) noexcept;
void system_theme_command(AppState& state) noexcept;
void light_theme_command(AppState& state) noexcept;
void dark_theme_command(AppState& state) noexcept;

} // namespace quarn::app
