#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/map.hpp"
#include "validate/map_index.hpp"
#include "validate/problem.hpp"

namespace quarn {

// VLAN reach: does a VLAN get from every switch that uses it to every other
// one, over the links of the map?
//
// The users of a VLAN are the switches with a port that carries it (untagged
// or tagged), is not disabled and has no link: a port that faces a desk, a
// phone, a camera or a server. A port with a link of its own, or a member of
// a LAG that has a peer, faces another switch and only passes the VLAN on.
//
// Two switches are joined for a VLAN when a link between them carries it at
// both ends: an uplink whose two ports are not disabled and both carry the
// VLAN (untagged or tagged), or a pair of peered LAGs where each side has a
// member port that is not disabled and carries it. Only links answered from
// the far end count, as the map check reads them (an unanswered link has its
// own problem). Whether the VLAN is tagged at one end and untagged at the
// other is not looked at here: the comparison of the two ends reports that.
//
// The users fall into groups that chains of such links join; a VLAN used on
// one switch only is one group and never reported. Switches that no chain of
// links of any kind joins (separate sites in one file, or a part of the
// network the map leaves out) are not judged against each other: the map
// does not say how they are wired, and one VLAN ID may stand for separate
// networks there. A link with a disabled end still joins the two parts (the
// cable is there), but carries no VLAN. Within one linked part of the map, every group but the
// largest is cut off: the map says the switches are wired together, yet no
// chain of links carries the VLAN from one group to the other, so hosts on
// the VLAN in the two groups cannot talk to each other. The largest group is
// taken as the one the VLAN is meant for; of groups of equal size, the one
// whose first switch comes first in the map. A VLAN ID that is reused on
// purpose for separate networks within one linked part of the map (local
// VLANs per building behind a routed core, say) is reported as well: nothing
// in the map tells such reuse from a trunk that prunes the VLAN by mistake.
struct ReachGroup {
    std::vector<std::size_t> switches; // switch indices, in map order
    // The ports of those switches that use the VLAN, in map order.
    std::vector<PortRef> ports;
    // The first switch (map order) of the linked part of the map the group
    // lies in: groups with the same part are joined by links of some kind.
    std::size_t part = 0;
    // For a cut-off group, the position in the list of groups of the largest
    // group of its part, which it cannot reach.
    std::optional<std::size_t> cut_off_from;

    bool operator==(const ReachGroup&) const = default;
};

struct VlanReach {
    std::uint16_t vlan = 0;
    // In the order of their first switch in the map. Empty when no switch
    // uses the VLAN.
    std::vector<ReachGroup> groups;

    bool operator==(const VlanReach&) const = default;
};

// The groups of the switches that use one VLAN, whether or not the VLAN is
// in the VLAN list.
VlanReach vlan_reach(const Map& map, std::uint16_t vlan);

// Switch names joined by ", "; more than five are written as the first five
// and "and {} more".
std::string switch_list(const Map& map, std::span<const std::size_t> switches);

class ReachIndex;

// The map check's rule: one `VlanCutOff` for every cut-off group of every
// VLAN in the list, VLANs in list order and groups in the order of their
// first switch. A VLAN that is not in the list already has a problem on
// every port that carries it, so it is not judged again here. The check
// feeds the rule each switch during its own pass over the map, while that
// switch's ports are fresh in the processor's cache: on a map of a thousand
// switches a second pass would cost as much as the rule itself.
class ReachRule {
  public:
    explicit ReachRule(const MapIndex& index);
    ReachRule(const ReachRule&) = delete;
    ReachRule& operator=(const ReachRule&) = delete;
    ~ReachRule();

    // Every switch once, in map order.
    void read_switch(std::size_t s);
    // After the last switch.
    void add_problems(std::vector<Problem>& problems);

  private:
    const MapIndex& index_;
    std::vector<std::uint16_t> vlans_;
    std::unique_ptr<ReachIndex> reach_;
};

} // namespace quarn
