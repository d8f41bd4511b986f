#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/link_choice.hpp"
#include "model/map.hpp"
#include "ops/lag_ops.hpp"

namespace quarn::dialogs {

// What the uplink dialog hands back: none removes the port's link.
struct UplinkForm {
    std::optional<PortPeer> peer;

    bool operator==(const UplinkForm&) const = default;
};

struct UplinkDialogInput {
    std::string caption;                   // "{} Port {}"
    std::vector<LinkCandidate> candidates; // entries: the switch's free port labels
    std::optional<PortPeer> current;

    bool operator==(const UplinkDialogInput&) const = default;
};

inline constexpr std::string_view k_uplink_no_free_ports = "{} has no free ports.";

// The ports of switch `far` that `port` may link to, as labels in port
// order: ports without a link and in no LAG of their switch, plus the port
// that `port` links to now. Left out are ports that their label does not
// reach (an empty label, or a later port bearing an earlier port's label),
// as a link names its far port by label.
std::vector<std::string> free_port_labels(const Map& map, std::size_t far, PortRef port);

UplinkDialogInput uplink_dialog_input(const Map& map, PortRef port);

// The messages for a refused link.
std::string link_error_message(const LinkResult& result);

// Applies the dialog's result: unlinks the port (both ends), or links it to
// the chosen port (both ends; the two ports' former partners lose their
// links). On a refusal the map is unchanged and the message comes back.
std::optional<std::string> apply_uplink_form(Map& map, PortRef port, const UplinkForm& form);

} // namespace quarn::dialogs
