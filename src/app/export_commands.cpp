#include "app/export_commands.hpp"

#include <string>

#include "app/document.hpp"
#include "app/refresh.hpp"
#include "dialogs/message_box.hpp"
#include "export/csv.hpp"
#include "export/list_separator.hpp"
#include "export/safe_write.hpp"
#include "export/svg.hpp"
#include "win/wide.hpp"

namespace quarn::app {
namespace {

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
