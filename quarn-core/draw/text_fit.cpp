#include "draw/text_fit.hpp"

namespace quarn {
namespace {

bool is_continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xc0) == 0x80;
}

// Byte offset at which character `n` starts (the size when there are fewer).
std::size_t offset_of(std::string_view text, std::size_t n) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (is_continuation(text[i])) continue;
        if (seen == n) return i;
        ++seen;
    }
    return text.size();
}

// Upper bound of one character's advance in ems, from its first byte.
float widest_advance(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead >= 0xe1) return 1.0f;  // from U+1100 on: wide scripts
    if (lead >= 0x80) return 0.72f; // accented capitals among them
    switch (lead) {
    case 'M':
    case 'W':
    case 'm':
    case 'w':
    case '@':
    case '%':
        return 0.95f;
    default:
        return lead >= 'A' && lead <= 'Z' ? 0.72f : 0.56f;
    }
}

} // namespace

std::string cut_text_to_width(std::string_view text, float width, float size) {
    const float ellipsis = 3 * 0.56f * size;
    float used = 0.0f;
    std::size_t fits_with_ellipsis = 0; // bytes of the start that leave room for "..."
    for (std::size_t i = 0; i < text.size();) {
        used += widest_advance(text, i) * size;
        std::size_t next = i + 1;
        while (next < text.size() && is_continuation(text[next])) ++next;
        if (used + ellipsis <= width) fits_with_ellipsis = next;
        i = next;
    }
    if (used <= width) return std::string(text);
    std::string cut(text.substr(0, fits_with_ellipsis));
    cut += "...";
    return cut;
}

std::size_t code_points(std::string_view text) {
    std::size_t count = 0;
    for (char c : text)
        if (!is_continuation(c)) ++count;
    return count;
}

std::string cut_text(std::string_view text, std::size_t limit) {
    if (code_points(text) <= limit) return std::string(text);
    const std::size_t keep = limit > 3 ? limit - 3 : 0;
    std::string cut(text.substr(0, offset_of(text, keep)));
    cut += "...";
    return cut;
}

std::string tail_text(std::string_view text, std::size_t limit) {
    const std::size_t count = code_points(text);
    if (count <= limit) return std::string(text);
    const std::size_t keep = limit > 1 ? limit - 1 : 0;
    std::string cut = "\u2026";
    cut += text.substr(offset_of(text, count - keep));
    return cut;
}

std::string short_port_label(std::string_view label, std::size_t limit) {
    if (code_points(label) <= limit) return std::string(label);
    const std::size_t slash = label.rfind('/');
    if (slash != std::string_view::npos && code_points(label.substr(slash)) + 1 <= limit)
        return std::string("\u2026").append(label.substr(slash));
    return tail_text(label, limit);
}

float estimated_text_width(std::string_view text, float size, FontWeight weight) {
    const float narrow = weight == FontWeight::Bold ? 0.62f : 0.56f;
    float em = 0.0f;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        // Wide scripts (from U+1100 on, three-byte and longer sequences) take
        // about a full em.
        em += lead >= 0xe1 ? 1.0f : narrow;
        ++i;
        while (i < text.size() && is_continuation(text[i])) ++i;
    }
    return em * size;
}

} // namespace quarn
