#include "app/help_commands.hpp"

#include "app/app_state.hpp"
#include "app/commands.hpp"
#include "maker-services/install/maintenance.hpp"
#include "maker-services/update/update_status.hpp"
#include "win/wide.hpp"

namespace quarn::app {

void check_updates_command(AppState& state) noexcept {
    state.update->show_window(state.main);
}

void about_command(AppState& state) noexcept {
    try {
        (void)state.about.show(
            state.main, {win::widen(update::about_updates_text(state.update->status())), HelpCheckUpdates});
    } catch (...) {}
}

void install_command(AppState& state) noexcept {
    install::install_from_menu(state.main);
}

} // namespace quarn::app
