#pragma once

#include <optional>
#include <ostream>
#include <variant>

#include "draw/scene.hpp"

// Readable failure output for scene comparisons.
namespace quarn {

inline void print_colour(std::ostream& out, const std::optional<Rgb>& colour) {
    out << (colour ? rgb_text(*colour) : "none");
}

inline void PrintTo(const Rect& r, std::ostream* out) {
    *out << "Rect{" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ", ";
    print_colour(*out, r.fill);
    *out << ", ";
    print_colour(*out, r.outline);
    *out << ", " << r.outline_width << "}";
}

inline void PrintTo(const Line& l, std::ostream* out) {
    *out << "Line{" << l.x1 << ", " << l.y1 << ", " << l.x2 << ", " << l.y2 << ", " << l.width << ", "
         << rgb_text(l.colour) << "}";
}

inline void PrintTo(const Text& t, std::ostream* out) {
    *out << "Text{\"" << t.text << "\", " << t.x << ", " << t.y << ", " << t.size << ", "
         << (t.bold ? "bold" : "plain") << ", " << (t.centred ? "centred" : "left") << ", "
         << rgb_text(t.colour) << "}";
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
