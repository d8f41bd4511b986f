#include "app/current_switch.hpp"

#include <algorithm>

namespace quarn::app {

std::optional<std::size_t> current_switch(const AppState& state) {
    if (state.map.switches.empty()) return std::nullopt;
    const auto& ports = state.canvas.selection().ports();
    for (const PortRef& ref : ports)
        if (ref.switch_index < state.map.switches.size()) return ref.switch_index;
    std::size_t last = state.map.switches.size() - 1;
    return std::min(state.last_switch.value_or(0), last);
}

} // namespace quarn::app
