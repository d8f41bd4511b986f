#include "commands.hpp"

#include <array>

namespace quarn::cli {

// One row per command; the help text is built from this table.
std::span<const CommandEntry> commands() {
    static constexpr std::array<CommandEntry, 0> table = {{}};
    return table;
}

} // namespace quarn::cli
