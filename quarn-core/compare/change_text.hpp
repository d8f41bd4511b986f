#pragma once

#include <string>
#include <vector>

#include "compare/change.hpp"

namespace quarn {

// "map", "VLAN 30", "switch acc-a1", "acc-a1 port Gi1/0/7", "acc-a1 LAG Trk1".
std::string place_text(const ChangePlace& place);

// One change as one line without a line break, for example
//   acc-a1 port Gi1/0/7: untagged 20 → 30, tagged +40 −50
//   VLAN 30 added: name "Voice", colour #ff0000
//   switch acc-b1: name acc-a1 → acc-b1, position 3 → 5
// A changed place is followed by ": " and its fields, "FIELD OLD → NEW"
// joined by ", "; an added or removed one by " added" or " removed" and, if it
// has any, ": " and its values as "FIELD VALUE". Tagged VLANs whose set
// changed read "tagged +ADDED −REMOVED" (either part left out when empty);
// a value that is not set reads "none". Texts the user typed are written in
// double quotes with JSON escapes, so a line break in the notes stays on one
// line; names and labels are written as they are, as places are.
std::string change_line(const Change& change);

// Every line followed by a line break; nothing for no changes.
std::string changes_text(const std::vector<Change>& changes);

// The field's name as lines and JSON show it: "untagged", "colour", ...
const char* field_name(ChangeField field);

} // namespace quarn
