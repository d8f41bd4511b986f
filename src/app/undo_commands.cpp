#include "app/undo_commands.hpp"

#include "app/command_dispatch.hpp"
#include "app/port_commands.hpp"

namespace quarn::app {

void undo(AppState& state) noexcept {
    if (!state.history.undo(state.map)) return;
    prune_selection(state);
    after_map_change(state);
}

void redo(AppState& state) noexcept {
    if (!state.history.redo(state.map)) return;
    prune_selection(state);
    after_map_change(state);
}

} // namespace quarn::app
