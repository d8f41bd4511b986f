#pragma once

#include "app/app_state.hpp"

namespace quarn::app {

// View menu: the view mode and the theme, both kept in the settings.
void set_view(AppState& state, ViewMode view) noexcept;
void choose_theme(AppState& state, ThemeChoice choice) noexcept;

} // namespace quarn::app
