#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quarn {

// The UTF-8 sequence that starts at text[at] (at < text.size()). When it is
// a well-formed character (overlong forms, surrogates and values above
// U+10FFFF are not), `valid` is set and `length` is its byte count.
// Otherwise `length` is the number of bytes that form the longest valid
// beginning of a sequence, at least 1: the part that one replacement
// character stands for.
struct Utf8Sequence {
    std::size_t length = 1;
    bool valid = false;
};

constexpr Utf8Sequence utf8_sequence(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[at + i]); };
    const std::uint8_t lead = byte(0);
    std::size_t length = 0;
    std::uint8_t low = 0x80;
    std::uint8_t high = 0xbf;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        if (lead == 0xe0) low = 0xa0;
        if (lead == 0xed) high = 0x9f;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        if (lead == 0xf0) low = 0x90;
        if (lead == 0xf4) high = 0x8f;
    } else {
        return {1, false};
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (at + i >= text.size()) return {i, false};
        const std::uint8_t next = byte(i);
        if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xbf)) return {i, false};
    }
    return {length, true};
}

// U+FFFD, the replacement character, in UTF-8.
inline constexpr std::string_view k_replacement_character = "\xEF\xBF\xBD";

// What stands in valid UTF-8 for the input at text[at] (at < text.size()):
// the character itself when it is well-formed (ASCII too), otherwise one
// U+FFFD for the longest valid beginning of a sequence, as utf8_sequence
// measures it (the practice Unicode recommends, and nlohmann's "replace").
// `length` is the number of input bytes it stands for.
struct Utf8Character {
    std::string_view text;
    std::size_t length = 1;
    bool valid = false;
};

constexpr Utf8Character utf8_character(std::string_view text, std::size_t at) {
    if (static_cast<std::uint8_t>(text[at]) < 0x80) return {text.substr(at, 1), 1, true};
    const Utf8Sequence sequence = utf8_sequence(text, at);
    if (!sequence.valid) return {k_replacement_character, sequence.length, false};
    return {text.substr(at, sequence.length), sequence.length, true};
}

// `text` with every byte that is not part of a well-formed character
// replaced as utf8_character does.
inline std::string valid_utf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Character character = utf8_character(text, i);
        out += character.text;
        i += character.length;
    }
    return out;
}

// Whether `text` is well-formed UTF-8 throughout.
constexpr bool is_valid_utf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Character character = utf8_character(text, i);
        if (!character.valid) return false;
        i += character.length;
    }
    return true;
}

} // namespace quarn
