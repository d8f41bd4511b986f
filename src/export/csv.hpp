#pragma once

#include <string>

#include "model/map.hpp"

namespace quarn {

// One row per port of every switch, for spreadsheets: UTF-8 with a byte
// order mark, rows ended by CR LF, every field guarded against being read
// as a formula. The separator is one character (a UTF-16 unit of the
// user's locale, so not necessarily ASCII); it is written in UTF-8.
std::string map_csv(const Map& map, char32_t separator);

} // namespace quarn
