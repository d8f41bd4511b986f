#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Pieces of JSON text shared by the map writer and the reader's messages.
namespace quarn::json_text {

// Appends `text` as a JSON string in quotes, escaped as the JSON library's
// pretty printer escapes it: \" \\ \b \f \n \r \t, other control characters
// as \u00XX, everything else as it is. A byte that is not part of valid
// UTF-8 is written as U+FFFD in the way the library's "replace" mode does,
// so the result always reads back.
void append_string(std::string& out, std::string_view text);

// Appends a 32-bit float as the shortest decimal that reads back to the same
// float, always with a fraction or an exponent (0.0, 1.5, 1e+07), laid out
// as the library lays out its numbers.
void append_float(std::string& out, float value);

struct TextPosition {
    std::size_t line = 1;
    std::size_t column = 0;
};

// Line and column of the last of the first `consumed` bytes of `text`, both
// counted from 1; columns count characters (a UTF-8 sequence is one), a tab
// is one. Nothing consumed is line 1 column 0.
TextPosition position_of(std::string_view text, std::size_t consumed);

} // namespace quarn::json_text
