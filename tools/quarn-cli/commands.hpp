#pragma once

#include <span>
#include <string_view>

namespace quarn::cli {

// Each command gets the arguments after its own name and returns the exit
// code: 0 success, 1 the command's own "found something" answer, 2 failure.
using Command = int (*)(std::span<const std::string_view> args);

struct CommandEntry {
    std::string_view name;
    std::string_view usage;
    std::string_view summary;
    Command run;
};

std::span<const CommandEntry> commands();

} // namespace quarn::cli
