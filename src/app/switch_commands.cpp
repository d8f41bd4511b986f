#include "app/switch_commands.hpp"

#include "app/app_state.hpp"
#include "app/current_switch.hpp"
#include "app/edit_road.hpp"
#include "dialogs/import_dialog.hpp"
#include "dialogs/message_box.hpp"
#include "ops/switch_ops.hpp"

namespace quarn::app {
namespace {

enum class Direction { Up, Down };

void move_current_switch(AppState& state, Direction direction) noexcept {
    auto sw = current_switch(state);
    if (!sw) return;
    EditRule rule{.selection = SelectionFollow::MovedSwitch, .from = *sw};
    edit_map(state, rule, [&](Map& map) {
        rule.to = direction == Direction::Up ? move_switch_up(map, *sw) : move_switch_down(map, *sw);
    });
}

} // namespace

void duplicate_current_switch(AppState& state) noexcept {
    auto sw = current_switch(state);
    if (!sw) return;
    EditRule rule{.selection = SelectionFollow::NewSwitch};
    edit_map(state, rule, [&](Map& map) { rule.to = duplicate_switch(map, *sw); });
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
    edit_map(state, EditRule{.selection = SelectionFollow::Clear},
             [&](Map& map) { remove_switch(map, *sw); });
}

void move_switch_up_command(AppState& state) noexcept {
    move_current_switch(state, Direction::Up);
}

void move_switch_down_command(AppState& state) noexcept {
    move_current_switch(state, Direction::Down);
}

void import_configuration(AppState& state) noexcept {
    open_import_with_files(state, {});
}

void open_import_with_files(AppState& state, std::vector<std::filesystem::path> paths) noexcept {
    try {
        dialogs::ImportDialogInput input{state.map, current_switch(state)};
        auto form = dialogs::run_import_dialog(state.main, input, {}, std::move(paths));
        if (!form) return;
        if (form->campus) {
            // The dialog is modal: the map it previewed on is the map now.
            EditRule rule{.selection =
                              form->first_added ? SelectionFollow::NewSwitch : SelectionFollow::Prune,
                          .to = form->first_added};
            edit_map(state, rule, [&](Map& map) { map = std::move(*form->campus); });
            return;
        }
        EditRule rule{.selection = SelectionFollow::NewSwitch};
        edit_map(state, rule, [&](Map& map) {
            if (auto applied = dialogs::apply_import_form(map, input.current_switch, *form))
                rule.to = applied->switch_index;
        });
    } catch (...) {}
}

} // namespace quarn::app
