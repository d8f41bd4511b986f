#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "draw/text_style.hpp"

namespace quarn {

// Characters (code points) of UTF-8 text; stray continuation bytes do not
// count.
std::size_t code_points(std::string_view text);

// Text of more than `limit` characters becomes its first limit - 3 characters
// followed by "...". Cuts only between characters.
std::string cut_text(std::string_view text, std::size_t limit);

// Text of more than `limit` characters becomes an ellipsis followed by its
// last limit - 1 characters: port labels differ at their ends (Gi1/0/12).
std::string tail_text(std::string_view text, std::size_t limit);

// A port label of more than `limit` characters shortened to `limit`. Labels
// like Gi1/0/12 differ in their last part, so that part is kept after an
// ellipsis when it fits; other labels keep their end.
std::string short_port_label(std::string_view label, std::size_t limit);

// Text whose drawn width at `size` may exceed `width` becomes its longest
// start that fits followed by "...". The width of each character is taken
// from above (wide scripts a full em, the widest Latin letters nearly one),
// so that the text ends before `width` in any font the screen may use.
std::string cut_text_to_width(std::string_view text, float width, float size);

// A generous guess of the drawn width, for the picture's extent only: the
// core knows no font metrics.
float estimated_text_width(std::string_view text, float size, FontWeight weight);

} // namespace quarn
