#include "export/svg.hpp"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "draw/scene.hpp"

namespace quarn {
namespace {

std::string number(float value) {
    std::string out;
    append_svg_number(out, value);
    return out;
}

std::string escaped(std::string_view text) {
    std::string out;
    append_svg_text(out, text);
    return out;
}

TEST(SvgNumber, ShortestRoundTripWithoutExponent) {
    struct Case {
        float value;
        const char* text;
    };
    const Case cases[] = {
        {12.0f, "12"},
        {8.5f, "8.5"},
        {-3.25f, "-3.25"},
        {0.1f, "0.1"},
        {0.3f, "0.3"},
        {99.5f, "99.5"},
        {1.0f / 3.0f, "0.33333334"},
        {16777216.0f, "16777216"},
        {1e-05f, "0.00001"},
        {1.5e-7f, "0.00000015"},
        {-1e-05f, "-0.00001"},
        {0.0025f, "0.0025"},
        {1e20f, "100000000000000000000"},
        {1.5e10f, "15000000000"},
        {123456790.0f, "123456790"},
        {1.25e-3f, "0.00125"},
        {std::numeric_limits<float>::max(), "340282350000000000000000000000000000000"},
        {std::numeric_limits<float>::denorm_min(), "0.000000000000000000000000000000000000000000001"},
        {0.0f, "0"},
        {-0.0f, "0"},
        {std::numeric_limits<float>::quiet_NaN(), "0"},
        {std::numeric_limits<float>::infinity(), "0"},
    };
    for (const Case& c : cases) EXPECT_EQ(number(c.value), c.text) << c.value;
}

TEST(SvgNumber, EveryWrittenNumberReadsBackToTheSameFloat) {
    // Bit patterns spread over all finite floats, both signs.
    for (std::uint64_t bits = 1; bits < 0xff800000u; bits += 0x3f1f) {
        const auto raw = static_cast<std::uint32_t>(bits);
        if ((raw & 0x7f800000u) == 0x7f800000u) continue; // NaN and infinity
        float value;
        std::memcpy(&value, &raw, sizeof value);
        const std::string text = number(value);
        ASSERT_EQ(text.find_first_of("eE"), std::string::npos) << text;
        float back = 0;
        const auto result = std::from_chars(text.data(), text.data() + text.size(), back);
        ASSERT_EQ(result.ptr, text.data() + text.size()) << text;
        ASSERT_EQ(back, value) << text;
        if (value == std::trunc(value)) {
            ASSERT_EQ(text.find('.'), std::string::npos) << text;
        }
    }
}

TEST(SvgText, Escaping) {
    struct Case {
        std::string_view text;
        std::string_view written;
    };
    const Case cases[] = {
        {"R&D <lab> \"main\" 'x'", "R&amp;D &lt;lab&gt; \"main\" 'x'"},
        {"a\tb\nc\rd", "a b c d"},
        {std::string_view("a\x01\x1f\0b", 5), "ab"},
        {"\x7f", "\x7f"},
        {"\u00e4\u6771\U0001f600", "\u00e4\u6771\U0001f600"},
        {"x\uffefy\ufffez\uffff", "x\uffefyz"},
        {"bad \xff byte \xc3", "bad \ufffd byte \ufffd"},
        {"overlong \xc0\xaf, surrogate \xed\xa0\x80", "overlong \ufffd\ufffd, surrogate \ufffd\ufffd\ufffd"},
        // A sequence cut short is one character, as the map file writes it.
        {"cut \xe2\x82 off \xf0\x9f\x90", "cut \ufffd off \ufffd"},
    };
    for (const Case& c : cases) EXPECT_EQ(escaped(c.text), c.written) << c.text;
}

TEST(SceneSvg, WholeDocument) {
    Scene scene;
    scene.width = 120.5f;
    scene.height = 62;
    scene.items = {
        Rect{0, 0, 120.5f, 62, Rgb{0xff, 0xff, 0xff}, std::nullopt, 0},
        Rect{16, 40, 8.5f, 3, std::nullopt, Rgb{0x0a, 0x00, 0xff}, 0.5f},
        Line{65, 88, 103, 48, 1.5f, Rgb{0, 0, 0}},
        Line{1, 2, 3, 4, 4, Rgb{0xff, 0, 0}, LineStyle::Dashed},
        Text{"A&B", 16, 26, 16, FontWeight::Bold, TextAlign::Left, Rgb{0, 0, 0}},
        Text{"1", 43, 57, 9, FontWeight::Normal, TextAlign::Centre, Rgb{0xff, 0xff, 0xff}},
        Text{"", 1, 2, 3, FontWeight::Bold, TextAlign::Centre, Rgb{1, 2, 3}},
    };
    EXPECT_EQ(
        scene_svg(scene),
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"120.5\" height=\"62\" viewBox=\"0 0 120.5 62\" "
        "font-family=\"Segoe UI, Arial, sans-serif\">\n"
        "<rect x=\"0\" y=\"0\" width=\"120.5\" height=\"62\" fill=\"#ffffff\"/>\n"
        "<rect x=\"16\" y=\"40\" width=\"8.5\" height=\"3\" fill=\"none\" stroke=\"#0a00ff\" "
        "stroke-width=\"0.5\"/>\n"
        "<line x1=\"65\" y1=\"88\" x2=\"103\" y2=\"48\" stroke=\"#000000\" stroke-width=\"1.5\"/>\n"
        "<line x1=\"1\" y1=\"2\" x2=\"3\" y2=\"4\" stroke=\"#ff0000\" stroke-width=\"4\" "
        "stroke-dasharray=\"6 4\"/>\n"
        "<text x=\"16\" y=\"26\" font-size=\"16\" fill=\"#000000\" dominant-baseline=\"central\" "
        "font-weight=\"bold\">A&amp;B</text>\n"
        "<text x=\"43\" y=\"57\" font-size=\"9\" fill=\"#ffffff\" dominant-baseline=\"central\" "
        "text-anchor=\"middle\">1</text>\n"
        "<text x=\"1\" y=\"2\" font-size=\"3\" fill=\"#010203\" dominant-baseline=\"central\" "
        "font-weight=\"bold\" text-anchor=\"middle\"></text>\n"
        "</svg>\n");
}

TEST(SceneSvg, EmptyMapIsAValidDocument) {
    SceneOptions options;
    EXPECT_EQ(scene_svg(build_scene(Map{}, options)),
              "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" viewBox=\"0 0 32 32\" "
              "font-family=\"Segoe UI, Arial, sans-serif\">\n"
              "<rect x=\"0\" y=\"0\" width=\"32\" height=\"32\" fill=\"#ffffff\"/>\n"
              "</svg>\n");
}

TEST(SceneSvg, SwitchNamesAreEscapedInTheirTitle) {
    Map map;
    Switch sw;
    sw.name = "R&D <1>\tlab\x07";
    map.switches = {sw};
    const std::string svg = scene_svg(build_scene(map, SceneOptions{}));
    EXPECT_NE(
        svg.find("<text x=\"16\" y=\"25\" font-size=\"12\" fill=\"#000000\" dominant-baseline=\"central\" "
                 "font-weight=\"bold\">R&amp;D &lt;1&gt; lab</text>\n"),
        std::string::npos)
        << svg;
}

// The lines of the SVG that start with `start`, whole.
std::vector<std::string> lines_starting(const std::string& svg, std::string_view start) {
    std::vector<std::string> found;
    std::size_t at = 0;
    while (at < svg.size()) {
        const std::size_t end = svg.find('\n', at);
        const std::string line = svg.substr(at, end - at);
        if (line.starts_with(start)) found.push_back(line);
        at = end == std::string::npos ? svg.size() : end + 1;
    }
    return found;
}

// core links left and right over trunks tagged 10; a host port of every
// switch has 10, and one of core and one of right have 20, which no trunk
// carries: 10 reaches everywhere, right is cut off from 20.
// The topology's key is one row at the top: what stands on it, and the rest.
std::pair<std::vector<std::string>, std::vector<std::string>>
split_key_row(const std::vector<std::string>& items) {
    std::pair<std::vector<std::string>, std::vector<std::string>> split;
    for (const std::string& item : items) {
        const bool on_key =
            item.find(" y=\"26\"") != std::string::npos || item.find(" y1=\"26\"") != std::string::npos;
        (on_key ? split.first : split.second).push_back(item);
    }
    return split;
}

TEST(SceneSvg, TopologyNamesAndVlanColours) {
    Map map;
    map.vlans = {{10, "Data", Rgb{0xff, 0, 0}}, {20, "Voice", Rgb{0, 0x80, 0}}};
    for (const char* name : {"core", "left", "right"}) {
        Switch sw;
        sw.name = name;
        sw.groups = {PortGroup{PortKind::Rj45, 4, 1, Numbering::Rows, 0, 0.0f}};
        for (const char* label : {"1", "2", "3", "4"}) sw.ports.push_back(Port{.label = label});
        sw.ports[0].untagged = 10;
        map.switches.push_back(sw);
    }
    map.switches[0].model = "C9500";
    map.switches[0].location = "Hall & basement";
    for (std::size_t s : {1, 2}) {
        map.switches[0].ports[s + 1].link = PortPeer{map.switches[s].name, "4"};
        map.switches[0].ports[s + 1].tagged = {10};
        map.switches[s].ports[3].link = PortPeer{"core", std::to_string(s + 2)};
        map.switches[s].ports[3].tagged = {10};
    }
    map.switches[0].ports[1].untagged = 20;
    map.switches[2].ports[1].untagged = 20;

    SceneOptions options;
    options.view.kind = ViewKind::Topology;
    auto line = [](const char* x1, const char* x2, const char* stroke) {
        return std::string("<line x1=\"") + x1 + "\" y1=\"96\" x2=\"" + x2 + "\" y2=\"168\" stroke=\"" +
               stroke + "\" stroke-width=\"1.5\"/>";
    };
    auto name = [](const char* x, const char* y, const char* text) {
        return std::string("<text x=\"") + x + "\" y=\"" + y +
               "\" font-size=\"11\" fill=\"#000000\" dominant-baseline=\"central\" font-weight=\"bold\" "
               "text-anchor=\"middle\">" +
               text + "</text>";
    };
    const std::string detail = "<text x=\"200\" y=\"83\" font-size=\"9\" fill=\"#535353\" "
                               "dominant-baseline=\"central\" text-anchor=\"middle\">C9500  -  Hall &amp; "
                               "basement</text>";
    const std::string mark = "<text x=\"300\" y=\"157\" font-size=\"9\" fill=\"#008000\" "
                             "dominant-baseline=\"central\" font-weight=\"bold\" text-anchor=\"middle\">cut "
                             "off</text>";
    struct Case {
        std::optional<std::uint16_t> vlan;
        const char* stroke;
        std::vector<std::string> outlines; // of the three boxes
        bool cut_off;
    };
    const Case cases[] = {
        {std::nullopt, "#787878", {"#787878", "#787878", "#787878"}, false},
        {10, "#ff0000", {"#ff0000", "#ff0000", "#ff0000"}, false},
        // Grey: the plain frame colour taken 0.45 of the way to the background.
        {20, "#b5b5b5", {"#008000", "#787878", "#008000"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stroke);
        options.selected_vlan = c.vlan;
        const std::string svg = scene_svg(build_scene(map, options));
        // The key's row stands above the boxes; its own texts say what each line means.
        const auto [key_lines, lines] = split_key_row(lines_starting(svg, "<line"));
        EXPECT_EQ(lines,
                  (std::vector<std::string>{line("172", "100", c.stroke), line("228", "300", c.stroke)}));
        EXPECT_EQ(key_lines.size(), c.vlan ? 3u : 2u);
        const auto [key_texts, box_texts] = split_key_row(lines_starting(svg, "<text"));
        const std::string key = std::accumulate(key_texts.begin(), key_texts.end(), std::string());
        EXPECT_NE(key.find(c.vlan ? "carried at both ends" : "LAG, with its number of ports"),
                  std::string::npos)
            << key;
        std::vector<std::string> texts{name("200", "67", "core"), detail, name("100", "190", "left")};
        if (c.cut_off) texts.push_back(mark);
        texts.push_back(name("300", "190", "right"));
        EXPECT_EQ(box_texts, texts);
        std::vector<std::string> outlines;
        for (const std::string& box : lines_starting(svg, "<rect"))
            if (box.find("width=\"168\"") != std::string::npos)
                outlines.push_back(box.substr(box.find("stroke=\"") + 8, 7));
        EXPECT_EQ(outlines, c.outlines);
        const std::string ring = "<rect x=\"212\" y=\"164\" width=\"176\" height=\"52\" fill=\"none\" "
                                 "stroke=\"#008000\" stroke-width=\"1.5\"/>";
        EXPECT_EQ(lines_starting(svg, "<rect x=\"212\""),
                  c.cut_off ? std::vector<std::string>{ring} : std::vector<std::string>{});
    }
}

} // namespace
} // namespace quarn
