#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/map.hpp"
#include "ops/port_vlan_ops.hpp"

namespace quarn {

struct PortLabelError {
    enum class Kind : std::uint8_t { LabelTaken };

    Kind kind = Kind::LabelTaken;
    std::string label;

    bool operator==(const PortLabelError&) const = default;
};

std::string port_label_error_message(const PortLabelError& error);

// Renames one port. LAG members and links name ports by label, so when the
// old label named this port (it is the first port bearing it) every LAG
// member and every link that named it follows the rename. A label that
// another port of the switch already bears is refused: references to it
// would then mean the other port, and the port could end up in a LAG twice.
std::optional<PortLabelError> set_port_label(Map& map, PortRef port, std::string_view label);

// These touch only the selected ports, not their LAG siblings: a description
// or a shut-down port is a property of one cable, not of the bundle.
void set_port_description(Map& map, const Selection& selection, std::string_view description);
void set_port_disabled(Map& map, const Selection& selection, bool disabled);

} // namespace quarn
