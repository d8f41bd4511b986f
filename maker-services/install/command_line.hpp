#pragma once

#include <optional>
#include <span>
#include <string>

// The program's command line, read as the installer needs it: a maintenance
// switch counts only in first place (in second place it is a file name),
// "--quiet" anywhere beside one. Arguments stay UTF-16, as Windows gave
// them, so a file name reaches the file system unchanged.
namespace quarn::install {

enum class Maintenance { None, Install, Uninstall };

struct CommandLine {
    Maintenance maintenance = Maintenance::None;
    bool quiet = false;               // only with a maintenance switch
    std::optional<std::wstring> file; // the map to open, only without one

    bool operator==(const CommandLine&) const = default;
};

// `arguments` as split by the platform, the program's path first.
[[nodiscard]] CommandLine read_command_line(std::span<const std::wstring> arguments);

// How a maintenance run ends.
enum class Outcome { Done, Failed, Refused, Cancelled };

// The process exit code: 0 done, 1 failed or refused (another copy runs),
// and for a question answered "Cancel" the system's "cancelled by the user"
// (1223), so that a caller can tell it from a failure.
[[nodiscard]] int exit_code(Outcome outcome) noexcept;

} // namespace quarn::install
