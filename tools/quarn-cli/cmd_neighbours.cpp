#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli_io.hpp"
#include "common/fill.hpp"
#include "import/switch_capture.hpp"

namespace quarn::cli {

// Prints what the neighbour readers find in one switch's file: one line per
// neighbour, or JSON for scripts. Exit 0: neighbours found; 1: none; 2: the
// file cannot be read, or the usage is wrong.
int run_neighbours(std::span<const std::string_view> args) {
    const std::optional<FormatArgs> parsed = operands_and_format(args);
    if (!parsed || parsed->operands.size() != 1) {
        report("Usage: quarn-cli neighbours FILE [--format text|json]");
        return 2;
    }
    const bool json = parsed->json;
    auto text = read_file(parsed->operands[0]);
    if (!text) {
        report(text.error());
        return 2;
    }
    const std::vector<NeighbourEntry> entries = read_capture(text.value()).neighbours;
    std::string out;
    if (json) {
        out = neighbours_json(entries) + "\n";
    } else {
        for (const NeighbourEntry& entry : entries) out += neighbour_line(entry) + "\n";
    }
    if (int code = write_output("-", out); code != 0) return code;
    if (entries.empty()) {
        report(fill("{} holds no LLDP or CDP neighbours that Quarn reads.", {parsed->operands[0]}));
        return 1;
    }
    return 0;
}

} // namespace quarn::cli
