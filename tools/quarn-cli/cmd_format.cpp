#include <span>
#include <string_view>

#include "cli_io.hpp"
#include "model/map_file.hpp"

namespace quarn::cli {

// Rewrites a map in the program's own layout, so that hand-edited or
// generated files compare byte for byte with what the program saves.
int run_format(std::span<const std::string_view> args) {
    if (args.size() != 2) {
        report("Usage: quarn-cli format MAP OUT");
        return 2;
    }
    auto map = load_or_report(args[0]);
    if (!map) return 2;
    return write_output(args[1], save_map(*map));
}

} // namespace quarn::cli
