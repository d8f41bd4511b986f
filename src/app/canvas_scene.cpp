#include "app/canvas_scene.hpp"

#include "app/current_switch.hpp"
#include <utility>
#include <vector>

#include "theme/theme.hpp"
#include "theme/theme_colors.hpp"

namespace quarn::app {

void rebuild_scene(AppState& state) noexcept {
    try {
        SceneOptions options;
        const auto& ports = state.canvas.selection().ports();
        if (!ports.empty()) options.selected_switch = ports.front().switch_index;
        // The topology marks the switch that commands act on, chosen by a
        // click on its box as often as by a port.
        if (state.view.kind == ViewKind::Topology) options.selected_switch = current_switch(state);
        options.selected_ports = ports;
        if (state.highlight_vlan) options.selected_vlan = state.selected_vlan;
        options.palette = theme::scene_palette();
        options.show_site_title = true;
        options.view = state.view;
        const MapChange change = std::exchange(state.scene_change, MapChange{});
        const std::vector<Span> changed = state.scene.update(state.map, options, change);

        const theme::ThemeColors& colors = theme::theme_colors();
        CanvasContent content{&state.scene, options.palette.highlight, colors.field_background};
        state.canvas.set_content(content, changed);
    } catch (...) {
        // Out of memory: the canvas keeps the last scene it had.
    }
}

void redraw_scene(AppState& state) noexcept {
    if (state.scene_change.anything) state.scene_change = MapChange{false, {}};
    rebuild_scene(state);
}

} // namespace quarn::app
