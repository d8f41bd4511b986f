#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace quarn {

// Fills the "{}" placeholders of a message template from left to right, so
// that the program's texts stay readable in the code exactly as the user sees
// them. Placeholders beyond the arguments stay as they are.
inline std::string fill(std::string_view pattern, std::initializer_list<std::string_view> args) {
    std::string text;
    text.reserve(pattern.size() + 16 * args.size());
    auto next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '{' && i + 1 < pattern.size() && pattern[i + 1] == '}' && next != args.end()) {
            text += *next++;
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

} // namespace quarn
