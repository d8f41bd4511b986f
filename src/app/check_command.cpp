#include "app/check_command.hpp"

#include "app/app_state.hpp"

#include "dialogs/message_box.hpp"
#include "validate/check_map.hpp"

namespace quarn::app {

void check_map_command(AppState& state) noexcept {
    try {
        dialogs::MessageRequest request;
        request.owner = state.main;
        request.icon = dialogs::MessageIcon::Program;
        request.text = check_report(check_map(state.map));
        dialogs::show_message(request);
    } catch (...) {}
}

} // namespace quarn::app
