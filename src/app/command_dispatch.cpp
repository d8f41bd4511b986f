#include "app/command_dispatch.hpp"

#include "app/canvas_scene.hpp"
#include "app/check_command.hpp"
#include "app/commands.hpp"
#include "app/compare_commands.hpp"
#include "app/current_switch.hpp"
#include "app/document.hpp"
#include "app/editor_commands.hpp"
#include "app/export_commands.hpp"
#include "app/field_text.hpp"
#include "app/menu_popup.hpp"
#include "app/menus.hpp"
#include "app/picture_commands.hpp"
#include "app/port_commands.hpp"
#include "app/refresh.hpp"
#include "app/selection.hpp"
#include "app/switch_commands.hpp"
#include "app/undo_commands.hpp"
#include "app/view_commands.hpp"
#include "app/vlan_commands.hpp"
#include "app/window_title.hpp"
#include "app/zoom.hpp"
#include "dialogs/about_window.hpp"
#include "listview/vlan_list.hpp"
#include "maker-services/install/maintenance.hpp"
#include "theme/theme.hpp"
#include "win/wide.hpp"

namespace quarn::app {
namespace {

// One undo step per visit of a text field: the first change after the field
// got the focus records the map as it was; later changes of the same visit
// only change it.
void text_field_event(AppState& state, TextField field, int code, HWND control) {
    switch (code) {
    case EN_SETFOCUS:
        state.visiting = field;
        state.visit_recorded = false;
        return;
    case EN_KILLFOCUS:
        if (state.visiting == field) state.visiting = TextField::None;
        return;
    case EN_CHANGE:
        break;
    default:
        return;
    }
    if (state.setting_texts || control == nullptr) return;
    std::string text = field_text(control);
    Map before = state.map;
    switch (field) {
    case TextField::Site:
        state.map.site = text;
        break;
    default:
        return;
    }
    if (state.map == before) return;
    if (!(state.visiting == field && state.visit_recorded)) {
        state.history.record_change(std::move(before));
        state.visit_recorded = state.visiting == field;
    }
    rebuild_scene(state);
    refresh_title(state);
}

// Enter ends a field's edit as leaving the field does. The focus stays in
// the field, so a new visit begins at once: typing on is its own undo step.
void enter_in_field(AppState& state, HWND field) {
    const MainControls& controls = state.controls;
    if (field == nullptr) return;
    if (field == controls.range) {
        select_port_range(state);
    } else if (field == controls.label) {
        label_field_event(state, EN_KILLFOCUS, field);
        label_field_event(state, EN_SETFOCUS, field);
    } else if (field == controls.site) {
        text_field_event(state, TextField::Site, EN_KILLFOCUS, field);
        text_field_event(state, TextField::Site, EN_SETFOCUS, field);
    } else if (field == controls.description) {
        description_field_event(state, EN_KILLFOCUS, field);
        description_field_event(state, EN_SETFOCUS, field);
    }
}

void selection_changed(AppState& state) {
    const auto& ports = state.canvas.selection().ports();
    if (!ports.empty()) state.last_switch = ports.front().switch_index;
    rebuild_scene(state);
    refresh_port_panel(state);
}

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

// A menu bar button: the drop-down opens under the button.
void open_menu_bar(AppState& state, int id, HWND button) {
    RECT place{};
    if (button != nullptr) ::GetWindowRect(button, &place);
    auto kind = static_cast<MenuKind>(id - MenuFile);
    int chosen = track_menu(state.main, build_menu(kind, menu_state(state)), POINT{place.left, place.bottom});
    if (chosen != 0) dispatch_command(state, chosen, 0, nullptr);
}

void open_recent(AppState& state, std::size_t index) {
    if (index >= state.config.recent.size()) return;
    if (!confirm_discard(state)) return;
    std::filesystem::path path(win::widen(state.config.recent[index]));
    (void)open_document(state, path);
}

} // namespace

void after_map_change(AppState& state) noexcept {
    if (state.selected_vlan && !find_vlan(state.map, *state.selected_vlan)) state.selected_vlan.reset();
    refresh_all(state);
}

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
        int chosen = track_menu(state.main, build_menu(MenuKind::Edit, menu_state(state)), at);
        if (chosen != 0) dispatch_command(state, chosen, 0, nullptr);
    } catch (...) {}
}

