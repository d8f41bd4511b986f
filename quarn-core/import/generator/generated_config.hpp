#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quarn {

// A switch configuration of about `lines` lines in one dialect, by the
// name --dialect takes first ("ios", "nxos", "aruba", "comware", "junos",
// "aoscx", "os10", "os6", "ciscosb", "awplus", "edgeswitch", "fastiron",
// "vrp", "routeros", "exos"), for the importer's tests and
// benchmark: a stack of members with 48 copper ports and 4 cages each,
// VLANs with names, access ports (some with voice), trunks whose allowed
// lists are built by several lines, LAGs, descriptions and shut-down
// ports, as the vendor writes them. The same arguments always give the same
// text, on every platform.
std::string generate_config(std::string_view dialect, std::size_t lines, std::uint32_t seed = 1);

} // namespace quarn
