#pragma once

#include <string>

#include "model/map.hpp"

namespace quarn {

// One row per port of every switch, for spreadsheets: UTF-8 with a byte
// order mark, rows ended by CR LF, every field guarded against being read
// as a formula. The separator is one character (a UTF-16 unit of the
// user's locale, so not necessarily ASCII); it is written in UTF-8, and one
// that csv_separator_allowed refuses is replaced by a comma. Control
// characters other than tab and the line breaks never reach a field, and
// bytes that are not UTF-8 are written as U+FFFD.
std::string map_csv(const Map& map, char32_t separator);

// Whether a character can separate fields and leave a table that parses: not
// a quote or an apostrophe (which quoted and guarded fields use), not a line
// break or another control character except tab, and a character at all.
bool csv_separator_allowed(char32_t c);

} // namespace quarn