void dispatch_command(AppState& state, int id, int code, HWND control) noexcept {
    try {
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
        case LabelField:
            label_field_event(state, code, control);
            return;
        case DescriptionField:
            description_field_event(state, code, control);
            return;
        case DisabledCheck:
            if (code == BN_CLICKED) disabled_clicked(state, control);
            return;
        case RangeSelect:
            if (code == BN_CLICKED) select_port_range(state);
            return;
        case VlanAdd:
            if (code == BN_CLICKED) add_vlan_command(state);
            return;
        case VlanEdit:
            if (code == BN_CLICKED) edit_vlan_command(state);
            return;
        case PanelLag:
        case EditLag:
            lag_command(state);
            return;
        case PanelUplink:
        case EditUplink:
            uplink_command(state);
            return;
        case SwitchAdd:
            add_switch_command(state);
            return;
        case SwitchEdit:
            edit_switch_command(state);
            return;
        case SwitchImport:
            import_configuration(state);
            return;
        case VlanRemove:
            if (code == BN_CLICKED) remove_selected_vlan(state);
            return;
        case PanelToggleUntagged:
        case EditToggleUntagged:
            toggle_vlan(state, Tagging::Untagged);
            return;
        case PanelToggleTagged:
        case EditToggleTagged:
            toggle_vlan(state, Tagging::Tagged);
            return;
        case PanelClear:
        case EditClearVlans:
            clear_vlans(state);
            return;
        case EditCopyPortVlans:
            copy_vlans(state);
            return;
        case EditPastePortVlans:
            paste_vlans(state);
            return;
        case EditSelectAllOnSwitch:
            select_all_on_switch(state);
            return;
        case EditUndo:
            undo(state);
            return;
        case EditRedo:
            redo(state);
            return;
        case SwitchDuplicate:
            duplicate_current_switch(state);
            return;
        case SwitchRemove:
            remove_current_switch(state);
            return;
        case SwitchMoveUp:
            move_current_switch(state, Direction::Up);
            return;
        case SwitchMoveDown:
            move_current_switch(state, Direction::Down);
            return;
        case ViewCheckMap:
            check_map_command(state);
            return;
        case ViewChangesSinceSaved:
            show_changes_since_saved(state);
            return;
        case ViewCompareWithFile:
            compare_with_file(state);
            return;
        case ViewFrontPanel:
            set_view(state, ViewMode{ViewKind::FrontPanel, state.view.show_unused});
            return;
        case ViewBreakdown:
            set_view(state, ViewMode{ViewKind::VlanBreakdown, state.view.show_unused});
            return;
        case ViewShowUnused:
            if (state.view.kind == ViewKind::VlanBreakdown)
                set_view(state, ViewMode{state.view.kind, !state.view.show_unused});
            return;
        case ViewThemeSystem:
            choose_theme(state, ThemeChoice::System);
            return;
        case ViewThemeLight:
            choose_theme(state, ThemeChoice::Light);
            return;
        case ViewThemeDark:
            choose_theme(state, ThemeChoice::Dark);
            return;
        case FileCopyImage:
            copy_image(state);
            return;
        case FileSavePng:
            save_png(state);
            return;
        case FileSaveSvg:
            save_svg(state);
            return;
        case FileSaveCsv:
            save_csv(state);
            return;
        case FilePrint:
            print_map(state);
            return;
        case HelpAbout:
            (void)dialogs::show_about(
                state.main,
                {win::widen(update::about_updates_text(state.update->status())), HelpCheckUpdates});
            return;
        case HelpCheckUpdates:
            state.update->show_window(state.main);
            return;
        case HelpInstall:
            install::install_from_menu(state.main);
            return;
        case SiteField:
            text_field_event(state, TextField::Site, code, control);
            return;
        case HighlightVlan:
            if (code == BN_CLICKED) {
                state.highlight_vlan = ::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
                rebuild_scene(state);
            }
            return;
        case Canvas:
            if (code == k_canvas_selection_changed) selection_changed(state);
            return;
        case FileNew:
            if (confirm_discard(state)) new_document(state);
            return;
        case FileOpen:
            if (confirm_discard(state)) {
                if (auto path = ask_open_path(state.main)) (void)open_document(state, *path);
            }
            return;
        case FileSave:
            (void)save_document(state);
            return;
        case FileSaveAs:
            (void)save_document_as(state);
            return;
        case FileExit:
            ::SendMessageW(state.main, WM_CLOSE, 0, 0);
            return;
        case ViewZoomIn:
            state.canvas.set_zoom(zoom_in(state.canvas.zoom()));
            return;
        case ViewZoomOut:
            state.canvas.set_zoom(zoom_out(state.canvas.zoom()));
            return;
        case ViewZoomReset:
            state.canvas.set_zoom(1.0f);
            return;
        default:
            if (id >= RecentFirst && id < RecentFirst + static_cast<int>(k_max_recent_files))
                open_recent(state, static_cast<std::size_t>(id - RecentFirst));
            return;
        }
    } catch (...) {
        // A command that ran out of memory leaves the map as the copy-and-
        // compare road left it; nothing to undo half way.
    }
}

} // namespace quarn::app
