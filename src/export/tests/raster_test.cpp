#include "export/raster.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace quarn {
namespace {

TEST(Raster, SizeIsTwiceTheSceneUnlessASideWouldPassSixteenThousand) {
    struct Case {
        float width, height;
        RasterSize expected;
    };
    const Case cases[] = {
        {1000.0f, 500.0f, {2.0f, 2000, 1000}},
        {8000.0f, 16.0f, {2.0f, 16000, 32}},           // exactly at the limit
        {12000.0f, 300.0f, {4.0f / 3.0f, 16000, 400}}, // 300 * 4/3 is 400, not 401
        {300.0f, 12000.0f, {4.0f / 3.0f, 400, 16000}},
        {100000.0f, 100000.0f, {0.16f, 16000, 16000}},
        {100.5f, 16.25f, {2.0f, 201, 33}}, // fractions round up
        {0.0f, 0.0f, {2.0f, 0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(raster_size(c.width, c.height), c.expected) << c.width << " x " << c.height;
    }
}

TEST(Raster, RowsArePaddedToFourBytes) {
    const std::pair<int, std::size_t> strides[] = {{0, 0}, {1, 4}, {3, 12}, {4, 12}, {5, 16}, {16000, 48000}};
    for (auto [width, stride] : strides) EXPECT_EQ(raster_stride(width), stride) << width;
}

TEST(Raster, PackingKeepsBlueGreenRedAndZeroesThePadding) {
    // Two rows of three pixels, the unused byte set so that it must be dropped.
    const std::vector<std::uint32_t> bgrx = {0xFF030201, 0xFF060504, 0xFF090807,
                                             0xFF0C0B0A, 0xFF0F0E0D, 0xFF121110};
    auto image = pack_pixels(bgrx, 3, 2);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->stride, 12u);
    EXPECT_EQ(image->pixels, (std::vector<std::uint8_t>{1,  2,  3,  4,  5,  6,  7,  8,  9,  0, 0, 0,    //
                                                        10, 11, 12, 13, 14, 15, 16, 17, 18, 0, 0, 0})); //
    EXPECT_FALSE(pack_pixels(bgrx, 3, 3)) << "fewer pixels than the size says";
    EXPECT_FALSE(pack_pixels(bgrx, -3, -2));
}

TEST(Raster, ClipboardBitmapHasTheHeaderAndTheFirstRowAtItsEnd) {
    RasterImage image;
    image.width = 1;
    image.height = 3;
    image.stride = 4;
    image.pixels = {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0};
    std::vector<std::uint8_t> dib(dib_size(image), 0xEE);
    ASSERT_EQ(dib.size(), 52u);
    write_dib(image, dib);
    const std::vector<std::uint8_t> expected = {
        40, 0, 0, 0,                                     // header size
        1,  0, 0, 0,                                     // width
        3,  0, 0, 0,                                     // height, positive: bottom-up
        1,  0,                                           // planes
        24, 0,                                           // bits per pixel
        0,  0, 0, 0,                                     // no compression
        12, 0, 0, 0,                                     // size of the pixel bytes
        0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // resolutions and colour counts
        7,  8, 9, 0, 4, 5, 6, 0, 1, 2, 3, 0,             // last row first
    };
    EXPECT_EQ(dib, expected);
}

} // namespace
} // namespace quarn
