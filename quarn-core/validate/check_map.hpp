#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/map.hpp"
#include "validate/problem.hpp"

namespace quarn {

// Everything the model allows but that is probably wrong in the network.
// Order: switch by switch in map order, and within a switch
//   1. port by port: VLANs not in the list (untagged first, then tagged in
//      list order, each ID once per port), then a VLAN both tagged and
//      untagged;
//   2. port by port, the uplinks: a target that does not exist, a target
//      that links elsewhere, or the comparison of the two ends (untagged,
//      then the one-sided tagged VLANs in ascending order);
//   3. LAG by LAG: members that differ, then the peer as for uplinks
//      (member counts, then the members' VLANs);
// then VLANs (in list order) that only one switch carries; then the VLANs
// (in list order) whose users are cut off from each other, as `ReachRule`
// (validate/vlan_reach.hpp) explains.
// A connection answered from both ends is compared once, from the end that
// comes first in map order (switch, then port or LAG position). Linked LAGs
// with the same member count pair their member ports in the order of each
// switch's port list; each distinct difference is reported once per
// connection. Only VLANs in the list count for "only on one switch": the
// others already have their own problem on every port.
// References are resolved as everywhere: the first switch, port or LAG with
// the name; a link is answered when the far end's link leads back to this
// very port.
std::vector<Problem> check_map(const Map& map);

// "No problems found.", or the first 15 messages, one per line, followed by
// "... and {} more" when there are more.
std::string check_report(const std::vector<Problem>& problems);

// The same report with each message passed through `shown` first, so that a
// caller can make names from the file safe for where the report goes (the
// command line escapes what a terminal would act on, line breaks included).
std::string check_report(const std::vector<Problem>& problems, std::string (*shown)(std::string_view));

} // namespace quarn
