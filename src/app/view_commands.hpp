#pragma once

#include <cstddef>

#include "app/app_state_fwd.hpp"
#include "config/config.hpp"
#include "draw/scene.hpp"

namespace quarn::app {

// View menu: the view mode and the theme, both kept in the settings.
void set_view(AppState& state, ViewMode view) noexcept;

// A switch chosen in the topology becomes the current switch; a port
// selection on another switch is let go, one on it is kept.
void choose_switch(AppState& state, std::size_t switch_index) noexcept;
// Chooses the switch and shows it in the front panel view, scrolled into sight.
void show_on_front_panel(AppState& state, std::size_t switch_index) noexcept;
void choose_theme(AppState& state, ThemeChoice choice) noexcept;

void front_panel_command(AppState& state) noexcept;
void breakdown_command(AppState& state) noexcept;
void topology_command(AppState& state) noexcept;
void show_unused_command(AppState& state) noexcept;
void zoom_in_command(AppState& state) noexcept;
void zoom_out_command(AppState& state) noexcept;
void zoom_reset_command(AppState& state) noexcept;
void system_theme_command(AppState& state) noexcept;
void light_theme_command(AppState& state) noexcept;
void dark_theme_command(AppState& state) noexcept;

} // namespace quarn::app
