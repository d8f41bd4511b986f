#pragma once

#include "app/app_state_fwd.hpp"

namespace quarn::app {

// The VLAN list's Remove button: asks when ports carry the VLAN.
void remove_selected_vlan(AppState& state) noexcept;

} // namespace quarn::app
