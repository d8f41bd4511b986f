#include "app/command_dispatch.hpp"

#include "app/canvas_scene.hpp"
#include "app/canvas_window.hpp"
#include "app/command_table.hpp"
#include "app/current_switch.hpp"
#include "app/field_events.hpp"
#include "app/menu_popup.hpp"
#include "app/refresh.hpp"
#include "listview/vlan_list.hpp"
#include "maker-services/install/maintenance.hpp"
#include "theme/theme.hpp"

namespace quarn::app {
namespace {

MenuState menu_state(const AppState& state) {
    MenuState menu;
    menu.switch_count = state.map.switches.size();
    menu.current_switch = current_switch(state);
    menu.can_undo = state.history.can_undo();
    menu.can_redo = state.history.can_redo();
    menu.selected_vlan = state.selected_vlan;
    menu.selected_ports = state.canvas.selection().ports().size();
    menu.selection_on_one_switch = state.canvas.selection().single_switch().has_value();
    menu.clipboard_filled = state.vlan_clipboard.has_value();
    menu.map_changed = state.map != state.saved;
    menu.view = state.view;
    menu.theme = theme::theme_choice();
    menu.recent = state.config.recent;
    menu.update_available = state.update->newer_known();
    install::InstallMenuState install = install::install_menu_state();
    menu.installed = install.installed;
    menu.running_installed = install.running_installed;
    return menu;
}

void run_chosen(AppState& state, int chosen) {
    if (chosen != 0) dispatch_command(state, chosen, 0, nullptr);
}

// A menu bar button: the drop-down opens under the button.
void open_menu_bar(AppState& state, int id, HWND button) {
    RECT place{};
    if (button != nullptr) ::GetWindowRect(button, &place);
    auto kind = static_cast<MenuKind>(id - MenuFile);
    run_chosen(state,
               track_menu(state.main, build_menu(kind, menu_state(state)), POINT{place.left, place.bottom}));
}

// Menus and buttons send 0, accelerators 1; other codes are notifications
// of the window's fields, lists and check boxes.
bool is_command_code(int code) {
    return code == 0 || code == 1;
}

void control_notification(AppState& state, int id, int code, HWND control) {
    switch (id) {
    case MenuFile:
    case MenuEdit:
    case MenuSwitch:
    case MenuView:
    case MenuHelp:
        if (code == BN_CLICKED) open_menu_bar(state, id, control);
        return;
    case IDOK:
        enter_in_field(state, control != nullptr ? control : ::GetFocus());
        return;
    case SiteField:
        site_field_event(state, code, control);
        return;
    case LabelField:
        label_field_event(state, code, control);
        return;
    case DescriptionField:
        description_field_event(state, code, control);
        return;
    case DisabledCheck:
        if (code == BN_CLICKED) disabled_clicked(state, control);
        return;
    case HighlightVlan:
        if (code == BN_CLICKED) highlight_clicked(state, control);
        return;
    case Canvas:
        if (code == k_canvas_selection_changed) selection_changed(state);
        if (auto chosen = state.canvas.chosen_switch()) {
            if (code == k_canvas_switch_chosen) choose_switch(state, *chosen);
            if (code == k_canvas_switch_opened) show_on_front_panel(state, *chosen);
        }
        return;
    default:
        if (id >= RecentFirst && id < RecentFirst + static_cast<int>(k_max_recent_files))
            open_recent(state, static_cast<std::size_t>(id - RecentFirst));
        return;
    }
}

} // namespace

void vlan_selection_changed(AppState& state) noexcept {
    if (state.controls.vlan_list == nullptr) return;
    auto selected = listview::selected_vlan(state.controls.vlan_list);
    if (selected == state.selected_vlan) return;
    state.selected_vlan = selected;
    bool has_vlan = selected.has_value();
    if (state.controls.edit_vlan != nullptr) ::EnableWindow(state.controls.edit_vlan, has_vlan);
    if (state.controls.remove_vlan != nullptr) ::EnableWindow(state.controls.remove_vlan, has_vlan);
    refresh_port_panel(state);
    if (state.highlight_vlan) rebuild_scene(state);
}

void show_edit_menu(AppState& state, POINT at) noexcept {
    try {
        run_chosen(state, track_menu(state.main, build_menu(MenuKind::Edit, menu_state(state)), at));
    } catch (...) {}
}

void show_vlan_list_menu(AppState& state, POINT at) noexcept {
    try {
        run_chosen(state, track_menu(state.main, build_vlan_list_menu(menu_state(state)), at));
    } catch (...) {}
}

void dispatch_command(AppState& state, int id, int code, HWND control) noexcept {
    try {
        const CommandRow* row = find_command(id);
        if (row != nullptr && row->run != nullptr && is_command_code(code)) {
            state.last_command = id;
            row->run(state);
            return;
        }
        control_notification(state, id, code, control);
    } catch (...) {
        // A command that ran out of memory leaves the map as the edit road
        // left it; nothing to undo half way.
    }
}

} // namespace quarn::app
