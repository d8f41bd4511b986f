#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quarn::dialogs {

// The longest text a dialog reads from one field, in UTF-16 units.
inline constexpr std::size_t k_max_field_text = 255;

// Trims Unicode white space (U+0009..000D, U+0020, U+0085, U+00A0, U+1680,
// U+2000..200A, U+2028, U+2029, U+202F, U+205F, U+3000) from both ends of a
// UTF-8 text. Bytes that do not decode are kept as they are.
std::string trim_space(std::string_view utf8);

// A number field: unsigned 16-bit decimal, one leading "+" allowed, nothing
// else (no white space, no sign after the first character). Nothing for an
// empty text, any other character or a value above 65535.
std::optional<std::uint16_t> parse_form_number(std::string_view text);

} // namespace quarn::dialogs
