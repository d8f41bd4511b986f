#include "dialogs/form_text.hpp"

#include <cstddef>

namespace quarn::dialogs {
namespace {

bool is_unicode_space(char32_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
           c == 0x3000;
}

bool is_continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The code point of the well-formed sequence of `length` bytes at `at`, or
// nothing.
std::optional<char32_t> decode(std::string_view text, std::size_t at, std::size_t length) {
    if (at + length > text.size()) return std::nullopt;
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    switch (length) {
    case 1:
        return byte(0) < 0x80 ? std::optional<char32_t>(byte(0)) : std::nullopt;
    case 2:
        if ((byte(0) & 0xE0) != 0xC0 || !is_continuation(byte(1))) return std::nullopt;
        return static_cast<char32_t>(((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F));
    case 3:
        if ((byte(0) & 0xF0) != 0xE0 || !is_continuation(byte(1)) || !is_continuation(byte(2)))
            return std::nullopt;
        return static_cast<char32_t>(((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F));
    default:
        return std::nullopt;
    }
}

// Every white-space character is one to three bytes long.
std::size_t space_at_front(std::string_view text) {
    for (std::size_t length = 1; length <= 3; ++length)
        if (auto c = decode(text, 0, length); c && is_unicode_space(*c)) return length;
    return 0;
}

std::size_t space_at_back(std::string_view text) {
    for (std::size_t length = 1; length <= 3 && length <= text.size(); ++length)
        if (auto c = decode(text, text.size() - length, length); c && is_unicode_space(*c)) return length;
    return 0;
}

} // namespace

std::string trim_space(std::string_view text) {
    while (std::size_t length = space_at_front(text)) text.remove_prefix(length);
    while (std::size_t length = space_at_back(text)) text.remove_suffix(length);
    return std::string(text);
}

std::optional<std::uint16_t> parse_form_number(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
        if (value > 0xFFFF) return std::nullopt;
    }
    return static_cast<std::uint16_t>(value);
}

} // namespace quarn::dialogs
