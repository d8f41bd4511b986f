#include "app/editor_commands.hpp"

#include "app/app_state.hpp"
#include "app/current_switch.hpp"
#include "app/edit_road.hpp"
#include "common/fill.hpp"
#include "dialogs/lag_dialog.hpp"
#include "dialogs/lag_form.hpp"
#include "dialogs/message_box.hpp"
#include "dialogs/switch_dialog.hpp"
#include "dialogs/switch_form.hpp"
#include "dialogs/uplink_dialog.hpp"
#include "dialogs/uplink_form.hpp"
#include "dialogs/vlan_dialog.hpp"
#include "dialogs/vlan_form.hpp"
#include "ops/switch_ops.hpp"
#include "ops/vlan_ops.hpp"

namespace quarn::app {
namespace {

// The positions of the selected ports that lie on `switch_index`.
std::vector<std::size_t> selected_positions(const AppState& state, std::size_t switch_index) {
    std::vector<std::size_t> positions;
    for (const PortRef& ref : state.canvas.selection().ports())
        if (ref.switch_index == switch_index) positions.push_back(ref.port_index);
    return positions;
}

} // namespace

void add_vlan_command(AppState& state) noexcept {
    try {
        auto vlan = dialogs::run_vlan_dialog(state.main, dialogs::new_vlan(state.map), false,
                                             dialogs::add_vlan_check(state.map));
        if (!vlan) return;
        std::optional<VlanError> refused;
        edit_map(state, EditRule{.select_vlan = vlan->id}, [&](Map& map) { refused = add_vlan(map, *vlan); });
        if (refused) dialogs::show_warning(state.main, vlan_error_message(*refused));
    } catch (...) {}
}

void edit_vlan_command(AppState& state) noexcept {
    try {
        if (!state.selected_vlan) return;
        auto index = find_vlan(state.map, *state.selected_vlan);
        if (!index) return;
        std::uint16_t old_id = *state.selected_vlan;
        auto vlan = dialogs::run_vlan_dialog(state.main, state.map.vlans[*index], true,
                                             dialogs::edit_vlan_check(state.map, old_id));
        if (!vlan) return;
        std::optional<VlanError> refused;
        edit_map(state, EditRule{.select_vlan = vlan->id},
                 [&](Map& map) { refused = edit_vlan(map, old_id, *vlan); });
        if (refused) dialogs::show_warning(state.main, vlan_error_message(*refused));
    } catch (...) {}
}

void add_switch_command(AppState& state) noexcept {
    try {
        auto form = dialogs::run_switch_dialog(state.main, nullptr);
        if (!form) return;
        // A new switch goes right after the one the user works on, so it
        // appears where they are looking; at the end of an empty map.
        auto after = current_switch(state);
        EditRule rule{.selection = SelectionFollow::NewSwitch};
        edit_map(state, rule, [&](Map& map) {
            rule.to =
                add_switch(map, after, form->name, form->location, form->model, dialogs::layout_input(*form));
        });
    } catch (...) {}
}

void edit_switch_command(AppState& state) noexcept {
    try {
        auto sw = current_switch(state);
        if (!sw) return;
        auto form = dialogs::run_switch_dialog(state.main, &state.map.switches[*sw]);
        if (!form) return;
        SwitchEdit edit = prepare_switch_edit(state.map.switches[*sw], form->name, form->location,
                                              form->model, dialogs::layout_input(*form));
        if (edit.ports_losing_vlans > 0) {
            dialogs::MessageRequest request;
            request.owner = state.main;
            request.text = fill("{} port(s) with VLANs no longer exist on this layout and lose their VLANs.",
                                {std::to_string(edit.ports_losing_vlans)});
            request.buttons = {"Continue", "Cancel"};
            request.default_index = 1;
            request.close_index = 1;
            if (dialogs::show_message(request) != 0) return;
        }
        // Ports of the old layout may be gone: the selection is pruned.
        edit_map(state, [&](Map& map) { (void)apply_switch_edit(map, *sw, std::move(edit.edited)); });
    } catch (...) {}
}

void lag_command(AppState& state) noexcept {
    try {
        auto sw = state.canvas.selection().single_switch();
        if (!sw) return;
        std::vector<std::size_t> selected = selected_positions(state, *sw);
        auto editing = dialogs::lag_to_edit(state.map.switches[*sw], selected);
        auto input = dialogs::lag_dialog_input(state.map, *sw, editing, selected);
        auto form = dialogs::run_lag_dialog(state.main, input, dialogs::lag_check(state.map, *sw, editing),
                                            dialogs::lag_question(state.map, *sw, editing));
        if (!form) return;
        std::optional<std::string> refused;
        edit_map(state, [&](Map& map) { refused = dialogs::apply_lag_form(map, *sw, editing, *form); });
        if (refused) dialogs::show_warning(state.main, *refused);
    } catch (...) {}
}

void uplink_command(AppState& state) noexcept {
    try {
        const auto& ports = state.canvas.selection().ports();
        if (ports.size() != 1) return;
        PortRef port = ports.front();
        auto form = dialogs::run_uplink_dialog(state.main, dialogs::uplink_dialog_input(state.map, port));
        if (!form) return;
        std::optional<std::string> refused;
        edit_map(state, [&](Map& map) { refused = dialogs::apply_uplink_form(map, port, *form); });
        if (refused) dialogs::show_warning(state.main, *refused);
    } catch (...) {}
}

} // namespace quarn::app
