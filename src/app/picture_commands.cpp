#include "app/picture_commands.hpp"

#include "app/document.hpp"
#include "app/refresh.hpp"
#include "dialogs/message_box.hpp"
#include "export/clipboard.hpp"
#include "export/png.hpp"
#include "export/print.hpp"
#include "export/rasterise.hpp"
#include "win/wide.hpp"

namespace quarn::app {
namespace {

// The picture of the window's view without selection, as it is published.
Scene export_scene(const AppState& state) {
    SceneOptions options;
    options.palette = k_light_palette;
    options.show_site_title = true;
    options.view = state.view;
    return build_scene(state.map, options);
}

std::optional<RasterImage> rasterise_view(const AppState& state) {
    auto image = rasterise(export_scene(state));
    if (!image) dialogs::show_warning(state.main, "Could not draw the map as an image.");
    return image;
}

std::string display_name(const AppState& state) {
    return state.path ? win::narrow(state.path->filename().wstring()) : "Untitled";
}

} // namespace

void copy_image(AppState& state) noexcept {
    if (state.map.switches.empty()) return;
    try {
        auto image = rasterise_view(state);
        if (!image) return;
        if (!put_image_on_clipboard(state.main, *image)) {
            dialogs::show_warning(state.main, "Could not put the image on the clipboard.");
            return;
        }
        set_status(state, "Map copied as an image.");
    } catch (...) {
        dialogs::show_warning(state.main, "Could not put the image on the clipboard.");
    }
}

void save_png(AppState& state) noexcept {
    if (state.map.switches.empty()) return;
    try {
        auto path = ask_save_path(state.main, L"PNG Images (*.png)\0*.png\0", L"png", std::nullopt);
        if (!path) return;
        std::string shown = win::narrow(path->wstring());
        if (auto failure = save_scene_png_file(*path, export_scene(state))) {
            dialogs::show_warning(state.main, failure->not_drawn
                                                  ? "Could not draw the map as an image."
                                                  : "Could not save " + shown + ": " + failure->message);
            return;
        }
        set_status(state, "Saved " + shown);
    } catch (...) {}
}

void print_map(AppState& state) noexcept {
    if (state.map.switches.empty()) return;
    try {
        const Scene scene = export_scene(state);
        PrintJob job;
        win::UniquePrinterDc printer = ask_printer(state.main, &job);
        if (!printer) return;
        std::size_t printed = 0;
        job.progress_owner = state.main;
        if (auto plan = plan_print(printer_metrics(printer.get()), scene))
            printed = print_pages(printer.get(), scene, *plan, display_name(state), &job);
        if (printed == 0 && !job.cancelled) dialogs::show_warning(state.main, "Could not print the map.");
    } catch (...) {
        dialogs::show_warning(state.main, "Could not print the map.");
    }
}

} // namespace quarn::app
