#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli_io.hpp"
#include "common/fill.hpp"
#include "import/campus_import.hpp"
#include "model/map_file.hpp"

namespace quarn::cli {
namespace {

constexpr std::string_view k_usage = "Usage: quarn-cli import FILE... OUT [--into MAP] [--switch NAME] "
                                     "[--dialect NAME] [--replace-links] [--describe-neighbours]";

// Lines not understood that the report shows before it counts the rest.
constexpr std::size_t k_unread_shown = 10;

// With several files, every line about one file names it.
struct Reporter {
    std::string prefix;

    void operator()(std::string_view message) const { report(prefix + std::string(message)); }
};

void report_unread(const Reporter& say, const ImportResult& result) {
    for (std::size_t i = 0; i < result.unread.size() && i < k_unread_shown; ++i)
        say(fill("Line {} not understood: {}",
                 {std::to_string(result.unread[i].number), result.unread[i].text}));
    if (result.unread_count > k_unread_shown)
        say(fill("... and {} more lines not understood",
                 {std::to_string(result.unread_count - k_unread_shown)}));
}

void report_file(const Reporter& say, const CampusFile& file) {
    const ImportResult& result = file.configuration;
    const std::string& name = file.switch_name;
    switch (file.outcome) {
    case CampusFile::Outcome::Added:
    case CampusFile::Outcome::Updated: {
        // Lines that several families write alike: the reader should know
        // which one the text was taken for, and that --dialect can say another.
        if (result.dialect_assumed) say(fill("Read as {} (assumed)", {dialect_title(result.dialect)}));
        say(fill("Imported {} ports and {} VLANs as {}",
                 {std::to_string(file.applied.ports), std::to_string(result.vlans.size()), name}));
        if (!file.applied.missing_ports.empty()) {
            std::string list;
            for (const std::string& label : file.applied.missing_ports)
                list += (list.empty() ? "" : ", ") + label;
            say(fill("Not on {}: {}", {name, list}));
        }
        for (const std::string& refusal : file.applied.lags_refused) say(refusal);
        if (result.ports_left_out > 0)
            say(fill("Left out {} ports beyond the first {}",
                     {std::to_string(result.ports_left_out), std::to_string(k_max_imported_ports)}));
        report_unread(say, result);
        if (file.neighbours > 0)
            say(fill("Read {} neighbours of {}", {std::to_string(file.neighbours), name}));
        return;
    }
    case CampusFile::Outcome::NeighboursOnly:
        say(fill("Read {} neighbours of {}", {std::to_string(file.neighbours), name}));
        return;
    case CampusFile::Outcome::NoSwitch:
        report(fill("{} holds neighbours of {}, a switch that is neither in the map nor imported.",
                    {file.file, name}));
        return;
    case CampusFile::Outcome::Nothing:
        if (result.dialect == Dialect::Unknown)
            report(fill("{} holds no switch configuration that Quarn reads ({}).",
                        {file.file, dialect_titles()}));
        else
            report(fill("{} holds no ports or VLANs when read as {}.",
                        {file.file, dialect_title(result.dialect)}));
        report_unread(say, result);
        return;
    }
}

void report_campus(const CampusReport& campus, bool several) {
    for (const CampusLink& link : campus.links)
        if (!link.already) report("Linked " + campus_link_text(link));
    for (const NeighbourConflict& conflict : campus.conflicts) report(conflict_message(conflict));
    for (const LinkContradiction& contradiction : campus.contradictions)
        report(contradiction_message(contradiction));
    for (const OutsideNeighbour& outside : campus.outside)
        report("Outside the map: " + outside_text(outside) + (outside.described ? " (described)" : ""));
    for (const UnplacedNeighbour& unplaced : campus.unplaced)
        report("On no port of the map: " + unplaced_text(unplaced));
    std::size_t neighbours = 0;
    std::size_t ports = 0;
    std::set<std::uint16_t> vlans;
    std::set<std::string> switches;
    for (const CampusFile& file : campus.files) {
        neighbours += file.neighbours;
        if (file.outcome != CampusFile::Outcome::Added && file.outcome != CampusFile::Outcome::Updated)
            continue;
        ports += file.applied.ports;
        switches.insert(file.switch_name);
        for (const ImportedVlan& vlan : file.configuration.vlans) vlans.insert(vlan.id);
    }
    if (!several && neighbours == 0) return;
    std::size_t made = campus.links_made();
    report(fill(
        "Campus: {} switches ({} added, {} updated), {} ports, {} VLANs, {} links made ({} already in the "
        "map), {} disagreements, {} contradicted links, {} neighbours outside the map",
        {std::to_string(switches.size()), std::to_string(campus.count(CampusFile::Outcome::Added)),
         std::to_string(campus.count(CampusFile::Outcome::Updated)), std::to_string(ports),
         std::to_string(vlans.size()), std::to_string(made), std::to_string(campus.links.size() - made),
         std::to_string(campus.conflicts.size()), std::to_string(campus.contradictions.size()),
         std::to_string(campus.outside.size())}));
}

} // namespace

// Reads switches' own configuration texts and neighbour outputs (never the
// switches themselves), one file a switch, and writes a map with those
// switches and the links between them: a new map, or MAP with the switches
// updated or added. Exit 0: imported; 1: no file holds anything the
// importer knows; 2: a file cannot be read or written, or the usage is wrong.
int run_import(std::span<const std::string_view> args) {
    std::vector<std::string_view> paths;
    std::optional<std::string_view> into;
    std::optional<std::string_view> switch_name;
    CampusOptions options;
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
            options.dialect = parse_dialect_name(name);
            if (!options.dialect) {
                report(fill("Unknown dialect {}. Use one of: {}.", {name, k_dialect_names}));
                return 2;
            }
        } else if (arg == "--replace-links") {
            options.replace_contradicted = true;
        } else if (arg == "--describe-neighbours") {
            options.describe_outside = true;
        } else if (arg.size() > 1 && arg.front() == '-') {
            report(k_usage);
            return 2;
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.size() < 2) {
        report(k_usage);
        return 2;
    }
    std::string_view out = paths.back();
    paths.pop_back();
    if (switch_name && paths.size() > 1) {
        report("--switch names the switch of one FILE; each of several files names its own.");
        return 2;
    }
    std::vector<CaptureFile> files;
    for (std::string_view path : paths) {
        auto text = read_file(path);
        if (!text) {
            report(text.error());
            return 2;
        }
        files.push_back(
            CaptureFile{std::string(path), std::move(text).value(), std::string(switch_name.value_or(""))});
    }

    Map map;
    if (into) {
        auto loaded = load_or_report(*into);
        if (!loaded) return 2;
        map = std::move(*loaded);
    }
    CampusImport campus = import_campus(map, files, options);
    bool several = files.size() > 1;
    for (const CampusFile& file : campus.report.files)
        report_file(Reporter{several ? file.file + ": " : ""}, file);
    if (!campus.report.recognised()) return 1;
    report_campus(campus.report, several);
    return write_output(out, save_map(campus.map));
}

} // namespace quarn::cli
