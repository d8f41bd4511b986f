#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/result.hpp"
#include "model/map.hpp"

namespace quarn::dialogs {

// The caller's check run on OK: nothing when the VLAN may be taken, else the
// message to show while the dialog stays open.
using VlanCheck = std::function<std::optional<std::string>(const Vlan&)>;

inline constexpr std::string_view k_enter_vlan_id = "Enter a VLAN ID.";

// What "Add VLAN" starts with: the proposed ID and colour, an empty name.
Vlan new_vlan(const Map& map);

// The checks of adding and editing, with their messages. They keep a copy of
// the map's VLAN list, so they hold no reference into the document while the
// dialog runs.
VlanCheck add_vlan_check(const Map& map);
VlanCheck edit_vlan_check(const Map& map, std::uint16_t old_id);

// OK's first two steps: the ID text must be a number ("Enter a VLAN ID."
// otherwise; the range is the check's), the name is trimmed.
Result<Vlan> read_vlan_form(std::string_view id_text, std::string_view name_text, Rgb color);

} // namespace quarn::dialogs
