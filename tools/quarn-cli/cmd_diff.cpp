#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli_io.hpp"
#include "compare/change_json.hpp"
#include "compare/change_text.hpp"
#include "compare/compare_maps.hpp"

namespace quarn::cli {

// The change lines from OLD to NEW. The exit code tells scripts (and git's
// external diff) same (0) from different (1) from unreadable (2).
int run_diff(std::span<const std::string_view> args) {
    std::vector<std::string_view> paths;
    bool json = false;
    bool usage_error = false;
    for (std::size_t i = 0; i < args.size() && !usage_error; ++i) {
        if (args[i] == "--format" && i + 1 < args.size() &&
            (args[i + 1] == "json" || args[i + 1] == "text")) {
            json = args[++i] == "json";
        } else if (args[i].size() > 1 && args[i].front() == '-') {
            usage_error = true;
        } else {
            paths.push_back(args[i]);
        }
    }
    if (usage_error || paths.size() != 2) {
        report("Usage: quarn-cli diff OLD NEW [--format text|json]");
        return 2;
    }
    // With two maps a load message alone would not say which file it is about.
    auto before = load_or_report(paths[0], LoadMessage::AfterPath);
    if (!before) return 2;
    auto after = load_or_report(paths[1], LoadMessage::AfterPath);
    if (!after) return 2;
    const std::vector<Change> changes = compare_maps(*before, *after);
    const std::string out = json ? changes_json(changes) + "\n" : changes_text(changes);
    if (int code = write_output("-", out); code != 0) return code;
    return changes.empty() ? 0 : 1;
}

} // namespace quarn::cli
