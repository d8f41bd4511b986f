#include "app/views.hpp"

#include <algorithm>

#include "app/port_panel_view.hpp"
#include "listview/vlan_list.hpp"
#include "theme/theme.hpp"
#include "theme/theme_colors.hpp"
#include "win/wide.hpp"

namespace quarn::app {
namespace {

void set_text(HWND control, std::string_view text) noexcept {
    if (control == nullptr) return;
    std::wstring wide = win::widen(text);
    // Leave an unchanged field alone: resetting it would move the caret of a
    // user who is typing in it.
    int length = ::GetWindowTextLengthW(control);
    std::wstring old(static_cast<std::size_t>(length) + 1, L'\0');
    ::GetWindowTextW(control, old.data(), length + 1);
    old.resize(static_cast<std::size_t>(length));
    if (old != wide) ::SetWindowTextW(control, wide.c_str());
}

} // namespace

std::optional<std::size_t> current_switch(const AppState& state) {
    if (state.map.switches.empty()) return std::nullopt;
    const auto& ports = state.canvas.selection().ports();
    for (const PortRef& ref : ports)
        if (ref.switch_index < state.map.switches.size()) return ref.switch_index;
    std::size_t last = state.map.switches.size() - 1;
    return std::min(state.last_switch.value_or(0), last);
}

void rebuild_scene(AppState& state) noexcept {
    try {
        SceneOptions options;
        const auto& ports = state.canvas.selection().ports();
        if (!ports.empty()) options.selected_switch = ports.front().switch_index;
        options.selected_ports = ports;
        if (state.highlight_vlan) options.selected_vlan = state.selected_vlan;
        bool dark = theme::is_dark();
        options.palette = dark ? k_dark_palette : k_light_palette;
        options.show_site_title = true;
        options.view = state.view;
        state.scene = build_scene(state.map, options);

        const theme::ThemeColors& colors = theme::theme_colors();
        CanvasContent content{&state.scene, options.palette.highlight, colors.field_background};
        state.canvas.set_content(content);
    } catch (...) {
        // Out of memory: the canvas keeps the last scene it had.
    }
}

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
        set_text(state.controls.selection_text, view.selection_text);
        set_text(state.controls.vlan_text, view.vlan_text);
        set_text(state.controls.label, view.label);
        set_text(state.controls.description, view.description);
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
    set_text(state.controls.site, state.map.site);
    state.setting_texts = false;
}

std::string window_title(const AppState& state) {
    std::string name = "Untitled";
    if (state.path) name = win::narrow(state.path->filename().wstring());
    return name + (state.map != state.saved ? "*" : "") + " - Quarn";
}

void refresh_title(AppState& state) noexcept {
    try {
        std::wstring title = win::widen(window_title(state));
        ::SetWindowTextW(state.main, title.c_str());
    } catch (...) {}
}

void refresh_all(AppState& state) noexcept {
    rebuild_scene(state);
    refresh_site(state);
    refresh_vlan_list(state);
    refresh_port_panel(state);
    refresh_title(state);
}

std::string field_text(HWND field) {
    int length = ::GetWindowTextLengthW(field);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::GetWindowTextW(field, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return win::narrow(text);
}

void set_status(const AppState& state, std::string_view text) noexcept {
    set_text(state.controls.status, text);
}

} // namespace quarn::app
