#include "app/view_commands.hpp"

#include "app/canvas_scene.hpp"
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

} // namespace quarn::app
