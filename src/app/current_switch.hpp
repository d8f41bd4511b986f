#pragma once

#include <cstddef>
#include <optional>

#include "app/app_state.hpp"

namespace quarn::app {

// The switch commands act on: that of the first selected port, else the one
// last worked on, at most the last switch; nothing for a map without switches.
std::optional<std::size_t> current_switch(const AppState& state);

} // namespace quarn::app
