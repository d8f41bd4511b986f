#include "model/json_text.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>

#include "common/utf8.hpp"

namespace quarn::json_text {
namespace {

constexpr char k_hex[] = "0123456789abcdef";

// Bytes that cannot be copied as they are: quotes, backslashes, control
// characters and the start of anything that is not ASCII.
constexpr std::array<bool, 256> make_special() {
    std::array<bool, 256> special{};
    for (int c = 0; c < 0x20; ++c) special[c] = true;
    for (int c = 0x80; c < 0x100; ++c) special[c] = true;
    special['"'] = true;
    special['\\'] = true;
    return special;
}
constexpr std::array<bool, 256> k_special = make_special();

} // namespace

void append_string(std::string& out, std::string_view text) {
    out += '"';
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t plain = i;
        while (plain < text.size() && !k_special[static_cast<std::uint8_t>(text[plain])]) ++plain;
        out.append(text.data() + i, plain - i);
        i = plain;
        if (i == text.size()) break;
        auto c = static_cast<std::uint8_t>(text[i]);
        if (c >= 0x80) {
            // A broken sequence becomes one U+FFFD for its longest valid
            // beginning, as the library's "replace" mode does.
            const Utf8Character character = utf8_character(text, i);
            out += character.text;
            i += character.length;
            continue;
        }
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default: {
            char escape[6] = {'\\', 'u', '0', '0', k_hex[c >> 4], k_hex[c & 0xf]};
            out.append(escape, sizeof escape);
        }
        }
        ++i;
    }
    out += '"';
}

void append_float(std::string& out, float value) {
    // Shortest round-trip digits from the standard library, in scientific
    // form "d.ddde+XX"; then the decimal point is placed as the JSON
    // library's own float printer places it.
    char raw[32];
    auto [end, error] = std::to_chars(raw, raw + sizeof raw, value, std::chars_format::scientific);
    (void)error;
    const char* p = raw;
    if (*p == '-') {
        out += '-';
        ++p;
    }
    char digits[16];
    int k = 0;
    const char* e = std::find(p, static_cast<const char*>(end), 'e');
    for (const char* q = p; q < e; ++q)
        if (*q != '.') digits[k++] = *q;
    int exponent = 0;
    std::from_chars(e + 1 + (e[1] == '+' ? 1 : 0), end, exponent);
    if (k == 1 && digits[0] == '0') exponent = 0;

    constexpr int k_min_exp = -4;
    constexpr int k_max_exp = 6; // decimal digits a float always keeps
    const int n = exponent + 1;  // position of the decimal point
    if (k <= n && n <= k_max_exp) {
        out.append(digits, static_cast<std::size_t>(k));
        out.append(static_cast<std::size_t>(n - k), '0');
        out += ".0";
    } else if (0 < n && n <= k_max_exp) {
        out.append(digits, static_cast<std::size_t>(n));
        out += '.';
        out.append(digits + n, static_cast<std::size_t>(k - n));
    } else if (k_min_exp < n && n <= 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-n), '0');
        out.append(digits, static_cast<std::size_t>(k));
    } else {
        out += digits[0];
        if (k > 1) {
            out += '.';
            out.append(digits + 1, static_cast<std::size_t>(k - 1));
        }
        out += 'e';
        int shown = n - 1;
        out += shown < 0 ? '-' : '+';
        shown = shown < 0 ? -shown : shown;
        if (shown < 10) out += '0';
        char number[4];
        auto [number_end, number_error] = std::to_chars(number, number + sizeof number, shown);
        (void)number_error;
        out.append(number, number_end);
    }
}

TextPosition position_of(std::string_view text, std::size_t consumed) {
    consumed = std::min(consumed, text.size());
    if (consumed == 0) return {};
    const std::size_t last = consumed - 1;
    TextPosition position;
    std::size_t line_start = 0;
    for (std::size_t i = 0; i < last; ++i) {
        if (text[i] == '\n') {
            ++position.line;
            line_start = i + 1;
        }
    }
    for (std::size_t i = line_start; i <= last; ++i)
        if ((static_cast<std::uint8_t>(text[i]) & 0xc0) != 0x80) ++position.column;
    return position;
}

} // namespace quarn::json_text
