#include "draw/colors.hpp"

#include <gtest/gtest.h>

#include "draw/tests/fixtures.hpp"

namespace quarn {
namespace {

TEST(Colors, MixRoundsHalvesAwayFromZeroAndClamps) {
    struct Case {
        Rgb a;
        Rgb b;
        float t;
        Rgb expected;
    };
    const Case cases[] = {
        {k_black, k_white, 0.5f, {128, 128, 128}}, // 127.5 goes up
        {k_white, k_black, 0.5f, {128, 128, 128}}, // 255 - 127.5 = 127.5 goes up too
        {{10, 20, 30}, {11, 21, 31}, 0.5f, {11, 21, 31}},
        {{10, 20, 30}, {200, 100, 0}, 0.0f, {10, 20, 30}},
        {{10, 20, 30}, {200, 100, 0}, 1.0f, {200, 100, 0}},
        {{100, 100, 100}, {200, 0, 250}, 2.0f, {255, 0, 255}}, // beyond the ends: clamped
        {{100, 100, 100}, {200, 0, 250}, -1.0f, {0, 200, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(mix(c.a, c.b, c.t), c.expected) << rgb_text(c.a) << " " << rgb_text(c.b) << " " << c.t;
    }
}

TEST(Colors, LightnessThresholdIsStrictlyAbove140) {
    struct Case {
        Rgb color;
        float luminance;
        Rgb text;
    };
    const Case cases[] = {
        {{1, 231, 36}, 140.0f, k_white},        // exactly 140 counts as dark
        {{140, 140, 140}, 140.0f, k_white},     //
        {{0, 201, 194}, 140.103f, k_black},     // 140.1 is light
        {k_white, 255.0f, k_black},             //
        {k_black, 0.0f, k_white},               //
        {{0xff, 0x00, 0x90}, 92.661f, k_white}, // the light highlight
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(luminance(c.color), c.luminance, 0.001f) << rgb_text(c.color);
        EXPECT_EQ(text_on(c.color), c.text) << rgb_text(c.color);
    }
}

TEST(Colors, LanesCycleAndLightenOnADarkBackground) {
    EXPECT_EQ(lane_color(0, k_light_palette), (Rgb{0x37, 0x47, 0x4f}));
    EXPECT_EQ(lane_color(5, k_light_palette), (Rgb{0x4a, 0x14, 0x8c}));
    EXPECT_EQ(lane_color(6, k_light_palette), lane_color(0, k_light_palette)); // the seventh
    EXPECT_EQ(lane_color(0, k_dark_palette), (Rgb{0xa5, 0xac, 0xb0}));
    EXPECT_EQ(lane_color(13, k_dark_palette), mix({0x88, 0x0e, 0x4f}, k_white, 0.55f));
}

} // namespace
} // namespace quarn
