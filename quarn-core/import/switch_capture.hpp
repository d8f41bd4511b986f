#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "import/neighbour_import.hpp"

namespace quarn {

// One switch's file as an admin pastes a terminal session: a configuration,
// neighbour output, or both in any order, with or without the prompts and
// commands that produced them (`acc-a1#show lldp neighbors detail`,
// `<sw1>display lldp neighbor-information`, `admin@ex1> show lldp
// neighbors`, `[admin@sw1] > /ip neighbor print detail`).
struct SwitchCapture {
    // The switch the prompts name; empty without prompts.
    std::string prompt_name;
    // The file with every line that is not configuration left empty, so that
    // the configuration reader's line numbers stay those of the file.
    std::string configuration;
    std::vector<NeighbourEntry> neighbours; // line numbers those of the file
    // Neighbour output was found, even one that lists no neighbour.
    bool neighbour_output = false;

    bool operator==(const SwitchCapture&) const = default;
};

// Cuts the file at its prompts: the output of a configuration command
// (show running-config, show configuration, display current-configuration,
// /export, ...) is configuration, the output of a neighbour command (show
// lldp ..., show cdp ..., display lldp ..., /ip neighbor print) is read by
// the neighbour readers, the output of other commands is left out. Text
// before the first prompt, and a file without prompts, is both: its
// neighbour output is read, the rest is configuration. Pager prompts
// (--More--) and the terminal's erasures are taken out.
SwitchCapture read_capture(std::string_view text);

} // namespace quarn
