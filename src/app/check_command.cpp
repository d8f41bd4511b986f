#include "app/check_command.hpp"

#include "app/app_state.hpp"

#include "dialogs/message_box.hpp"
#include "dialogs/text_viewer.hpp"
#include "validate/vlan_where.hpp"
#include "win/wide.hpp"

namespace quarn::app {

void check_map_command(AppState& state) noexcept {
    state.check.show(state);
}

void where_is_vlan_command(AppState& state) noexcept {
    try {
        if (!state.selected_vlan) {
            dialogs::show_warning(state.main, "Select a VLAN in the list first.");
            return;
        }
        std::uint16_t id = *state.selected_vlan;
        std::wstring title = L"Where Is VLAN " + std::to_wstring(id);
        (void)state.viewer.show(state.main, title.c_str(),
                                vlan_where_text(state.map, id, WhereOrder::ReachFirst));
    } catch (...) {}
}

} // namespace quarn::app
