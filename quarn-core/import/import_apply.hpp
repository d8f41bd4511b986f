#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "import/config_import.hpp"
#include "model/map.hpp"

namespace quarn {

// What putting an import into a map did.
struct ImportApplied {
    std::size_t switch_index = 0;
    std::size_t ports = 0;       // ports that took the configuration's values
    std::size_t vlans_added = 0; // VLANs new to the map
    // Update: the configuration's ports that the switch lacks (short forms).
    std::vector<std::string> missing_ports;
    // LAGs that could not be made, each with its reason.
    std::vector<std::string> lags_refused;

    bool operator==(const ImportApplied&) const = default;
};

// The name a new switch gets: the host name, else the fallback (the file
// name), else "Switch"; "{} (2)", "{} (3)", ... when the map has a switch of
// that name already.
std::string imported_switch_name(const Map& map, const ImportResult& result, std::string_view fallback);

// Adds the configuration as a new switch at the end of the map: a front
// panel as the switch dialog builds one from the number of copper ports and
// of SFP cages (two rows, odd ports on top, a gap every six columns), the
// copper ports in the configuration's order in the RJ45 block and the
// others in the SFP block, labelled in the switch's short form; places left
// over by an odd count stay unlabelled. VLANs new to the map join its list
// with their configured names and the next free default colours.
ImportApplied import_new_switch(Map& map, const ImportResult& result, std::string_view fallback_name);

// Updates switch `index` from the configuration: ports matched by label
// (long and short forms are one port) take its VLANs, descriptions and
// disabled flags; LAGs are made where the name and the ports are free.
// Links and LAG peers stay. Nothing when the index names no switch.
std::optional<ImportApplied> import_into_switch(Map& map, std::size_t index, const ImportResult& result);

} // namespace quarn
