#include "find/fold.hpp"

#include <array>
#include <cstdint>

#include "common/utf8.hpp"

namespace quarn {
namespace {

constexpr std::array<char, 256> k_ascii_lower = [] {
    std::array<char, 256> table{};
    for (int c = 0; c < 256; ++c) table[c] = static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    return table;
}();

char lower(char c) {
    return k_ascii_lower[static_cast<unsigned char>(c)];
}

// The small letter of a capital in U+0080..U+07FF, or the code point itself.
char32_t fold_two_byte(char32_t c) {
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F))
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    // Greek capitals with tonos.
    if (c == 0x386) return 0x3AC;
    if (c >= 0x388 && c <= 0x38A) return c + 0x25;
    if (c == 0x38C) return 0x3CC;
    if (c == 0x38E || c == 0x38F) return c + 0x3F;
    if (c == 0x178) return 0xFF;
    // Latin Extended-A pairs capital and small letter side by side; the pairs
    // start on an even code point except in U+0139..U+0148 and U+0179..U+017E.
    // U+0130 (capital I with dot) and U+0138 (kra) have no such partner.
    if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return c % 2 == 0 ? c + 1 : c;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E) || (c >= 0x4C1 && c <= 0x4CE))
        return c % 2 == 1 ? c + 1 : c;
    // Cyrillic beyond the basic alphabet pairs on even code points too.
    if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F))
        return c % 2 == 0 ? c + 1 : c;
    return c;
}

} // namespace

std::string fold_case(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size();) {
        auto byte = static_cast<unsigned char>(out[i]);
        if (byte < 0x80) {
            out[i] = lower(out[i]);
            ++i;
            continue;
        }
        const Utf8Sequence sequence = utf8_sequence(out, i);
        if (sequence.valid && sequence.length == 2) {
            char32_t c = (char32_t(byte & 0x1F) << 6) | (static_cast<unsigned char>(out[i + 1]) & 0x3F);
            char32_t folded = fold_two_byte(c);
            out[i] = static_cast<char>(0xC0 | (folded >> 6));
            out[i + 1] = static_cast<char>(0x80 | (folded & 0x3F));
        }
        i += sequence.length;
    }
    return out;
}

bool holds_folded(std::string_view text, std::string_view word, std::string& scratch) {
    if (word.empty()) return true;
    if (word.size() > text.size()) return false;
    // One pass for ASCII text, the common case: a byte starts a match when
    // its small letter is the word's first byte, and the bytes are watched
    // for anything beyond ASCII on the way.
    const char first = word[0];
    const std::size_t last = text.size() - word.size();
    unsigned char high = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        high |= static_cast<unsigned char>(text[i]);
        if (i > last || lower(text[i]) != first) continue;
        std::size_t k = 1;
        while (k < word.size() && lower(text[i + k]) == word[k]) ++k;
        if (k == word.size()) return true;
    }
    if (high < 0x80) return false;
    scratch = fold_case(text);
    return std::string_view(scratch).find(word) != std::string_view::npos;
}

} // namespace quarn
