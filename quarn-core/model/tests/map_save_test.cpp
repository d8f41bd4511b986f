#include "model/generator/generated_map.hpp"
#include "model/json_text.hpp"
#include "model/map_file.hpp"
#include "reference_json.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace quarn {
namespace {

Map small_map() {
    Map map;
    map.site = "HQ";
    map.notes = "line one\nline two";
    map.vlans = {{10, "Data", {10, 0, 255}}};
    Switch sw;
    sw.name = "core";
    sw.location = "";
    sw.model = "X";
    sw.groups = {{PortKind::Sfp, 2, 1, Numbering::Rows, 0, 0.1f}};
    sw.ports = {Port{.label = "1", .untagged = 10, .tagged = {20, 30}, .link = PortPeer{"edge", "49"}},
                Port{.label = "2", .disabled = true}};
    sw.lags = {Lag{.name = "Trk1", .members = {"2"}}};
    map.switches = {sw};
    return map;
}

// The layout of real files is pinned by the example maps, which load and
// save byte for byte; the library's printer covers every field and value.
TEST(SaveMap, MatchesTheLibraryPrettyPrinterByteForByte) {
    for (std::uint32_t seed : {1u, 2u, 3u}) {
        Map map = generate_map({.switches = 12, .vlans = 30, .seed = seed});
        map.format = seed;
        EXPECT_EQ(save_map(map), testing::reference_text(map)) << seed;
    }
    EXPECT_EQ(save_map(small_map()), testing::reference_text(small_map()));
    EXPECT_EQ(save_map(Map{}),
              "{\n  \"format\": 1,\n  \"site\": \"\",\n  \"notes\": \"\",\n  \"vlans\": [],\n"
              "  \"switches\": []\n}");
}

TEST(SaveMap, EscapesTextsAsTheLibraryDoes) {
    std::string every_control;
    for (char c = 0; c < 0x20; ++c) every_control += c;
    const std::string texts[] = {
        every_control,
        "quote \" backslash \\ slash / delete \x7f",
        "Grüße, 東京, 🐧 emoji",
        std::string("nul \0 inside", 12),
        // Not UTF-8: a stray continuation byte, a cut-off sequence, an
        // overlong form, a surrogate, a lead byte at the very end.
        "a\x80z",
        "b\xe2\x82z",
        "c\xc0\xafz",
        "d\xed\xa0\x80z",
        "e\xf0\x9f\x90",
        "f\xf4\x90\x80\x80z",
        "\xff\xfe",
    };
    for (const std::string& text : texts) {
        Map map;
        map.site = text;
        map.notes = text + text;
        map.vlans = {{1, text, {}}};
        std::string saved = save_map(map);
        EXPECT_EQ(saved, testing::reference_text(map)) << text;

        // Whatever the text held, the file loads, and saving what it gave
        // changes nothing any more.
        auto loaded = load_map(saved);
        ASSERT_TRUE(loaded.ok()) << loaded.error();
        EXPECT_EQ(save_map(loaded.value()), saved);
    }
}

TEST(SaveMap, FloatsAreTheShortestTextThatReadsBack) {
    struct Case {
        float value;
        const char* text;
    };
    const Case cases[] = {{0.0f, "0.0"},
                          {1.5f, "1.5"},
                          {0.1f, "0.1"},
                          {-0.0f, "-0.0"},
                          {2.0f, "2.0"},
                          {100.0f, "100.0"},
                          {0.3333333f, "0.3333333"},
                          {1e-4f, "0.0001"},
                          {1e-5f, "1e-05"},
                          {123456.0f, "123456.0"},
                          {1234567.0f, "1.234567e+06"},
                          {1e7f, "1e+07"},
                          {3.4028235e38f, "3.4028235e+38"},
                          {1e-45f, "1e-45"},
                          {235001000.0f, "2.35001e+08"}};
    for (const Case& c : cases) {
        std::string text;
        json_text::append_float(text, c.value);
        EXPECT_EQ(text, c.text);
    }

    // Against the library's own float printer over many bit patterns. Its
    // Grisu2 digits are not always the shortest (235001000 comes out as
    // 2.3500099e+08 where 2.35001e+08 reads back the same) nor the closest;
    // where they differ ours must be no longer, and both must read back.
    std::uint32_t bits = 12345;
    int shorter = 0;
    for (int i = 0; i < 200000; ++i) {
        bits = bits * 1664525u + 1013904223u;
        float value = std::bit_cast<float>(bits);
        if (!std::isfinite(value)) continue;
        std::string text;
        json_text::append_float(text, value);
        std::string reference = testing::ReferenceJson(value).dump();
        if (text != reference) {
            ++shorter;
            ASSERT_LE(text.size(), reference.size()) << text << " " << reference;
            ASSERT_EQ(std::strtof(reference.c_str(), nullptr), value) << reference;
        }
        ASSERT_EQ(std::bit_cast<std::uint32_t>(std::strtof(text.c_str(), nullptr)), bits) << text;
    }
    EXPECT_LT(shorter, 2000); // about 0.4% of all bit patterns

    // Values that people type (up to six significant digits) come out the
    // same as the library writes them.
    for (int k = -200000; k <= 200000; ++k) {
        for (float value : {static_cast<float>(k) / 1000.0f, static_cast<float>(k) * 1e-7f}) {
            std::string text;
            json_text::append_float(text, value);
            ASSERT_EQ(text, testing::ReferenceJson(value).dump());
        }
    }
}

TEST(SaveMap, AGapThatIsNotFiniteIsWrittenAsNoGapSoTheFileStillOpens) {
    Map map = small_map();
    for (float gap : {std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
                      std::numeric_limits<float>::quiet_NaN()}) {
        map.switches[0].groups[0].gap_after = gap;
        std::string saved = save_map(map);
        EXPECT_NE(saved.find("\"gap_after\": 0.0\n"), std::string::npos);
        auto loaded = load_map(saved);
        ASSERT_TRUE(loaded.ok()) << loaded.error();
        EXPECT_EQ(loaded.value().switches[0].groups[0].gap_after, 0.0f);
    }
}

TEST(SaveMap, GeneratedMapsRoundTripAndAreFixedPoints) {
    for (GeneratedMapOptions options :
         {GeneratedMapOptions{.switches = 0, .vlans = 0}, GeneratedMapOptions{.switches = 1, .vlans = 0},
          GeneratedMapOptions{.switches = 7, .vlans = 5, .seed = 9},
          GeneratedMapOptions{.switches = 40, .vlans = 500, .seed = 4}}) {
        Map map = generate_map(options);
        std::string saved = save_map(map);
        auto loaded = load_map(saved);
        ASSERT_TRUE(loaded.ok()) << loaded.error();
        EXPECT_EQ(loaded.value(), map);
        EXPECT_EQ(save_map(loaded.value()), saved);
    }
}

TEST(GenerateMap, IsDeterministicAndShapedAsPromised) {
    Map map = generate_map({});
    EXPECT_EQ(map, generate_map({}));
    EXPECT_NE(map, generate_map({.seed = 2}));
    ASSERT_EQ(map.switches.size(), 200u);
    ASSERT_EQ(map.vlans.size(), 40u);
    std::size_t ports = 0, disabled = 0, links = 0, lags = 0;
    for (const Switch& sw : map.switches) {
        ports += sw.ports.size();
        for (const Port& port : sw.ports) {
            disabled += port.disabled;
            links += port.link.has_value();
        }
        lags += sw.lags.size();
    }
    EXPECT_EQ(ports, 10400u);
    EXPECT_EQ(links, 2 * 199u);
    EXPECT_EQ(lags, 200u);
    EXPECT_GT(disabled, 0u);
    EXPECT_EQ(map.switches[0].ports[0].label, "Gi1/0/1");
    EXPECT_EQ(map.switches[0].ports[51].label, "Te1/1/4");
    EXPECT_EQ(find_damage(map), std::nullopt);
    EXPECT_EQ(generate_map({.switches = 3, .vlans = 4094}).vlans.back().id, 4094);
}

} // namespace
} // namespace quarn
