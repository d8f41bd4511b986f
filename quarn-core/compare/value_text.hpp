#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/map.hpp"

// The stable text forms of the values that change lines and port lines show.
// Scripts and git histories read them, so they do not change.
namespace quarn {

// VLAN IDs in their list order, runs of three or more consecutive rising IDs
// as ranges: 10,11,12,20 is "10-12,20", 20,10 stays "20,10". Empty: "none".
std::string vlan_list_text(const std::vector<std::uint16_t>& ids);

// The same IDs as a set: ascending, each once ("10-12,20").
std::string vlan_set_text(std::vector<std::uint16_t> ids);

// One group as "Rj45 24x2 OddTop", followed by " block 6" when it has blocks
// and " gap 0.5" when it has a gap; groups joined by " + ". No groups:
// "none".
std::string layout_text(const std::vector<PortGroup>& groups);

// A name or label as places show it: as it is, unless it holds a control
// character (a line break) or bytes that are not UTF-8; then with the JSON
// escapes of a quoted text, without the quotes, so every line stays one line.
std::string name_text(std::string_view name);

// A far end as the places of change lines name it: "core-1 port 48",
// "core-1 LAG Trk1".
std::string port_peer_text(const PortPeer& peer);
std::string lag_peer_text(const LagPeer& peer);

// LAG members in their order, joined by ",". Empty: "none".
std::string members_text(const std::vector<std::string>& members);

} // namespace quarn
