#pragma once

#include <string_view>

#include "app/app_state.hpp"

namespace quarn::app {

// The switch commands act on: that of the first selected port, else the one
// last worked on, at most the last switch; nothing for a map without switches.
std::optional<std::size_t> current_switch(const AppState& state);

// Builds the scene of the open map for the window (palette of the theme,
// selection, selected VLAN when highlighted) and hands it to the canvas.
void rebuild_scene(AppState& state) noexcept;

void refresh_vlan_list(AppState& state) noexcept;
void refresh_port_panel(AppState& state) noexcept;
void refresh_title(AppState& state) noexcept;
void refresh_site(AppState& state) noexcept;

// Everything above: after a change of the map, the selection or the view.
void refresh_all(AppState& state) noexcept;

void set_status(const AppState& state, std::string_view text) noexcept;

// The text of an edit field, as UTF-8.
std::string field_text(HWND field);

// "{}{} - Quarn": the document's file name (or "Untitled") and "*" when the
// map differs from its saved copy.
std::string window_title(const AppState& state);

} // namespace quarn::app
