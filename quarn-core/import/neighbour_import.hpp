#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quarn {

// One neighbour as a switch reports it over LLDP, CDP or MNDP. `remote_port`
// names the neighbour's port: its port ID when that is an interface name,
// else its port description (phones, access points and servers send a MAC
// address as port ID; Junos sends an interface index). `remote_system` is the
// neighbour's system name, or its CDP device ID, or its chassis ID when it
// sends no name. `capabilities` are the enabled ones when the output gives
// them, else the supported ones, in the order of k_capability_names.
struct NeighbourEntry {
    std::string local_port;
    std::string remote_system;
    std::string remote_port;
    std::vector<std::string> capabilities;
    // What the neighbour sent beside, so that its port is also found by the
    // other form.
    std::string remote_port_id;
    std::string remote_port_description;
    std::size_t line = 0; // where the entry starts, counted from 1

    bool operator==(const NeighbourEntry&) const = default;
};

// The capability names entries use, LLDP's and CDP's words mapped onto them
// (a CDP switch is a bridge, a CDP host a station, a phone a telephone).
inline constexpr std::string_view k_capability_names[] = {
    "bridge", "router", "telephone", "wlan-access-point", "station", "repeater", "docsis", "other",
};

// Lines [first, last] of a text, counted from 1.
struct LineSpan {
    std::size_t first = 0;
    std::size_t last = 0;

    bool operator==(const LineSpan&) const = default;
};

struct NeighbourRead {
    std::vector<NeighbourEntry> entries; // in text order
    // The lines that are neighbour output, so that what is left of a text
    // can be read as a configuration.
    std::vector<LineSpan> spans;

    bool operator==(const NeighbourRead&) const = default;
};

// Reads whatever neighbour output the text holds, in any of the forms the
// readers know, mixed with anything else: the detail forms of Cisco IOS,
// IOS-XE and NX-OS (LLDP and CDP), Arista EOS, Junos, ArubaOS-Switch,
// AOS-CX, Comware, VRP, Dell OS10 and OS9, Ruckus ICX; RouterOS
// `/ip neighbor print detail`; and the brief tables that name both ports.
// Never fails: text that holds no neighbour output gives no entries.
NeighbourRead read_neighbours(std::string_view text);

// "Gi1/0/1 → core-1 Te1/1/1", the port left out when there is none.
std::string neighbour_line(const NeighbourEntry& entry);

// A JSON list of objects with "local_port", "remote_system", "remote_port"
// and, when given, "capabilities" (a list of names), two blanks indented.
std::string neighbours_json(const std::vector<NeighbourEntry>& entries);

} // namespace quarn
