#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/result.hpp"
#include "model/map.hpp"
#include "model/map_file_errors.hpp"

namespace quarn {

// The file text of a map: pretty-printed JSON with two-space indentation,
// every field written, keys in field order, no byte-order mark and no line
// break after the closing brace. Never fails: text that is not valid UTF-8
// is written with each invalid byte replaced by U+FFFD, so the file always
// loads again.
std::string save_map(const Map& map);

// Reads only the "format" of a file; every other key is skipped. A JSON
// error is "This is not a readable Quarn file: {}".
Result<Header> load_header(std::string_view text);

// Reads a whole map: the header first (a newer format is refused before the
// rest is looked at), then the map, then the integrity checks. Gives the map
// or the one message for the user.
Result<Map> load_map(std::string_view text);

// The integrity checks alone, in their order: nothing, or the first problem
// (damage_text gives its sentence).
std::optional<MapDamage> find_damage(const Map& map);

} // namespace quarn
