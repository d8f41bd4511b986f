#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/utf8.hpp"

namespace quarn {

// How many characters of a piece of input a message quotes: enough to
// recognise a name or a number, never a whole file.
inline constexpr std::size_t k_max_quoted_characters = 80;

// Which end of a long piece of input a message keeps.
enum class KeepEnd : std::uint8_t { Start, Finish };

// Input as a message may quote it: valid UTF-8 (each byte that starts no
// character becomes U+FFFD) and at most k_max_quoted_characters characters,
// cut with "…" where the rest was left out. A syntax error keeps the end of
// what was read, where the error is; everything else keeps the start.
inline std::string quoted_input(std::string_view text, KeepEnd keep = KeepEnd::Start) {
    // Character boundaries, counted from the start; U+FFFD stands for an
    // invalid sequence.
    std::string out;
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) i += utf8_character(text, i).length;
    const std::size_t skip =
        keep == KeepEnd::Finish && count > k_max_quoted_characters ? count - k_max_quoted_characters : 0;
    if (skip > 0) out += "\xe2\x80\xa6";
    std::size_t index = 0;
    for (std::size_t i = 0; i < text.size(); ++index) {
        const Utf8Character character = utf8_character(text, i);
        if (index >= skip) {
            if (index - skip == k_max_quoted_characters) {
                out += "\xe2\x80\xa6";
                break;
            }
            out += character.text;
        }
        i += character.length;
    }
    return out;
}

enum class LineFeeds : std::uint8_t { Keep, Escape };

// Text for a terminal: control characters (C0, DEL and C1; line feeds only
// when asked) are written as <U+001B> and the like, as the JSON library
// writes them in its messages, so that no escape sequence from a file
// reaches the terminal; each byte that starts no character becomes U+FFFD.
inline std::string terminal_text(std::string_view text, LineFeeds line_feeds) {
    static constexpr char k_hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    auto escape = [&](unsigned code) {
        out += "<U+00";
        out += k_hex[code >> 4];
        out += k_hex[code & 0xf];
        out += '>';
    };
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            if ((c < 0x20 && !(c == '\n' && line_feeds == LineFeeds::Keep)) || c == 0x7f) {
                escape(c);
            } else {
                out += static_cast<char>(c);
            }
            ++i;
            continue;
        }
        const Utf8Character character = utf8_character(text, i);
        if (character.valid && c == 0xc2 && static_cast<unsigned char>(text[i + 1]) < 0xa0) {
            escape(static_cast<unsigned char>(text[i + 1]));
        } else {
            out += character.text;
        }
        i += character.length;
    }
    return out;
}

} // namespace quarn
