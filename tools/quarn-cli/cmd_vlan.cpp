#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cli_io.hpp"
#include "common/fill.hpp"
#include "common/message_text.hpp"
#include "validate/vlan_where.hpp"

namespace quarn::cli {

// Every port that carries one VLAN, switch by switch, then whether the VLAN
// reaches every switch that uses it. The exit code tells scripts carried
// somewhere (0) from carried nowhere (1) from failure (2).
int run_vlan(std::span<const std::string_view> args) {
    const std::optional<FormatArgs> parsed = operands_and_format(args);
    if (!parsed || parsed->operands.size() != 2) {
        report("Usage: quarn-cli vlan MAP ID [--format json]");
        return 2;
    }
    const bool json = parsed->json;
    auto vlan = vlan_id(parsed->operands[1]);
    if (!vlan) {
        report(fill("{} is not a VLAN ID (1 to 4094).",
                    {terminal_text(quoted_input(parsed->operands[1]), LineFeeds::Escape)}));
        return 2;
    }
    auto map = load_or_report(parsed->operands[0]);
    if (!map) return 2;
    std::string out;
    if (json) {
        out = vlan_where_json(*map, *vlan) + "\n";
    } else {
        // Names from the file may hold escape sequences; a line feed in one
        // would fake a line of the list.
        for (const std::string& line : vlan_where_lines(*map, *vlan, WhereOrder::PortsFirst)) {
            out += terminal_text(line, LineFeeds::Escape);
            out += '\n';
        }
    }
    if (int code = write_output("-", out); code != 0) return code;
    return vlan_carried(*map, *vlan) ? 0 : 1;
}

} // namespace quarn::cli
