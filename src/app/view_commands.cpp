#include "app/view_commands.hpp"

#include "app/app_state.hpp"
#include "app/canvas_scene.hpp"
#include "app/zoom.hpp"
#include "config/config_store.hpp"
#include "theme/theme.hpp"

namespace quarn::app {
namespace {

void save_settings(const AppState& state) {
    if (state.config_folder) (void)save_config(*state.config_folder, state.config);
}

} // namespace

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

void front_panel_command(AppState& state) noexcept {
    set_view(state, ViewMode{ViewKind::FrontPanel, state.view.show_unused});
}

void breakdown_command(AppState& state) noexcept {
    set_view(state, ViewMode{ViewKind::VlanBreakdown, state.view.show_unused});
}

// Unused VLANs are a choice of the breakdown alone; F-keys and tests may
// send the command in the front panel view, where it does nothing.
void show_unused_command(AppState& state) noexcept {
    if (state.view.kind == ViewKind::VlanBreakdown)
        set_view(state, ViewMode{state.view.kind, !state.view.show_unused});
}

void zoom_in_command(AppState& state) noexcept {
    state.canvas.set_zoom(zoom_in(state.canvas.zoom()));
}

void zoom_out_command(AppState& state) noexcept {
    state.canvas.set_zoom(zoom_out(state.canvas.zoom()));
}

void zoom_reset_command(AppState& state) noexcept {
    state.canvas.set_zoom(1.0f);
}

void system_theme_command(AppState& state) noexcept {
    choose_theme(state, ThemeChoice::System);
}

void light_theme_command(AppState& state) noexcept {
    choose_theme(state, ThemeChoice::Light);
}

void dark_theme_command(AppState& state) noexcept {
    choose_theme(state, ThemeChoice::Dark);
}

} // namespace quarn::app
