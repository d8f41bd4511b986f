#include "app/view_commands.hpp"

#include <algorithm>

#include "app/app_state.hpp"
#include "app/canvas_scene.hpp"
#include "app/port_commands.hpp"
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
    state.config.topology = view.kind == ViewKind::Topology;
    state.config.show_unused = view.show_unused;
    try {
        save_settings(state);
    } catch (...) {}
    rebuild_scene(state);
}

void choose_switch(AppState& state, std::size_t switch_index) noexcept {
    if (switch_index >= state.map.switches.size()) return;
    Selection& selection = state.canvas.selection();
    if (selection.single_switch() != switch_index) selection.clear();
    state.last_switch = switch_index;
    selection_changed(state);
}

void show_on_front_panel(AppState& state, std::size_t switch_index) noexcept {
    if (switch_index >= state.map.switches.size()) return;
    choose_switch(state, switch_index);
    set_view(state, ViewMode{ViewKind::FrontPanel, state.view.show_unused});
    // The switch's ports, and above and below them the whole block the
    // switch is drawn in, its title included.
    float left = 0.0f, top = 0.0f, right = 0.0f, bottom = 0.0f;
    bool found = false;
    for (const HitRegion& hit : state.scene.hits()) {
        if (hit.switch_index != switch_index) continue;
        left = found ? std::min(left, hit.x) : hit.x;
        top = found ? std::min(top, hit.y) : hit.y;
        right = found ? std::max(right, hit.x + hit.width) : hit.x + hit.width;
        bottom = found ? std::max(bottom, hit.y + hit.height) : hit.y + hit.height;
        found = true;
    }
    if (!found) return;
    for (const Span& block : state.scene.blocks())
        if (block.top <= top && top <= block.bottom) {
            top = block.top;
            bottom = std::max(bottom, block.bottom);
            break;
        }
    state.canvas.scroll_into_view(left, top, right - left, bottom - top);
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

void topology_command(AppState& state) noexcept {
    set_view(state, ViewMode{ViewKind::Topology, state.view.show_unused});
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
