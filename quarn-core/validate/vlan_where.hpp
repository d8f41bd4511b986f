#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/map.hpp"
#include "validate/vlan_reach.hpp"

namespace quarn {

// Where one VLAN runs: every port that carries it (untagged or tagged,
// disabled ports too, marked so), grouped by switch in map order, and its
// reach (vlan_reach.hpp). The command line prints the ports first and the
// reach after them, as a list read from the top ends in its verdict; the
// program's "Where Is This VLAN..." shows the reach first, so that the
// answer is on screen before a long list.
enum class WhereOrder : std::uint8_t { PortsFirst, ReachFirst };

// True when a port of the map carries the VLAN, untagged or tagged.
bool vlan_carried(const Map& map, std::uint16_t vlan);

// The reach as lines: a summary, then for two or more groups one line per
// cut-off group (the map check's own message) and per group that no link
// joins to the others (not judged).
std::vector<std::string> reach_lines(const Map& map, const VlanReach& reach);

// The list as lines, without line breaks of their own, so that a caller can
// make names from the file safe for where the lines go. A switch's name
// stands on a line of its own, followed by its ports, each
//   "  port {label}: {untagged|tagged|untagged and tagged}[, disabled]
//    [, link to {switch} port {label}][, LAG {name}[ to {switch} {lag}]]";
// an empty line separates the ports from the reach.
std::vector<std::string> vlan_where_lines(const Map& map, std::uint16_t vlan, WhereOrder order);

// The same lines, each followed by a line feed.
std::string vlan_where_text(const Map& map, std::uint16_t vlan, WhereOrder order);

// The same list as JSON for scripts:
//   {"vlan", "name" (null when not in the list), "switches": [{"switch",
//    "ports": [{"port", "untagged", "tagged", "disabled", "link" ({"switch",
//    "port"} or null), "lag" ({"lag", "peer" ({"switch", "lag"} or null)} or
//    null)}]}], "reach": {"groups": [{"switches", "part", "cut_off_from"
//    (position of the group it cannot reach, or null)}], "text": [lines]}}
std::string vlan_where_json(const Map& map, std::uint16_t vlan);

} // namespace quarn
