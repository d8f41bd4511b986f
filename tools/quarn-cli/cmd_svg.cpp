#include <span>
#include <string_view>
#include <vector>

#include "cli_io.hpp"
#include "draw/scene.hpp"
#include "export/svg.hpp"

namespace quarn::cli {

// Writes what the program's Save SVG writes: light palette, site title, no
// selection; the front panel unless --breakdown asks for the VLAN breakdown.
int run_svg(std::span<const std::string_view> args) {
    std::vector<std::string_view> paths;
    SceneOptions options;
    options.palette = k_light_palette;
    options.show_site_title = true;
    for (std::string_view arg : args) {
        if (arg == "--breakdown") {
            options.view.kind = ViewKind::VlanBreakdown;
        } else if (arg == "--show-unused") {
            options.view.show_unused = true;
        } else if (arg.size() > 1 && arg.front() == '-' && arg != "-") {
            paths.clear();
            break;
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.size() != 2) {
        report("Usage: quarn-cli svg MAP OUT [--breakdown] [--show-unused]");
        return 2;
    }
    auto map = load_or_report(paths[0]);
    if (!map) return 2;
    return write_output(paths[1], scene_svg(build_scene(*map, options)));
}

} // namespace quarn::cli
