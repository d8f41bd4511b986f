#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "config/theme_choice.hpp"

namespace quarn {

// The per-user settings, stored as config.json.
struct Config {
    ThemeChoice theme = ThemeChoice::System;
    std::vector<std::string> recent; // most recent first
    bool breakdown = false;          // the VLAN breakdown view is shown
    bool show_unused = false;
    // The topology view is shown; it wins over `breakdown`, which an older
    // program reading the file still takes as front panel or breakdown.
    bool topology = false;

    bool operator==(const Config&) const = default;
};

inline constexpr std::size_t k_max_recent_files = 10;

// A file that is missing, not JSON or not an object gives the defaults; a key
// with a value of the wrong kind keeps its default while the others are
// taken. Settings are a convenience: they must never stop the program.
Config parse_config(std::string_view text);

// Keys in the order theme, recent, breakdown, show_unused, topology;
// two-space indent.
std::string config_text(const Config& config);

// Puts `path` first, drops an older entry of the same path and keeps at most
// k_max_recent_files entries. Paths that differ only in letter case are the
// same file on Windows, so they count as one.
void add_recent_file(Config& config, std::string_view path);
void remove_recent_file(Config& config, std::string_view path);

} // namespace quarn
