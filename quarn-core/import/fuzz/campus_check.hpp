#pragma once

// The rules the neighbour readers and the campus import keep for any input,
// shared by the libFuzzer target and the native test that runs them over
// the test captures and damaged copies of them.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "common/utf8.hpp"
#include "import/campus_detail.hpp"
#include "import/campus_import.hpp"
#include "import/switch_capture.hpp"
#include "model/map_file.hpp"
#include "ops/switch_ops.hpp"
#include "validate/check_map.hpp"

namespace quarn::fuzz {

inline bool valid_utf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        Utf8Sequence sequence = utf8_sequence(text, i);
        if (!sequence.valid) return false;
        i += sequence.length;
    }
    return true;
}

// Two switches the input's two halves may be about, named as the files are.
inline Map base_map() {
    Map map;
    SwitchLayoutInput layout{"Gi1/0/", 4, 2, 0, 0, 2, false};
    add_switch(map, std::nullopt, "core", "", "", layout);
    add_switch(map, std::nullopt, "acc", "", "", layout);
    return map;
}

// What is wrong, or nothing.
inline std::string check_input(std::string_view text) {
    std::size_t lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    NeighbourRead read = read_neighbours(text);
    for (std::size_t i = 0; i < read.spans.size(); ++i) {
        const LineSpan& span = read.spans[i];
        if (span.first < 1 || span.first > span.last || span.last > lines) return "a span outside the text";
        if (i > 0 && read.spans[i - 1].last + 1 >= span.first) return "spans not merged";
    }
    for (const NeighbourEntry& entry : read.entries) {
        if (entry.local_port.empty() || entry.remote_system.empty()) return "an entry without both ends";
        if (entry.line < 1 || entry.line > lines) return "an entry outside the text";
        for (const std::string* field : {&entry.local_port, &entry.remote_system, &entry.remote_port})
            if (!valid_utf8(*field)) return "an entry that is no UTF-8";
    }
    SwitchCapture capture = read_capture(text);
    if (std::count(capture.configuration.begin(), capture.configuration.end(), '\n') !=
        std::count(text.begin(), text.end(), '\n'))
        return "the configuration lost its line numbers";

    // Garbage never creates a link: every link made joins a port that an
    // entry names, on one of the two switches the files are about.
    std::size_t half = text.size() / 2;
    std::vector<CaptureFile> files = {CaptureFile{"core.txt", std::string(text.substr(0, half)), ""},
                                      CaptureFile{"acc.txt", std::string(text.substr(half)), ""}};
    std::vector<NeighbourEntry> entries;
    for (const CaptureFile& file : files)
        for (NeighbourEntry& entry : read_capture(file.text).neighbours) entries.push_back(std::move(entry));
    for (bool replace : {false, true}) {
        CampusImport campus = import_campus(base_map(), files, CampusOptions{std::nullopt, replace, replace});
        for (const CampusLink& link : campus.report.links) {
            if (link.lag) continue;
            bool named = std::any_of(entries.begin(), entries.end(), [&](const NeighbourEntry& entry) {
                std::string key = campus_detail::port_match_key(entry.local_port);
                return key == campus_detail::port_match_key(link.a.port) ||
                       key == campus_detail::port_match_key(link.b.port);
            });
            if (!named) return "a link no entry names";
        }
        if (campus.report.links.size() > entries.size()) return "more links than entries";
        for (const Problem& problem : check_map(campus.map))
            if (problem.kind == Problem::Kind::LinkTargetMissing ||
                problem.kind == Problem::Kind::LinkNotAnswered)
                return "a link that points nowhere or is not answered: " + problem_message(problem);
        auto loaded = load_map(save_map(campus.map));
        if (!loaded.ok() || !(loaded.value() == campus.map)) return "the map does not load back";
    }
    return {};
}

} // namespace quarn::fuzz
