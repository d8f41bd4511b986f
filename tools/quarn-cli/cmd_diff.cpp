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
    const std::optional<FormatArgs> parsed = operands_and_format(args);
    if (!parsed || parsed->operands.size() != 2) {
        report("Usage: quarn-cli diff OLD NEW [--format text|json]");
        return 2;
    }
    const bool json = parsed->json;
    // With two maps a load message alone would not say which file it is about.
    auto before = load_or_report(parsed->operands[0], LoadMessage::AfterPath);
    if (!before) return 2;
    auto after = load_or_report(parsed->operands[1], LoadMessage::AfterPath);
    if (!after) return 2;
    const std::vector<Change> changes = compare_maps(*before, *after);
    const std::string out = json ? changes_json(changes) + "\n" : changes_text(changes);
    if (int code = write_output("-", out); code != 0) return code;
    return changes.empty() ? 0 : 1;
}

} // namespace quarn::cli
