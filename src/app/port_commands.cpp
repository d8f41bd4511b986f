#include "app/port_commands.hpp"

#include "app/app_state.hpp"
#include "app/canvas_scene.hpp"
#include "app/current_switch.hpp"
#include "app/edit_road.hpp"
#include "app/field_text.hpp"
#include "app/refresh.hpp"
#include "dialogs/message_box.hpp"
#include "ops/port_ops.hpp"
#include "ops/port_range.hpp"
#include "ops/port_vlan_ops.hpp"

namespace quarn::app {
namespace {

const std::vector<PortRef>& selected(const AppState& state) {
    return state.canvas.selection().ports();
}

enum class Tagging { Untagged, Tagged };

void toggle_vlan(AppState& state, Tagging tagging) noexcept {
    if (!state.selected_vlan) {
        dialogs::show_warning(state.main, "Select a VLAN in the list first.");
        return;
    }
    std::uint16_t vlan = *state.selected_vlan;
    edit_map(state, on_switches_of(selected(state)), [&](Map& map) {
        if (tagging == Tagging::Tagged)
            toggle_tagged(map, selected(state), vlan);
        else
            toggle_untagged(map, selected(state), vlan);
    });
}

void select_ports(AppState& state, std::vector<PortRef> ports) {
    state.canvas.selection().set(std::move(ports));
    selection_changed(state);
}

} // namespace

void toggle_untagged_command(AppState& state) noexcept {
    toggle_vlan(state, Tagging::Untagged);
}

void toggle_tagged_command(AppState& state) noexcept {
    toggle_vlan(state, Tagging::Tagged);
}

void clear_vlans(AppState& state) noexcept {
    edit_map(state, on_switches_of(selected(state)),
             [&](Map& map) { clear_port_vlans(map, selected(state)); });
}

void copy_vlans(AppState& state) noexcept {
    if (selected(state).empty()) return;
    const PortRef& first = selected(state).front();
    if (auto vlans = copy_port_vlans(state.map, first)) {
        state.vlan_clipboard = std::move(vlans);
        const Switch& sw = state.map.switches[first.switch_index];
        set_status(state, "Copied the VLANs of " + sw.name + " port " + sw.ports[first.port_index].label);
    }
}

void paste_vlans(AppState& state) noexcept {
    if (!state.vlan_clipboard) return;
    edit_map(state, on_switches_of(selected(state)),
             [&](Map& map) { paste_port_vlans(map, selected(state), *state.vlan_clipboard); });
}

void select_all_on_switch(AppState& state) noexcept {
    try {
        auto sw = current_switch(state);
        if (!sw) return;
        std::vector<PortRef> all;
        for (std::size_t i = 0; i < state.map.switches[*sw].ports.size(); ++i) all.push_back({*sw, i});
        select_ports(state, std::move(all));
    } catch (...) {}
}

void select_port_range(AppState& state) noexcept {
    try {
        auto sw = current_switch(state);
        if (!sw || state.controls.range == nullptr) return;
        auto parsed = parse_port_range(state.map.switches[*sw], field_text(state.controls.range));
        if (!parsed) {
            dialogs::show_warning(state.main, parsed.error());
            return;
        }
        std::vector<PortRef> ports;
        for (std::size_t position : parsed.value()) ports.push_back({*sw, position});
        select_ports(state, std::move(ports));
    } catch (...) {}
}

void selection_changed(AppState& state) noexcept {
    const auto& ports = selected(state);
    if (!ports.empty()) state.last_switch = ports.front().switch_index;
    redraw_scene(state);
    refresh_port_panel(state);
}

} // namespace quarn::app
