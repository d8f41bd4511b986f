#pragma once

#include "app/app_state_fwd.hpp"

namespace quarn::app {

// View menu, Check Map: the report in the message box.
void check_map_command(AppState& state) noexcept;

// View menu and the VLAN list's context menu, Where Is This VLAN: every port
// that carries the selected VLAN, switch by switch, after its reach, in the
// text viewer.
void where_is_vlan_command(AppState& state) noexcept;

} // namespace quarn::app
