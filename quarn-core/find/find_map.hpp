#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/map.hpp"

namespace quarn {

enum class FoundKind : std::uint8_t { Vlan, Switch, Port };

// One place that Find lists, with what selecting it needs: the switch for a
// switch, the switch and port for a port, the VLAN ID for a VLAN.
struct Found {
    FoundKind kind = FoundKind::Switch;
    // "VLAN {id} {name}", the switch's name, or "port {label}: {description}"
    // (without ": " and the description when there is none).
    std::string what;
    // "VLAN list"; the switch's location with its model in brackets; the
    // port's switch.
    std::string where;
    std::size_t switch_index = 0;
    std::size_t port_index = 0;
    std::uint16_t vlan = 0;

    bool operator==(const Found&) const = default;
};

struct FindResults {
    // The first places found, at most the limit asked for.
    std::vector<Found> found;
    // Every place found, listed or not.
    std::size_t total = 0;

    bool operator==(const FindResults&) const = default;
};

// More places than a list can usefully show: a word that narrow does not
// single anything out.
inline constexpr std::size_t k_find_limit = 1000;

// The places of the map whose fields hold every word of the query, case
// ignored (fold.hpp), in any order: VLANs by ID and name, switches by name,
// model and location, ports by label and description. A port also takes
// words from its switch's fields as long as one word is its own, so that
// "acc-a1 printer" finds the printer ports of acc-a1 while "acc-a1" alone
// finds the switch, not its fifty ports. Words are separated by spaces or
// tabs; a query without words finds nothing. Order: VLANs in list order,
// then every switch in map order followed by its ports.
FindResults find_in_map(const Map& map, std::string_view query, std::size_t limit = k_find_limit);

} // namespace quarn
