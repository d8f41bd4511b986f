#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli_io.hpp"
#include "common/fill.hpp"
#include "import/import_apply.hpp"
#include "model/map_file.hpp"

namespace quarn::cli {
namespace {

constexpr std::string_view k_usage =
    "Usage: quarn-cli import CONFIG OUT [--into MAP] [--switch NAME] [--dialect NAME]";

// Lines not understood that the report shows before it counts the rest.
constexpr std::size_t k_unread_shown = 10;

std::string file_stem(std::string_view path) {
    std::u8string text(path.begin(), path.end());
    std::u8string stem = std::filesystem::path(text).stem().u8string();
    return std::string(stem.begin(), stem.end());
}

void report_unread(const ImportResult& result) {
    for (std::size_t i = 0; i < result.unread.size() && i < k_unread_shown; ++i)
        report(fill("Line {} not understood: {}",
                    {std::to_string(result.unread[i].number), result.unread[i].text}));
    if (result.unread_count > k_unread_shown)
        report(fill("... and {} more lines not understood",
                    {std::to_string(result.unread_count - k_unread_shown)}));
}

} // namespace

// Reads a switch's own configuration text (never the switch itself) and
// writes a map with that switch: a new map, or MAP with the switch updated
// or added. Exit 0: imported; 1: the text is no configuration the importer
// knows; 2: a file cannot be read or written, or the usage is wrong.
int run_import(std::span<const std::string_view> args) {
    std::vector<std::string_view> paths;
    std::optional<std::string_view> into;
    std::optional<std::string_view> switch_name;
    std::optional<Dialect> dialect;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        bool valued = arg == "--into" || arg == "--switch" || arg == "--dialect";
        if (valued && i + 1 >= args.size()) {
            report(k_usage);
            return 2;
        }
        if (arg == "--into") {
            into = args[++i];
        } else if (arg == "--switch") {
            switch_name = args[++i];
        } else if (arg == "--dialect") {
            std::string_view name = args[++i];
            dialect = parse_dialect_name(name);
            if (!dialect) {
                report(fill("Unknown dialect {}. Use one of: {}.", {name, k_dialect_names}));
                return 2;
            }
        } else if (arg.size() > 1 && arg.front() == '-') {
            report(k_usage);
            return 2;
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.size() != 2) {
        report(k_usage);
        return 2;
    }
    auto text = read_file(paths[0]);
    if (!text) {
        report(text.error());
        return 2;
    }
    ImportResult result = import_config(text.value(), dialect);
    if (!result.recognised()) {
        if (result.dialect == Dialect::Unknown)
            report(
                fill("{} holds no switch configuration that Quarn reads (Cisco IOS or NX-OS, ArubaOS-Switch, "
                     "Comware, Junos, Ruckus FastIron, Huawei VRP, MikroTik RouterOS, Extreme EXOS).",
                     {paths[0]}));
        else
            report(fill("{} holds no ports or VLANs when read as {}.",
                        {paths[0], dialect_title(result.dialect)}));
        report_unread(result);
        return 1;
    }

    Map map;
    if (into) {
        auto loaded = load_or_report(*into);
        if (!loaded) return 2;
        map = std::move(*loaded);
    }
    std::optional<std::size_t> target;
    if (into) target = find_switch(map, switch_name.value_or(std::string_view(result.host_name)));
    ImportApplied applied;
    if (target) {
        applied = *import_into_switch(map, *target, result);
    } else {
        if (switch_name) result.host_name = std::string(*switch_name);
        applied = import_new_switch(map, result, file_stem(paths[0]));
    }
    const std::string& name = map.switches[applied.switch_index].name;
    report(fill("Imported {} ports and {} VLANs as {}",
                {std::to_string(applied.ports), std::to_string(result.vlans.size()), name}));
    if (!applied.missing_ports.empty()) {
        std::string list;
        for (const std::string& label : applied.missing_ports) list += (list.empty() ? "" : ", ") + label;
        report(fill("Not on {}: {}", {name, list}));
    }
    for (const std::string& refusal : applied.lags_refused) report(refusal);
    if (result.ports_left_out > 0)
        report(fill("Left out {} ports beyond the first {}",
                    {std::to_string(result.ports_left_out), std::to_string(k_max_imported_ports)}));
    report_unread(result);
    return write_output(paths[1], save_map(map));
}

} // namespace quarn::cli
