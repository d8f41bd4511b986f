#include "commands.hpp"

#include <array>

namespace quarn::cli {

int run_format(std::span<const std::string_view> args);

// One row per command; the help text is built from this table.
std::span<const CommandEntry> commands() {
    static constexpr std::array table = {
        CommandEntry{"format", "format MAP OUT", "Load MAP with every check and write it in the saved layout",
                     run_format},
    };
    return table;
}

} // namespace quarn::cli
