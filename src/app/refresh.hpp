#pragma once

#include <string_view>

#include "app/app_state.hpp"
#include "app/canvas_scene.hpp"
#include "app/window_title.hpp"

namespace quarn::app {

// The main window's views of the open map: the VLAN list with its buttons,
// the port panel and the site field.
void refresh_vlan_list(AppState& state) noexcept;
void refresh_port_panel(AppState& state) noexcept;
void refresh_site(AppState& state) noexcept;

// Every view, the scene and the title: after a change of the map, the
// selection or the view.
void refresh_all(AppState& state) noexcept;

// The status line.
void set_status(const AppState& state, std::string_view text) noexcept;

} // namespace quarn::app
