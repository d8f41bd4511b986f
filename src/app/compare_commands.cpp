#include "app/compare_commands.hpp"

#include "app/document.hpp"
#include "compare/change_text.hpp"
#include "compare/compare_maps.hpp"
#include "dialogs/message_box.hpp"
#include "export/file_read.hpp"
#include "win/wide.hpp"

namespace quarn::app {

std::string comparison_text(const Map& before, const Map& after) {
    std::string text = changes_text(compare_maps(before, after));
    return text.empty() ? "No changes." : text;
}

void show_changes_since_saved(AppState& state) noexcept {
    try {
        if (state.map == state.saved) return;
        (void)state.viewer.show(state.main, L"Changes Since Saved", comparison_text(state.saved, state.map));
    } catch (...) {}
}

void compare_with_file(AppState& state) noexcept {
    auto path = ask_open_path(state.main);
    if (path) compare_with_map_file(state, *path);
}

void compare_with_map_file(AppState& state, const std::filesystem::path& path) noexcept {
    try {
        const std::string shown = win::narrow(path.wstring());
        auto loaded = read_map_file(path);
        if (!loaded.map) {
            dialogs::show_warning(state.main, "Could not open " + shown + ":\n" + loaded.map.error());
            return;
        }
        const std::wstring title = L"Changes From " + path.filename().wstring();
        (void)state.viewer.show(state.main, title.c_str(), comparison_text(loaded.map.value(), state.map));
    } catch (...) {}
}

} // namespace quarn::app
