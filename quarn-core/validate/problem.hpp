#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/map.hpp"

namespace quarn {

// One finding of the map check. Ends and LAGs are named as the messages
// show them: a port "{switch} port {label}", a LAG "{switch} {lag}".
struct Problem {
    enum class Kind : std::uint8_t {
        VlanNotInList,     // first: switch, second: port label, vlan
        TaggedAndUntagged, // first: switch, second: port label, vlan
        VlanOnOneSwitch,   // vlan, first: switch
        LinkTargetMissing, // first: this end, second: far end
        LinkNotAnswered,   // first: this end, second: far end
        LagMembersDiffer,  // first: the LAG
        LagSizeMismatch,   // first, second: the LAGs; first_count, second_count
        UntaggedDiffers,   // first, second: the ends; first_untagged, second_untagged
        TaggedOneSide,     // first, second: the ends; vlan
        VlanCutOff,        // vlan, first: the cut-off switches, second: the largest group's; ports
    };

    Kind kind = Kind::VlanNotInList;
    std::string first;
    std::string second;
    std::uint16_t vlan = 0;
    std::size_t first_count = 0;
    std::size_t second_count = 0;
    std::optional<std::uint16_t> first_untagged;
    std::optional<std::uint16_t> second_untagged;
    // The ports the problem selects when it is chosen in the Check Map list:
    // for `VlanCutOff`, the cut-off switches' ports that use the VLAN; the
    // other kinds name their place in the message and select nothing yet.
    std::vector<PortRef> ports;

    bool operator==(const Problem&) const = default;
};

// The line the check report shows; a missing untagged VLAN reads "none".
std::string problem_message(const Problem& problem);

} // namespace quarn
