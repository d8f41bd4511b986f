#include "app/startup.hpp"

#include <shellapi.h>

#include "app/main_controls.hpp"
#include "app/refresh.hpp"
#include "config/config_store.hpp"
#include "theme/theme.hpp"

namespace quarn::app {

MainProgram::~MainProgram() {
    window.attach(nullptr);
    if (window.hwnd() != nullptr) ::DestroyWindow(window.hwnd());
}

std::unique_ptr<MainProgram> start_main_window(HINSTANCE instance, const StartOptions& options) noexcept {
    try {
        auto program = std::make_unique<MainProgram>();
        auto state = std::make_unique<AppState>();
        state->instance = instance;
        state->config_folder = options.config_folder;
        if (state->config_folder) state->config = load_config(*state->config_folder);
        (void)theme::init_theme(state->config.theme);

        if (!MainWindow::register_class(instance)) return nullptr;
        if (!program->window.create(instance)) return nullptr;
        state->main = program->window.hwnd();
        state->update = std::make_unique<update::UpdateService>(state->main);
        state->update->show_status_in(&state->about);

        state->view.kind = state->config.topology    ? ViewKind::Topology
                           : state->config.breakdown ? ViewKind::VlanBreakdown
                                                     : ViewKind::FrontPanel;
        state->view.show_unused = state->config.show_unused;
        program->window.attach(state.get());
        program->state = std::move(state);
        AppState& app = *program->state;

        create_main_controls(app);
        apply_main_font(app);
        layout_main_controls(app);
        refresh_all(app);
        set_status(
            app,
            "Select ports, pick a VLAN in the list, then press Toggle Untagged (U) or Toggle Tagged (T).");

        // Files dragged from Explorer: maps and configurations.
        ::DragAcceptFiles(app.main, TRUE);
        ::ShowWindow(app.main, options.show);
        ::UpdateWindow(app.main);
        if (app.canvas.hwnd() != nullptr) ::SetFocus(app.canvas.hwnd());
        return program;
    } catch (...) {
        return nullptr;
    }
}

} // namespace quarn::app
