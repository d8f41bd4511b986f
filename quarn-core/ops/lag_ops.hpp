#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/map.hpp"

namespace quarn {

struct LagError {
    enum class Kind : std::uint8_t { NoName, NameTaken, NoPorts, PortInLag, PortHasUplink, NoSuchLag };

    Kind kind = Kind::NoName;
    std::string port; // PortInLag, PortHasUplink
    std::string lag;  // NameTaken, PortInLag, NoSuchLag

    bool operator==(const LagError&) const = default;
};

std::string lag_error_message(const LagError& error);

// The first "Trk{}" (1, 2, 3, ...) that no LAG of the switch is named.
std::string default_lag_name(const std::vector<Lag>& lags);

// Ports are chosen by position; positions past the switch's ports are
// ignored. A port counts as taken when its label is a member of another LAG
// (not the one being edited), and as linked when any port bearing its label
// has a link: a LAG member names a label, and every port with that label
// must stay without link.
std::optional<LagError> check_lag_ports(const Switch& sw, const std::vector<std::size_t>& ports,
                                        std::optional<std::string_view> editing = std::nullopt);

// Checks name, uniqueness and ports, then gives every port of the new LAG the
// VLANs of the first chosen port and appends the LAG with the chosen labels
// in the order chosen. A label chosen twice (the same port, or two ports that
// share a label) is stored once.
std::optional<LagError> create_lag(Map& map, std::size_t switch_index, std::string_view name,
                                   const std::vector<std::size_t>& ports);

// Renames a LAG and replaces its members (stored like create_lag stores
// them). Ports that join take the VLANs of the first chosen port that was
// already a member (of the first chosen port when none was); members that
// stay or leave keep theirs. LAG peers that named the old name follow the
// rename. NoSuchLag when the LAG is gone.
std::optional<LagError> edit_lag(Map& map, std::size_t switch_index, std::string_view old_name,
                                 std::string_view new_name, const std::vector<std::size_t>& ports);

// The position of the port whose VLANs create_lag (editing: nothing) or
// edit_lag (editing: the LAG's name) will hand to the joining ports, for
// "All ports of the LAG will take the VLANs of port {}"; nothing when no port
// joins.
std::optional<std::size_t> lag_vlan_source(const Switch& sw, const std::vector<std::size_t>& ports,
                                           std::optional<std::string_view> editing = std::nullopt);

// The positions of a LAG's members in member order (the first port bearing
// each label), e.g. to write them as a port range text.
std::vector<std::size_t> lag_member_positions(const Switch& sw, const Lag& lag);

struct LinkResult {
    // NoPort: a reference names no port, a mistake of the caller.
    enum class Kind : std::uint8_t { Linked, SameSwitch, PortInLag, NoPort };

    Kind kind = Kind::Linked;
    std::string port; // PortInLag: the label of the chosen port
    std::string lag;  // PortInLag: the LAG it belongs to

    bool operator==(const LinkResult&) const = default;
};

LinkResult link_ports(Map& map, PortRef first, PortRef second);

// Clears the port's link, and the link of every port that points at this one.
void unlink_port(Map& map, PortRef port);

// Clears the LAG's peer, and the peer of every LAG that points at this one.
void unpeer_lag(Map& map, std::size_t switch_index, std::string_view name);

// unpeer_lag, then the LAG goes; its former members keep their VLANs.
void remove_lag(Map& map, std::size_t switch_index, std::string_view name);

// Links two LAGs both ways, as link_ports does for ports: both lose their
// former peers (and those peers lose theirs). Nothing clears the peer.
// NoSuchLag when this LAG or the far one does not exist.
std::optional<LagError> set_lag_peer(Map& map, std::size_t switch_index, std::string_view name,
                                     const std::optional<LagPeer>& peer);

} // namespace quarn
