#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/map.hpp"

namespace quarn {

// The valid VLAN IDs; the load checks use the same bounds.
inline constexpr std::uint16_t k_min_vlan_id = 1;
inline constexpr std::uint16_t k_max_vlan_id = 4094;

// The colours offered to new VLANs, in the order they are offered.
inline constexpr std::array<Rgb, 20> k_default_vlan_colors = {{
    {0x2E, 0x7D, 0x32}, {0x15, 0x65, 0xC0}, {0xEF, 0x6C, 0x00}, {0x6A, 0x1B, 0x9A}, {0xC6, 0x28, 0x28},
    {0x00, 0x83, 0x8F}, {0xF9, 0xA8, 0x25}, {0xAD, 0x14, 0x57}, {0x45, 0x5A, 0x64}, {0x6D, 0x4C, 0x41},
    {0x7C, 0xB3, 0x42}, {0x03, 0xA9, 0xF4}, {0xFF, 0x8A, 0x65}, {0xAB, 0x47, 0xBC}, {0x00, 0x69, 0x5C},
    {0xFF, 0xD5, 0x4F}, {0x3F, 0x51, 0xB5}, {0xF0, 0x62, 0x92}, {0x9E, 0x9D, 0x24}, {0xA1, 0x88, 0x7F},
}};

struct VlanError {
    enum class Kind : std::uint8_t { OutOfRange, Exists, Missing };

    Kind kind = Kind::OutOfRange;
    std::uint16_t id = 0;

    bool operator==(const VlanError&) const = default;
};

std::string vlan_error_message(const VlanError& error);

// The checks that add and edit run before they change anything; the VLAN
// dialog runs them on OK so the user can correct the entry.
std::optional<VlanError> check_add_vlan(const Map& map, const Vlan& vlan);
std::optional<VlanError> check_edit_vlan(const Map& map, std::uint16_t old_id, const Vlan& vlan);

// Inserts at the sorted place (before the first VLAN whose id is not
// smaller), so a list kept by these operations stays ascending.
std::optional<VlanError> add_vlan(Map& map, const Vlan& vlan);

// Replaces VLAN old_id by vlan and renumbers it on every port; afterwards
// every port's tagged list is ascending. Repeated tagged entries are kept.
std::optional<VlanError> edit_vlan(Map& map, std::uint16_t old_id, const Vlan& vlan);

// Takes the VLAN off the list and off every port, also when it is not in the
// list.
void remove_vlan(Map& map, std::uint16_t id);

// Ports of the whole map that carry the VLAN untagged or tagged, for the
// question asked before a VLAN is removed.
std::size_t ports_carrying_vlan(const Map& map, std::uint16_t id);

// What the Add VLAN dialog starts with: the last VLAN's id plus one (at most
// 4094; 1 for an empty list), and the first default colour that no VLAN uses
// (else the one at the number of VLANs modulo 20).
std::uint16_t propose_vlan_id(const Map& map);
Rgb propose_vlan_color(const Map& map);

} // namespace quarn
