#include "app/refresh.hpp"

#include "app/field_text.hpp"
#include "app/port_panel_view.hpp"
#include "listview/vlan_list.hpp"
#include "win/wide.hpp"

namespace quarn::app {

void refresh_vlan_list(AppState& state) noexcept {
    if (state.controls.vlan_list != nullptr)
        listview::fill_vlan_list(state.controls.vlan_list, state.map.vlans, state.selected_vlan);
    bool has_vlan = state.selected_vlan && find_vlan(state.map, *state.selected_vlan);
    if (state.controls.edit_vlan != nullptr) ::EnableWindow(state.controls.edit_vlan, has_vlan);
    if (state.controls.remove_vlan != nullptr) ::EnableWindow(state.controls.remove_vlan, has_vlan);
}

void refresh_port_panel(AppState& state) noexcept {
    try {
        PortPanelView view =
            port_panel_view(state.map, state.canvas.selection().ports(), state.selected_vlan);
        state.setting_texts = true;
        set_field_text(state.controls.selection_text, view.selection_text);
        set_field_text(state.controls.vlan_text, view.vlan_text);
        set_field_text(state.controls.label, view.label);
        set_field_text(state.controls.description, view.description);
        state.setting_texts = false;
        if (state.controls.label != nullptr) ::EnableWindow(state.controls.label, view.label_enabled);
        if (state.controls.description != nullptr)
            ::EnableWindow(state.controls.description, view.description_enabled);
        if (state.controls.disabled != nullptr) {
            ::EnableWindow(state.controls.disabled, view.disabled_enabled);
            ::SendMessageW(state.controls.disabled, BM_SETCHECK,
                           view.disabled_checked ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        if (HWND list = state.controls.port_vlans) {
            ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
            ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
            for (const std::string& line : view.port_vlans) {
                std::wstring wide = win::widen(line);
                ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
            }
            ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
            ::InvalidateRect(list, nullptr, TRUE);
        }
    } catch (...) {
        state.setting_texts = false;
    }
}

void refresh_site(AppState& state) noexcept {
    state.setting_texts = true;
    set_field_text(state.controls.site, state.map.site);
    state.setting_texts = false;
}

void refresh_all(AppState& state) noexcept {
    ++state.refreshes;
    rebuild_scene(state);
    refresh_site(state);
    refresh_vlan_list(state);
    refresh_port_panel(state);
    refresh_title(state);
}

void set_status(const AppState& state, std::string_view text) noexcept {
    set_field_text(state.controls.status, text);
}

} // namespace quarn::app
