#pragma once

#include "app/app_state_fwd.hpp"

namespace quarn::app {

// View menu, Check Map: the problems in the Check Map window, checked
// afresh each time.
void check_map_command(AppState& state) noexcept;

// View menu and the VLAN list's context menu, Where Is This VLAN: every port
// that carries the selected VLAN, switch by switch, after its reach, in the
// text viewer.
void where_is_vlan_command(AppState& state) noexcept;

} // namespace quarn::app
