#include "export/svg.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "common/utf8.hpp"

namespace quarn {
namespace {

void append_color(std::string& out, Rgb color) {
    static constexpr char digits[] = "0123456789abcdef";
    out += '#';
    for (std::uint8_t part : {color.red, color.green, color.blue}) {
        out += digits[part >> 4];
        out += digits[part & 0xf];
    }
}

void append_attribute(std::string& out, std::string_view name, float value) {
    out += ' ';
    out += name;
    out += "=\"";
    append_svg_number(out, value);
    out += '"';
}

void append_attribute(std::string& out, std::string_view name, Rgb color) {
    out += ' ';
    out += name;
    out += "=\"";
    append_color(out, color);
    out += '"';
}

void append_attribute(std::string& out, std::string_view name, std::string_view value) {
    out += ' ';
    out += name;
    out += "=\"";
    out += value;
    out += '"';
}

} // namespace

void append_svg_number(std::string& out, float value) {
    // NaN and infinities have no place in a picture; -0 reads better as 0.
    if (!std::isfinite(value) || value == 0.0f) {
        out += '0';
        return;
    }
    // Whole numbers below 2^24 are exact in a float and need all their digits.
    if (std::fabs(value) < 16777216.0f && value == std::trunc(value)) {
        std::array<char, 16> digits;
        const auto end =
            std::to_chars(digits.data(), digits.data() + digits.size(), static_cast<long>(value));
        out.append(digits.data(), end.ptr);
        return;
    }
    // Otherwise the shortest digits that read back to the same float, from
    // the exponent form, written out in full (1e-05 as 0.00001, 1e+20 as
    // 100000000000000000000). The fixed form is no help: for big numbers it
    // gives the float's exact digits (123456792) where fewer do (123456790).
    std::array<char, 64> buffer;
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::scientific);
    const std::string_view shortest(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
    const std::size_t e = shortest.find('e');
    std::string_view mantissa = shortest.substr(0, e);
    if (mantissa.front() == '-') {
        out += '-';
        mantissa.remove_prefix(1);
    }
    std::string digits;
    for (char c : mantissa)
        if (c != '.') digits += c;
    int exponent = 0;
    std::string_view exponent_text = shortest.substr(e + 1);
    if (exponent_text.front() == '+') exponent_text.remove_prefix(1);
    std::from_chars(exponent_text.data(), exponent_text.data() + exponent_text.size(), exponent);
    // The point stands after digit number exponent + 1.
    const int count = static_cast<int>(digits.size());
    if (exponent >= count - 1) {
        out += digits;
        out.append(static_cast<std::size_t>(exponent - (count - 1)), '0');
    } else if (exponent >= 0) {
        out.append(digits, 0, static_cast<std::size_t>(exponent + 1));
        out += '.';
        out.append(digits, static_cast<std::size_t>(exponent + 1));
    } else {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    }
}

void append_svg_text(std::string& out, std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            switch (c) {
            case '\t':
            case '\n':
            case '\r':
                out += ' ';
                break;
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                if (c >= 0x20) out += static_cast<char>(c);
                break;
            }
            ++i;
            continue;
        }
        const Utf8Character character = utf8_character(text, i);
        if (character.text != "\xef\xbf\xbe" && character.text != "\xef\xbf\xbf") out += character.text;
        i += character.length;
    }
}

namespace {

// One element per item, in list order.
struct SvgWriter {
    std::string& out;

    void operator()(const Rect& rect) {
        out += "<rect";
        append_attribute(out, "x", rect.x);
        append_attribute(out, "y", rect.y);
        append_attribute(out, "width", rect.width);
        append_attribute(out, "height", rect.height);
        if (rect.fill) {
            append_attribute(out, "fill", *rect.fill);
        } else {
            append_attribute(out, "fill", std::string_view("none"));
        }
        if (rect.outline) {
            append_attribute(out, "stroke", *rect.outline);
            append_attribute(out, "stroke-width", rect.outline_width);
        }
        out += "/>\n";
    }

    void operator()(const Line& line) {
        out += "<line";
        append_attribute(out, "x1", line.x1);
        append_attribute(out, "y1", line.y1);
        append_attribute(out, "x2", line.x2);
        append_attribute(out, "y2", line.y2);
        append_attribute(out, "stroke", line.color);
        append_attribute(out, "stroke-width", line.width);
        if (line.style == LineStyle::Dashed)
            append_attribute(out, "stroke-dasharray", std::string_view("6 4"));
        out += "/>\n";
    }

    void operator()(const TextRef& text) {
        out += "<text";
        append_attribute(out, "x", text.x);
        append_attribute(out, "y", text.y);
        append_attribute(out, "font-size", text.size);
        append_attribute(out, "fill", text.color);
        append_attribute(out, "dominant-baseline", std::string_view("central"));
        if (text.weight == FontWeight::Bold) append_attribute(out, "font-weight", std::string_view("bold"));
        if (text.align == TextAlign::Centre) append_attribute(out, "text-anchor", std::string_view("middle"));
        out += '>';
        append_svg_text(out, text.text);
        out += "</text>\n";
    }
};

} // namespace

std::string scene_svg(const Scene& scene) {
    std::string out;
    out.reserve(128 + scene.items.size() * 96);
    out += "<svg";
    append_attribute(out, "xmlns", std::string_view("http://www.w3.org/2000/svg"));
    append_attribute(out, "width", scene.width);
    append_attribute(out, "height", scene.height);
    out += " viewBox=\"0 0 ";
    append_svg_number(out, scene.width);
    out += ' ';
    append_svg_number(out, scene.height);
    out += '"';
    append_attribute(out, "font-family", std::string_view("Segoe UI, Arial, sans-serif"));
    out += ">\n";

    scene.items.visit(SvgWriter{out});
    out += "</svg>\n";
    return out;
}

} // namespace quarn
