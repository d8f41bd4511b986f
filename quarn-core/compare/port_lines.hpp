#pragma once

#include <string>

#include "model/map.hpp"

namespace quarn {

// One port as one stable line, made for line-by-line comparison (git's text
// conversion of map files):
//   acc-a1 port Gi1/0/7: untagged 20, tagged 40-42,50, description "Printer", disabled, link core-1 port 48
// Untagged and tagged are always there ("none" when empty); the description,
// "disabled" and the link only when set. The description is quoted with
// JSON escapes, so the line stays one line.
std::string port_line(const Switch& sw, const Port& port);

// Every port of the map, switch by switch in map order, each line followed by
// a line break.
std::string ports_text(const Map& map);

} // namespace quarn
