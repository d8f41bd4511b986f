#include "model/map.hpp"

#include <array>

#include "common/message_text.hpp"

namespace quarn {
namespace {

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

std::string rgb_text(Rgb color) {
    static constexpr std::array<char, 16> digits = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                    '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    std::string text = "#";
    for (std::uint8_t part : {color.red, color.green, color.blue}) {
        text += digits[part >> 4];
        text += digits[part & 0xf];
    }
    return text;
}

Result<Rgb> parse_rgb(std::string_view text) {
    auto refuse = [&] { return Result<Rgb>::failure("not a #rrggbb colour: " + quoted_input(text)); };
    if (text.size() != 7 || text[0] != '#') return refuse();
    std::array<std::uint8_t, 3> parts{};
    for (std::size_t i = 0; i < 3; ++i) {
        int high = hex_digit(text[1 + 2 * i]);
        int low = hex_digit(text[2 + 2 * i]);
        if (high < 0 || low < 0) return refuse();
        parts[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return Rgb{parts[0], parts[1], parts[2]};
}

std::optional<std::size_t> find_switch(const Map& map, std::string_view name) {
    for (std::size_t i = 0; i < map.switches.size(); ++i)
        if (map.switches[i].name == name) return i;
    return std::nullopt;
}

std::optional<std::size_t> find_port(const Switch& sw, std::string_view label) {
    for (std::size_t i = 0; i < sw.ports.size(); ++i)
        if (sw.ports[i].label == label) return i;
    return std::nullopt;
}

std::optional<std::size_t> find_lag(const Switch& sw, std::string_view name) {
    for (std::size_t i = 0; i < sw.lags.size(); ++i)
        if (sw.lags[i].name == name) return i;
    return std::nullopt;
}

std::optional<std::size_t> find_vlan(const Map& map, std::uint16_t id) {
    for (std::size_t i = 0; i < map.vlans.size(); ++i)
        if (map.vlans[i].id == id) return i;
    return std::nullopt;
}

std::uint64_t group_places(const PortGroup& group) {
    return std::uint64_t{group.columns} * std::uint64_t{group.rows};
}

std::uint64_t place_count(const Switch& sw) {
    std::uint64_t total = 0;
    for (const PortGroup& group : sw.groups) total += group_places(group);
    return total;
}

PlaceCell place_cell(const PortGroup& group, std::uint32_t k) {
    if (group.numbering == Numbering::Rows) {
        if (group.columns == 0) return {};
        return {k % group.columns, k / group.columns};
    }
    if (group.rows == 0) return {};
    return {k / group.rows, k % group.rows};
}

} // namespace quarn
