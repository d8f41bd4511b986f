#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <variant>

#include "draw/scene.hpp"

namespace quarn {

// The light palette's colours that scenes are compared against.
inline constexpr Rgb k_black{0, 0, 0};
inline constexpr Rgb k_white{0xff, 0xff, 0xff};
inline constexpr Rgb k_red{0xff, 0, 0};
inline constexpr Rgb k_green{0, 0xff, 0};
inline constexpr Rgb k_blue{0, 0, 0xff};
inline constexpr Rgb k_panel{0xee, 0xee, 0xee};
inline constexpr Rgb k_frame{0x78, 0x78, 0x78};

// One row of RJ45 places with ports labelled 1, 2, ...
inline Switch row_switch(std::string name, std::uint16_t columns) {
    Switch sw;
    sw.name = std::move(name);
    sw.groups = {PortGroup{PortKind::Rj45, columns, 1, Numbering::Rows, 0, 0.0f}};
    for (std::uint16_t i = 0; i < columns; ++i) sw.ports.push_back(Port{.label = std::to_string(i + 1)});
    return sw;
}

// VLAN 10 "Data" in red and 20 "Voice" in green, no switches.
inline Map two_vlans() {
    Map map;
    map.vlans = {{10, "Data", k_red}, {20, "Voice", k_green}};
    return map;
}

// Readable failure output for scene comparisons.
inline void print_color(std::ostream& out, const std::optional<Rgb>& color) {
    out << (color ? rgb_text(*color) : "none");
}

inline void PrintTo(const Rect& r, std::ostream* out) {
    *out << "Rect{" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ", ";
    print_color(*out, r.fill);
    *out << ", ";
    print_color(*out, r.outline);
    *out << ", " << r.outline_width << "}";
}

inline void PrintTo(const Line& l, std::ostream* out) {
    *out << "Line{" << l.x1 << ", " << l.y1 << ", " << l.x2 << ", " << l.y2 << ", " << l.width << ", "
         << rgb_text(l.color) << (l.style == LineStyle::Dashed ? ", dashed" : "") << "}";
}

inline void PrintTo(const Text& t, std::ostream* out) {
    *out << "Text{\"" << t.text << "\", " << t.x << ", " << t.y << ", " << t.size << ", "
         << (t.weight == FontWeight::Bold ? "bold" : "plain") << ", "
         << (t.align == TextAlign::Centre ? "centred" : "left") << ", " << rgb_text(t.color) << "}";
}

inline void PrintTo(const SceneItem& item, std::ostream* out) {
    std::visit([out](const auto& shape) { PrintTo(shape, out); }, item);
}

inline void PrintTo(const Span& s, std::ostream* out) {
    *out << "[" << s.top << ", " << s.bottom << "]";
}

inline void PrintTo(const HitRegion& h, std::ostream* out) {
    *out << "Hit{" << h.x << ", " << h.y << ", " << h.width << ", " << h.height << ", " << h.switch_index
         << ", " << h.port_index << "}";
}

} // namespace quarn
