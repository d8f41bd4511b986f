#include "commands.hpp"

#include <array>

namespace quarn::cli {

int run_format(std::span<const std::string_view> args);
int run_svg(std::span<const std::string_view> args);
int run_csv(std::span<const std::string_view> args);
int run_check(std::span<const std::string_view> args);
int run_diff(std::span<const std::string_view> args);
int run_ports(std::span<const std::string_view> args);
int run_import(std::span<const std::string_view> args);
int run_vlan(std::span<const std::string_view> args);
int run_neighbours(std::span<const std::string_view> args);

// One row per command; the help text is built from this table.
std::span<const CommandEntry> commands() {
    static constexpr std::array table = {
        CommandEntry{"format", "format MAP OUT", "Load MAP with every check and write it in the saved layout",
                     run_format},
        CommandEntry{"svg", "svg MAP OUT [--breakdown] [--show-unused] [--topology [--vlan ID]]",
                     "Write the picture of MAP as Save SVG does (front panel, VLAN breakdown or topology)",
                     run_svg},
        CommandEntry{"csv", "csv MAP OUT [--separator C]",
                     "Write the port table of MAP as Save CSV does (default: the list separator)", run_csv},
        CommandEntry{"check", "check MAP",
                     "Print the problems Check Map finds (exit 0: none, 1: some, 2: MAP cannot be loaded)",
                     run_check},
        CommandEntry{
            "diff", "diff OLD NEW [--format text|json]",
            "Print what changed from OLD to NEW, one line a place (exit 0: same, 1: different, 2: a map "
            "cannot be loaded)",
            run_diff},
        CommandEntry{
            "vlan", "vlan MAP ID [--format json]",
            "Print every port that carries VLAN ID, switch by switch, and whether it reaches every "
            "switch that uses it (exit 0: carried, 1: carried nowhere, 2: MAP cannot be loaded or ID "
            "is not a VLAN ID)",
            run_vlan},
        CommandEntry{"ports", "ports MAP", "Print one line per port of MAP (for git diff: see the README)",
                     run_ports},
        CommandEntry{
            "import", "import FILE... OUT [--into MAP] [options]",
            "Read switches' configuration texts and LLDP/CDP neighbour outputs (one file a switch) into "
            "a new map or into MAP, with the links between them; --switch NAME picks the switch of one "
            "file, --dialect "
            "ios|nxos|aruba|comware|junos|aoscx|os10|os6|ciscosb|awplus|edgeswitch|fastiron|vrp|routeros|"
            "exos overrides detection, --replace-links lets the "
            "neighbours replace links they contradict, --describe-neighbours writes neighbours that are "
            "no switch of the map into empty port descriptions",
            run_import},
        CommandEntry{
            "neighbours", "neighbours FILE [--format text|json]",
            "Print the LLDP and CDP neighbours a switch's file lists, one line each (exit 0: some, 1: "
            "none, 2: FILE cannot be read)",
            run_neighbours},
    };
    return table;
}

} // namespace quarn::cli
