#pragma once

#include "app/app_state_fwd.hpp"

namespace quarn::app {

// Commands that open an editor dialog and apply what it returns on the
// copy-change-compare road: the VLAN list's Add and Edit, the Switch menu's
// Add and Edit, and the Edit menu's LAG and Uplink.
void add_vlan_command(AppState& state) noexcept;
void edit_vlan_command(AppState& state) noexcept;
void add_switch_command(AppState& state) noexcept;
void edit_switch_command(AppState& state) noexcept;
void lag_command(AppState& state) noexcept;
void uplink_command(AppState& state) noexcept;

} // namespace quarn::app
