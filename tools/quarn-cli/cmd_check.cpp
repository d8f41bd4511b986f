#include <span>
#include <string>
#include <string_view>

#include "cli_io.hpp"
#include "common/message_text.hpp"
#include "validate/check_map.hpp"

namespace quarn::cli {

// Prints what Check Map shows. The exit code lets scripts tell a clean map
// (0) from one with problems (1) and from one that cannot be loaded (2).
int run_check(std::span<const std::string_view> args) {
    if (args.size() != 1) {
        report("Usage: quarn-cli check MAP");
        return 2;
    }
    auto map = load_or_report(args[0]);
    if (!map) return 2;
    auto problems = check_map(*map);
    // Names from the file may hold escape sequences; a line feed in one
    // would fake a line of the report.
    const std::string text = check_report(
        problems, [](std::string_view message) { return terminal_text(message, LineFeeds::Escape); });
    if (int code = write_output("-", text + "\n"); code != 0) return code;
    return problems.empty() ? 0 : 1;
}

} // namespace quarn::cli
