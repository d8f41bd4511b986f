#include "app/undo_commands.hpp"

#include "app/app_state.hpp"
#include "app/edit_road.hpp"

namespace quarn::app {

void undo(AppState& state) noexcept {
    if (state.history.undo(state.map)) finish_map_change(state, EditRule{});
}

void redo(AppState& state) noexcept {
    if (state.history.redo(state.map)) finish_map_change(state, EditRule{});
}

} // namespace quarn::app
