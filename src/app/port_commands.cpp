#include "app/port_commands.hpp"

#include "app/canvas_scene.hpp"
#include "app/command_dispatch.hpp"
#include "app/current_switch.hpp"
#include "app/field_text.hpp"
#include "app/refresh.hpp"
#include "app/window_title.hpp"
#include "dialogs/message_box.hpp"
#include "ops/port_ops.hpp"
#include "ops/port_range.hpp"
#include "ops/port_vlan_ops.hpp"
#include "win/wide.hpp"

namespace quarn::app {
namespace {

const std::vector<PortRef>& selected(const AppState& state) {
    return state.canvas.selection().ports();
}

} // namespace

void prune_selection(AppState& state) noexcept {
    try {
        std::vector<PortRef> kept;
        for (const PortRef& ref : selected(state)) {
            if (ref.switch_index < state.map.switches.size() &&
                ref.port_index < state.map.switches[ref.switch_index].ports.size())
                kept.push_back(ref);
        }
        if (kept != selected(state)) state.canvas.selection().set(std::move(kept));
    } catch (...) {
        state.canvas.selection().clear();
    }
}

void toggle_vlan(AppState& state, Tagging tagging) noexcept {
    if (!state.selected_vlan) {
        dialogs::show_warning(state.main, "Select a VLAN in the list first.");
        return;
    }
    std::uint16_t vlan = *state.selected_vlan;
    change_map(state, [&](Map& map) {
        if (tagging == Tagging::Tagged)
            toggle_tagged(map, selected(state), vlan);
        else
            toggle_untagged(map, selected(state), vlan);
    });
}

void clear_vlans(AppState& state) noexcept {
    change_map(state, [&](Map& map) { clear_port_vlans(map, selected(state)); });
}

void copy_vlans(AppState& state) noexcept {
    if (selected(state).empty()) return;
    if (auto vlans = copy_port_vlans(state.map, selected(state).front())) {
        state.vlan_clipboard = std::move(vlans);
        set_status(state, "Copied the VLANs of " +
                              state.map.switches[selected(state).front().switch_index].name + " port " +
                              state.map.switches[selected(state).front().switch_index]
                                  .ports[selected(state).front().port_index]
                                  .label);
    }
}

void paste_vlans(AppState& state) noexcept {
    if (!state.vlan_clipboard) return;
    change_map(state, [&](Map& map) { paste_port_vlans(map, selected(state), *state.vlan_clipboard); });
}

void select_all_on_switch(AppState& state) noexcept {
    auto sw = current_switch(state);
    if (!sw) return;
    std::vector<PortRef> all;
    for (std::size_t i = 0; i < state.map.switches[*sw].ports.size(); ++i) all.push_back({*sw, i});
    state.canvas.selection().set(std::move(all));
    state.last_switch = sw;
    rebuild_scene(state);
    refresh_port_panel(state);
}

void select_port_range(AppState& state) noexcept {
    auto sw = current_switch(state);
    if (!sw || state.controls.range == nullptr) return;
    auto parsed = parse_port_range(state.map.switches[*sw], field_text(state.controls.range));
    if (!parsed) {
        dialogs::show_warning(state.main, parsed.error());
        return;
    }
    std::vector<PortRef> ports;
    for (std::size_t position : parsed.value()) ports.push_back({*sw, position});
    state.canvas.selection().set(std::move(ports));
    state.last_switch = sw;
    rebuild_scene(state);
    refresh_port_panel(state);
}

void label_field_event(AppState& state, int code, HWND field) noexcept {
    if (code == EN_SETFOCUS) {
        state.visiting = TextField::Label;
        return;
    }
    if (code != EN_KILLFOCUS) return;
    if (state.visiting == TextField::Label) state.visiting = TextField::None;
    if (selected(state).size() != 1 || field == nullptr) return;
    std::string label = field_text(field);
    PortRef port = selected(state).front();
    std::optional<std::string> refusal;
    change_map(state, [&](Map& map) {
        if (auto error = set_port_label(map, port, label)) refusal = port_label_error_message(*error);
    });
    if (refusal) {
        refresh_port_panel(state); // the field shows the label the port keeps
        dialogs::show_warning(state.main, *refusal);
    }
}

void description_field_event(AppState& state, int code, HWND field) noexcept {
    switch (code) {
    case EN_SETFOCUS:
        state.visiting = TextField::Description;
        state.visit_recorded = false;
        return;
    case EN_KILLFOCUS:
        if (state.visiting == TextField::Description) state.visiting = TextField::None;
        return;
    case EN_CHANGE:
        break;
    default:
        return;
    }
    if (state.setting_texts || field == nullptr || selected(state).empty()) return;
    Map before = state.map;
    set_port_description(state.map, selected(state), field_text(field));
    if (state.map == before) return;
    // One undo step per visit of the field.
    if (!(state.visiting == TextField::Description && state.visit_recorded)) {
        state.history.record_change(std::move(before));
        state.visit_recorded = state.visiting == TextField::Description;
    }
    rebuild_scene(state);
    refresh_title(state);
}

void disabled_clicked(AppState& state, HWND check) noexcept {
    if (check == nullptr || selected(state).empty()) return;
    bool disabled = ::SendMessageW(check, BM_GETCHECK, 0, 0) == BST_CHECKED;
    change_map(state, [&](Map& map) { set_port_disabled(map, selected(state), disabled); });
}

} // namespace quarn::app
