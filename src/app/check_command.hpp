#pragma once

#include "app/app_state_fwd.hpp"

namespace quarn::app {

// View menu, Check Map: the report in the message box.
void check_map_command(AppState& state) noexcept;

} // namespace quarn::app
