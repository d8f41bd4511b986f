#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.hpp"
#include "model/map.hpp"

namespace quarn {

// Port range texts name ports of one switch: parts separated by commas, each
// a port or a range "from-to". Used by the port selection field and the LAG
// dialog's member list.
//
// Reading, part by part (white space around parts and around "-" is
// ignored, empty parts are skipped):
// - A part that names a port is that port. A name is first a port's whole
//   label (the first port bearing it, as every lookup by label); else, when
//   it is only digits, the first port whose label ends in exactly those
//   digits (so "12" finds Gi1/0/12 on a switch labelled Gi1/0/1..52).
// - Otherwise the part is a range, split at the first "-" that gives one.
//   Each end is a whole label, or a bare number that stands for a label of
//   the same family as the other end: the other end's label without its
//   trailing digits, followed by the number. So on Gi1/0/1..48 plus
//   Te1/1/1..4, "1-12", "Gi1/0/1-12" and "Gi1/0/1-Gi1/0/12" are the same,
//   "Te1/1/1-4" ends at Te1/1/4 and "Te1/1/1-5" is refused as Te1/1/5. With
//   two bare numbers the first family (in port order) that has both wins.
//   The range covers every port between the two ends in the switch's port
//   order, walking from the first end to the second, so "12-1" lists the
//   ports downwards.
// The result keeps the order of the text (the order in which LAG members are
// chosen matters) and drops repeats. A name that matches no port is refused
// with "{} has no port {}." (switch name, the name looked for).
Result<std::vector<std::size_t>> parse_port_range(const Switch& sw, std::string_view text);

// The shortest text that reads back to the same positions in the same
// order: runs of neighbouring ports (up or down) become ranges, ends are
// written as their bare number where that names them and as their label
// otherwise. Positions past the ports and repeats are left out.
//
// The limit: a port that no name reaches (a later port bearing an earlier
// port's label whose number does not single it out either, an empty label,
// a label with a comma or with white space at either end) can be written only
// inside a range between ports that can be named. Alone, it is written as its
// label, which reads back as the port that the label names, or is refused.
// Every other list of distinct positions reads back exactly.
std::string write_port_range(const Switch& sw, const std::vector<std::size_t>& positions);

} // namespace quarn
