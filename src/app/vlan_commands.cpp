#include "app/vlan_commands.hpp"

#include <string>

#include "app/app_state.hpp"
#include "app/edit_road.hpp"
#include "dialogs/message_box.hpp"
#include "ops/vlan_ops.hpp"

namespace quarn::app {

void remove_selected_vlan(AppState& state) noexcept {
    if (!state.selected_vlan) return;
    std::uint16_t id = *state.selected_vlan;
    std::size_t carried = ports_carrying_vlan(state.map, id);
    bool keep_on_ports = false;
    if (carried > 0) {
        dialogs::MessageRequest request;
        request.owner = state.main;
        request.text = "VLAN " + std::to_string(id) + " is on " + std::to_string(carried) +
                       " port(s). Remove it from them too?";
        request.buttons = {"Remove Them", "Keep Them", "Cancel"};
        request.default_index = 0;
        request.close_index = 2;
        std::size_t answer = dialogs::show_message(request);
        if (answer == 2) return;
        keep_on_ports = answer == 1;
    }
    edit_map(state, [&](Map& map) {
        if (keep_on_ports)
            std::erase_if(map.vlans, [id](const Vlan& vlan) { return vlan.id == id; });
        else
            remove_vlan(map, id);
    });
}

} // namespace quarn::app
