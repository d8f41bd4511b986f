#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "cli_io.hpp"
#include "export/csv.hpp"
#include "export/list_separator.hpp"

namespace quarn::cli {
namespace {

// The one character of a UTF-8 argument, or nothing when it holds more or
// less than one.
std::optional<char32_t> single_character(std::string_view text) {
    if (text.empty()) return std::nullopt;
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 1;
    char32_t value = lead;
    if (lead >= 0xf0) {
        length = 4;
        value = lead & 0x07;
    } else if (lead >= 0xe0) {
        length = 3;
        value = lead & 0x0f;
    } else if (lead >= 0xc0) {
        length = 2;
        value = lead & 0x1f;
    } else if (lead >= 0x80) {
        return std::nullopt;
    }
    if (text.size() != length) return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xc0) != 0x80) return std::nullopt;
        value = (value << 6) | (next & 0x3f);
    }
    static constexpr char32_t k_least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < k_least[length] || value > 0x10ffff || (value >= 0xd800 && value <= 0xdfff))
        return std::nullopt;
    return value;
}

} // namespace

// Writes what the program's Save CSV writes, with the user's list separator
// unless --separator names another.
int run_csv(std::span<const std::string_view> args) {
    std::vector<std::string_view> paths;
    char32_t separator = user_list_separator();
    bool usage_error = false;
    bool chosen_separator = false;
    for (std::size_t i = 0; i < args.size() && !usage_error; ++i) {
        if (args[i] == "--separator") {
            std::optional<char32_t> chosen;
            if (i + 1 < args.size()) chosen = single_character(args[++i]);
            if (chosen) {
                separator = *chosen;
                chosen_separator = true;
            } else {
                usage_error = true;
            }
        } else if (args[i].size() > 1 && args[i].front() == '-') {
            usage_error = true;
        } else {
            paths.push_back(args[i]);
        }
    }
    if (usage_error || paths.size() != 2) {
        report("Usage: quarn-cli csv MAP OUT [--separator C]  (C is one character)");
        return 2;
    }
    // The user's own list separator is not judged here: the table falls
    // back to a comma for one that would break it.
    if (chosen_separator && !csv_separator_allowed(separator)) {
        report("The separator cannot be a quote, an apostrophe, a line break or another control character");
        return 2;
    }
    auto map = load_or_report(paths[0]);
    if (!map) return 2;
    return write_output(paths[1], map_csv(*map, separator));
}

} // namespace quarn::cli
