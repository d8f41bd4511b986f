#include "app/map_commands.hpp"

#include "app/command_dispatch.hpp"
#include "app/document.hpp"
#include "app/port_commands.hpp"
#include "app/views.hpp"
#include "config/config_store.hpp"
#include "dialogs/message_box.hpp"
#include "export/csv.hpp"
#include "export/list_separator.hpp"
#include "export/safe_write.hpp"
#include "export/svg.hpp"
#include "ops/switch_ops.hpp"
#include "ops/vlan_ops.hpp"
#include "theme/theme.hpp"
#include "validate/check_map.hpp"
#include "win/wide.hpp"

namespace quarn::app {
namespace {

void save_settings(const AppState& state) {
    if (state.config_folder) (void)save_config(*state.config_folder, state.config);
}

// Selects the ports of one switch's position after it moved, so that Move Up
// pressed twice moves the same switch twice.
void follow_switch(AppState& state, std::size_t from, std::size_t to) {
    std::vector<PortRef> moved;
    for (const PortRef& ref : state.canvas.selection().ports())
        if (ref.switch_index == from) moved.push_back({to, ref.port_index});
    state.canvas.selection().set(std::move(moved));
    state.last_switch = to;
}

void write_export(AppState& state, const wchar_t* filter, const wchar_t* extension,
                  const std::string& bytes) {
    auto path = ask_save_path(state.main, filter, extension, std::nullopt);
    if (!path) return;
    std::string shown = win::narrow(path->wstring());
    if (auto error = safe_write(*path, bytes)) {
        dialogs::show_warning(state.main, "Could not save " + shown + ": " + *error);
        return;
    }
    set_status(state, "Saved " + shown);
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

void move_current_switch(AppState& state, bool up) noexcept {
    auto sw = current_switch(state);
    if (!sw) return;
    std::optional<std::size_t> to;
    Map before = state.map;
    to = up ? move_switch_up(state.map, *sw) : move_switch_down(state.map, *sw);
    if (!to || state.map == before) return;
    state.history.record_change(std::move(before));
    follow_switch(state, *sw, *to);
    after_map_change(state);
}

void remove_selected_vlan(AppState& state) noexcept {
    if (!state.selected_vlan) return;
    std::uint16_t id = *state.selected_vlan;
    std::size_t carried = ports_carrying_vlan(state.map, id);
    bool keep_on_ports = false;
    if (carried > 0) {
        dialogs::MessageRequest request;
        request.owner = state.main;
        request.text = "VLAN " + std::to_string(id) + " is on " + std::to_string(carried) +
                       " port(s). Remove it from them too?";
        request.buttons = {"Remove Them", "Keep Them", "Cancel"};
        request.default_index = 0;
        request.close_index = 2;
        std::size_t answer = dialogs::show_message(request);
        if (answer == 2) return;
        keep_on_ports = answer == 1;
    }
    change_map(state, [&](Map& map) {
        if (keep_on_ports)
            std::erase_if(map.vlans, [id](const Vlan& vlan) { return vlan.id == id; });
        else
            remove_vlan(map, id);
    });
}

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

void check_map_command(AppState& state) noexcept {
    try {
        dialogs::MessageRequest request;
        request.owner = state.main;
        request.icon = dialogs::MessageIcon::Program;
        request.text = check_report(check_map(state.map));
        dialogs::show_message(request);
    } catch (...) {}
}

void set_view(AppState& state, ViewMode view) noexcept {
    if (state.view == view) return;
    state.view = view;
    state.config.breakdown = view.kind == ViewKind::VlanBreakdown;
    state.config.show_unused = view.show_unused;
    try {
        save_settings(state);
    } catch (...) {}
    rebuild_scene(state);
}

void choose_theme(AppState& state, ThemeChoice choice) noexcept {
    theme::ThemeChoiceHooks hooks;
    hooks.store_choice = [&state](ThemeChoice stored) {
        state.config.theme = stored;
        try {
            save_settings(state);
        } catch (...) {}
    };
    hooks.dark_changed = [&state](bool) { rebuild_scene(state); };
    (void)theme::apply_theme_choice(choice, hooks);
    if (state.controls.vlan_list != nullptr) ::InvalidateRect(state.controls.vlan_list, nullptr, TRUE);
}

void save_svg(AppState& state) noexcept {
    if (state.map.switches.empty()) return;
    try {
        SceneOptions options;
        options.palette = k_light_palette;
        options.show_site_title = true;
        options.view = state.view;
        write_export(state, L"SVG Images (*.svg)\0*.svg\0", L"svg",
                     scene_svg(build_scene(state.map, options)));
    } catch (...) {}
}

void save_csv(AppState& state) noexcept {
    if (state.map.switches.empty()) return;
    try {
        write_export(state, L"CSV Files (*.csv)\0*.csv\0", L"csv", map_csv(state.map, user_list_separator()));
    } catch (...) {}
}

} // namespace quarn::app
