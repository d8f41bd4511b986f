#include "app/command_dispatch.hpp"

#include "app/commands.hpp"
#include "app/document.hpp"
#include "app/selection.hpp"
#include "app/views.hpp"
#include "listview/vlan_list.hpp"
#include "win/wide.hpp"

namespace quarn::app {
namespace {

std::string field_text(HWND field) {
    int length = ::GetWindowTextLengthW(field);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::GetWindowTextW(field, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return win::narrow(text);
}

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
    case TextField::Label:
    case TextField::Description:
    case TextField::None:
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

void selection_changed(AppState& state) {
    const auto& ports = state.canvas.selection().ports();
    if (!ports.empty()) state.last_switch = ports.front().switch_index;
    rebuild_scene(state);
    refresh_port_panel(state);
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

void dispatch_command(AppState& state, int id, int code, HWND control) noexcept {
    try {
        switch (id) {
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
