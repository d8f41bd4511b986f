#pragma once

// Comware and Huawei VRP grew from one root and write their configurations
// alike: `#` between sections, `interface` and `vlan` views, `undo` to take
// a statement back, VLAN lists as "10 to 20 30", access, trunk and hybrid
// ports whose trunks start out carrying VLAN 1 alone. What differs is the
// words of the port statements and the names of the interfaces, which each
// dialect gives as tables to the one reader of the family.

#include <cstdint>
#include <span>
#include <string_view>

#include "import/config_reader.hpp"

namespace quarn::import_detail {

enum class IfKind : std::uint8_t { Port, Lag, Logical };

struct InterfaceFamily {
    std::string_view prefix; // lower case: the name without its number
    IfKind kind;
    PortKind port_kind;
};

// What a port statement does with what its placeholders hold.
enum class PortAction : std::uint8_t {
    LinkType,       // {word}: access, trunk, hybrid, dot1q-tunnel
    LinkMode,       // {word}: route makes the port routed
    Switched,       // taken back: routed
    Access,         // {id}
    TrunkAllow,     // {list}; taken back: removed from the permitted list
    TrunkPvid,      // {id}
    HybridPvid,     // {id}
    HybridVlan,     // {list} {word}: tagged or untagged
    HybridTagged,   // {list}
    HybridUntagged, // {list}
    HybridRemove,   // {list}: neither tagged nor untagged
    Voice,          // {id}
    JoinLag,        // {n}: the aggregation of that number
    LagMembers,     // {rest}: "GigabitEthernet 0/0/1 to 0/0/4 0/0/7", from the aggregation's side
};

// Whether a statement is also understood after `undo`.
enum class Undo : std::uint8_t { No, Also, Only };

// A statement as words, with placeholders where the values go: {id} a VLAN
// ID, {n} a number, {list} VLAN IDs as "10 to 20 30" or "all", {word} any
// one word, {rest} the words up to the end.
struct PortStatement {
    std::string_view pattern;
    PortAction action;
    Undo undo = Undo::No;
};

struct ComwareSyntax {
    std::span<const InterfaceFamily> interfaces;
    std::span<const PortStatement> statements;
    // First words of interface settings that change nothing on the map.
    std::span<const std::string_view> ignored;
    std::string_view lag_prefix; // Bridge-Aggregation, Eth-Trunk
};

void read_comware_family(std::string_view text, Collector& out, const ComwareSyntax& syntax);

} // namespace quarn::import_detail
