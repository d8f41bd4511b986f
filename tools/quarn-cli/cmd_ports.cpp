#include <span>
#include <string_view>

#include "cli_io.hpp"
#include "compare/port_lines.hpp"

namespace quarn::cli {

// One stable line per port: what git's text conversion of map files shows,
// so that a diff of two versions is a diff of port lines.
int run_ports(std::span<const std::string_view> args) {
    if (args.size() != 1) {
        report("Usage: quarn-cli ports MAP");
        return 2;
    }
    auto map = load_or_report(args[0]);
    if (!map) return 2;
    return write_output("-", ports_text(*map));
}

} // namespace quarn::cli
