#pragma once

#include <vector>

#include "compare/change.hpp"
#include "model/map.hpp"

namespace quarn {

// What changed from `before` to `after`, place by place. The list is empty
// exactly when the maps are equal (a gap of NaN counts as equal to NaN).
//
// Matching: VLANs by ID; switches by name, ports by label, LAGs by name (the
// k-th record bearing a name matches the k-th bearing it on the other side).
// A record left over on both sides at the same position in its list is the
// same record renamed (a port is its place on the panel). Others are added
// or removed. A record that kept its name but stands elsewhere in its list is
// reported as moved only when it left the order of the others: moving one
// switch is one change, not one per switch it passed.
//
// References that only follow a rename (a link to a renamed port or switch,
// a LAG member relabelled with its port, a LAG peer renamed) are no change of
// their own: the rename already says it.
//
// Order: the map's own fields; the VLANs (removed ones in the old order,
// then the list in its new order); then the switches, removed ones first,
// then switch by switch in the new order: the switch's own fields, its ports
// (removed, then in the new order), its LAGs (likewise). The ports and LAGs
// of an added or removed switch are not listed one by one.
std::vector<Change> compare_maps(const Map& before, const Map& after);

} // namespace quarn
