#include "app/switch_commands.hpp"

#include "app/command_dispatch.hpp"
#include "app/current_switch.hpp"
#include "app/refresh.hpp"
#include "dialogs/import_dialog.hpp"
#include "dialogs/message_box.hpp"
#include "ops/switch_ops.hpp"

namespace quarn::app {
namespace {

// Selects the ports of one switch's position after it moved, so that Move Up
// pressed twice moves the same switch twice.
void follow_switch(AppState& state, std::size_t from, std::size_t to) {
    std::vector<PortRef> moved;
    for (const PortRef& ref : state.canvas.selection().ports())
        if (ref.switch_index == from) moved.push_back({to, ref.port_index});
    state.canvas.selection().set(std::move(moved));
    state.last_switch = to;
}

} // namespace

void duplicate_current_switch(AppState& state) noexcept {
    auto sw = current_switch(state);
    if (!sw) return;
    std::optional<std::size_t> copy;
    change_map(state, [&](Map& map) { copy = duplicate_switch(map, *sw); });
    if (copy) {
        state.canvas.selection().clear();
        state.last_switch = copy;
        refresh_all(state);
    }
}

void remove_current_switch(AppState& state) noexcept {
    auto sw = current_switch(state);
    if (!sw) return;
    dialogs::MessageRequest request;
    request.owner = state.main;
    request.text = "Remove " + state.map.switches[*sw].name + " and its port VLANs from this map?";
    request.buttons = {"Remove", "Cancel"};
    request.default_index = 1;
    request.close_index = 1;
    if (dialogs::show_message(request) != 0) return;
    state.canvas.selection().clear();
    change_map(state, [&](Map& map) { remove_switch(map, *sw); });
}

void move_current_switch(AppState& state, Direction direction) noexcept {
    auto sw = current_switch(state);
    if (!sw) return;
    std::optional<std::size_t> to;
    Map before = state.map;
    to = direction == Direction::Up ? move_switch_up(state.map, *sw) : move_switch_down(state.map, *sw);
    if (!to || state.map == before) return;
    state.history.record_change(std::move(before));
    follow_switch(state, *sw, *to);
    after_map_change(state);
}

void import_configuration(AppState& state) noexcept {
    try {
        dialogs::ImportDialogInput input{state.map, current_switch(state)};
        auto form = dialogs::run_import_dialog(state.main, input);
        if (!form) return;
        std::optional<ImportApplied> applied;
        change_map(state,
                   [&](Map& map) { applied = dialogs::apply_import_form(map, input.current_switch, *form); });
        if (!applied) return;
        state.canvas.selection().clear();
        state.last_switch = applied->switch_index;
        refresh_all(state);
    } catch (...) {}
}

} // namespace quarn::app
