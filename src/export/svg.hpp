#pragma once

#include <string>

#include "draw/scene.hpp"

namespace quarn {

// The scene as a standalone SVG 1.1 document in UTF-8: one element per scene
// item, in painting order, one per line.
std::string scene_svg(const Scene& scene);

// A 32-bit float as the shortest decimal that reads back to the same value,
// without exponent and without a point when whole.
void append_svg_number(std::string& out, float value);

// Text content escaped for XML: ampersand and angle brackets as entities,
// tab and line breaks as spaces, other control characters, U+FFFE and
// U+FFFF dropped, bytes that are not UTF-8 replaced by U+FFFD as the map
// file replaces them (utf8_character).
void append_svg_text(std::string& out, std::string_view text);

} // namespace quarn
