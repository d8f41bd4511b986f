#pragma once

#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.hpp"

namespace quarn {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const Rgb&) const = default;
};

// "#rrggbb", lower case.
std::string rgb_text(Rgb color);
// Reads "#rrggbb" in either case; anything else is refused with
// "not a #rrggbb colour: {}".
Result<Rgb> parse_rgb(std::string_view text);

enum class PortKind : std::uint8_t { Rj45, Sfp, Dual };
enum class Numbering : std::uint8_t { OddTop, Rows };

// The names of their values in the file and in the texts of a comparison,
// in the order of the values.
inline constexpr std::array<std::string_view, 3> k_port_kind_names = {"Rj45", "Sfp", "Dual"};
inline constexpr std::array<std::string_view, 2> k_numbering_names = {"OddTop", "Rows"};

struct Vlan {
    std::uint16_t id = 0;
    std::string name;
    Rgb color;

    bool operator==(const Vlan&) const = default;
};

struct PortGroup {
    PortKind kind = PortKind::Rj45;
    std::uint16_t columns = 0;
    std::uint16_t rows = 0;
    Numbering numbering = Numbering::OddTop;
    std::uint16_t block = 0;
    float gap_after = 0.0f;

    bool operator==(const PortGroup&) const = default;
};

// `switch` is a C++ keyword, so the field that the file calls "switch" is
// `switch_name` here, in both peer records.
struct PortPeer {
    std::string switch_name;
    std::string port;

    bool operator==(const PortPeer&) const = default;
};

struct Port {
    std::string label;
    std::optional<std::uint16_t> untagged;
    std::vector<std::uint16_t> tagged;
    std::string description;
    bool disabled = false;
    std::optional<PortPeer> link;

    bool operator==(const Port&) const = default;
};

struct LagPeer {
    std::string switch_name;
    std::string lag;

    bool operator==(const LagPeer&) const = default;
};

struct Lag {
    std::string name;
    std::vector<std::string> members;
    std::optional<LagPeer> peer;

    bool operator==(const Lag&) const = default;
};

struct Switch {
    std::string name;
    std::string location;
    std::string model;
    std::vector<PortGroup> groups;
    std::vector<Port> ports;
    std::vector<Lag> lags;

    bool operator==(const Switch&) const = default;
};

struct Map {
    std::uint32_t format = 1;
    std::string site;
    std::string notes;
    std::vector<Vlan> vlans;
    std::vector<Switch> switches;

    bool operator==(const Map&) const = default;
};

struct Header {
    std::uint32_t format = 0;

    bool operator==(const Header&) const = default;
};

// A port as (switch index, port index) into the map's lists.
struct PortRef {
    std::size_t switch_index = 0;
    std::size_t port_index = 0;

    auto operator<=>(const PortRef&) const = default;
};

// Lookups take the first match in list order.
std::optional<std::size_t> find_switch(const Map& map, std::string_view name);
std::optional<std::size_t> find_port(const Switch& sw, std::string_view label);
std::optional<std::size_t> find_lag(const Switch& sw, std::string_view name);
std::optional<std::size_t> find_vlan(const Map& map, std::uint16_t id);

// Places of one group and of a whole switch; 64-bit so that 65535 x 65535
// times many groups cannot wrap.
std::uint64_t group_places(const PortGroup& group);
std::uint64_t place_count(const Switch& sw);

struct PlaceCell {
    std::uint32_t column = 0;
    std::uint32_t row = 0;

    bool operator==(const PlaceCell&) const = default;
};

// Column and row of place k inside its group (k counted from 0).
PlaceCell place_cell(const PortGroup& group, std::uint32_t k);

} // namespace quarn
