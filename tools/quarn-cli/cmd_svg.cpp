#include <span>
#include <string_view>
#include <vector>

#include "cli_io.hpp"
#include "common/fill.hpp"
#include "common/message_text.hpp"
#include "draw/scene.hpp"
#include "export/svg.hpp"

namespace quarn::cli {

// Writes what the program's Save SVG writes: light palette, site title, no
// selection; the front panel unless --breakdown asks for the VLAN breakdown
// or --topology for the topology, coloured for the VLAN of --vlan as with
// Highlight Selected VLAN on.
int run_svg(std::span<const std::string_view> args) {
    std::vector<std::string_view> paths;
    SceneOptions options;
    options.palette = k_light_palette;
    options.show_site_title = true;
    bool usage_error = false;
    for (std::size_t i = 0; i < args.size() && !usage_error; ++i) {
        const std::string_view arg = args[i];
        if (arg == "--breakdown") {
            options.view.kind = ViewKind::VlanBreakdown;
        } else if (arg == "--show-unused") {
            options.view.show_unused = true;
        } else if (arg == "--topology") {
            options.view.kind = ViewKind::Topology;
        } else if (arg == "--vlan" && i + 1 < args.size()) {
            const std::string_view text = args[++i];
            options.selected_vlan = vlan_id(text);
            if (!options.selected_vlan) {
                report(fill("{} is not a VLAN ID (1 to 4094).",
                            {terminal_text(quoted_input(text), LineFeeds::Escape)}));
                return 2;
            }
        } else if (arg.size() > 1 && arg.front() == '-' && arg != "-") {
            usage_error = true;
        } else {
            paths.push_back(arg);
        }
    }
    if (usage_error || paths.size() != 2) {
        report("Usage: quarn-cli svg MAP OUT [--breakdown] [--show-unused] [--topology [--vlan ID]]");
        return 2;
    }
    auto map = load_or_report(paths[0]);
    if (!map) return 2;
    return write_output(paths[1], scene_svg(build_scene(*map, options)));
}

} // namespace quarn::cli
