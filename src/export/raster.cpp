#include "export/raster.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace quarn {
namespace {

// ceiling(pixels), within 0..16000.
std::int32_t whole_pixels(double pixels) noexcept {
    pixels = std::ceil(pixels);
    if (!(pixels > 0.0)) return 0;
    return static_cast<std::int32_t>(std::min(pixels, static_cast<double>(k_max_raster_side)));
}

void put_u16(std::uint8_t* at, std::uint16_t value) noexcept {
    at[0] = static_cast<std::uint8_t>(value & 0xFF);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

void put_u32(std::uint8_t* at, std::uint32_t value) noexcept {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
}

} // namespace

RasterSize raster_size(float scene_width, float scene_height) noexcept {
    const double limit = k_max_raster_side;
    const double width = scene_width > 0.0f ? scene_width : 0.0;
    const double height = scene_height > 0.0f ? scene_height : 0.0;
    const double longer = std::max(width, height);
    RasterSize size;
    if (longer * 2.0 <= limit) {
        size.scale = 2.0f;
        size.width = whole_pixels(width * 2.0);
        size.height = whole_pixels(height * 2.0);
        return size;
    }
    // The sides as the exact fractions of the longer one: 12000 by 300
    // gives 16000 by 400, where 300 times the scale rounded to a float
    // would give 400.00002 and so 401 pixels.
    size.scale = static_cast<float>(limit / longer);
    size.width = whole_pixels(width * limit / longer);
    size.height = whole_pixels(height * limit / longer);
    return size;
}

std::size_t raster_stride(std::int32_t width) noexcept {
    if (width <= 0) return 0;
    return (static_cast<std::size_t>(width) * 3 + 3) & ~static_cast<std::size_t>(3);
}

std::optional<RasterImage> pack_pixels(std::span<const std::uint32_t> bgrx, std::int32_t width,
                                       std::int32_t height) noexcept {
    if (width < 0 || height < 0) return std::nullopt;
    const auto columns = static_cast<std::size_t>(width);
    const auto rows = static_cast<std::size_t>(height);
    if (bgrx.size() != columns * rows) return std::nullopt;
    RasterImage image;
    image.width = width;
    image.height = height;
    image.stride = raster_stride(width);
    try {
        image.pixels.assign(image.stride * rows, 0);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    for (std::size_t y = 0; y < rows; ++y) {
        const std::uint32_t* from = bgrx.data() + y * columns;
        std::uint8_t* to = image.pixels.data() + y * image.stride;
        for (std::size_t x = 0; x < columns; ++x) {
            const std::uint32_t pixel = from[x];
            to[3 * x] = static_cast<std::uint8_t>(pixel & 0xFF);
            to[3 * x + 1] = static_cast<std::uint8_t>((pixel >> 8) & 0xFF);
            to[3 * x + 2] = static_cast<std::uint8_t>((pixel >> 16) & 0xFF);
        }
    }
    return image;
}

std::size_t dib_size(const RasterImage& image) noexcept {
    return k_dib_header_size + image.pixels.size();
}

void write_dib(const RasterImage& image, std::span<std::uint8_t> out) noexcept {
    if (out.size() != dib_size(image)) return;
    std::uint8_t* header = out.data();
    std::memset(header, 0, k_dib_header_size);
    put_u32(header, static_cast<std::uint32_t>(k_dib_header_size));
    put_u32(header + 4, static_cast<std::uint32_t>(image.width));
    put_u32(header + 8, static_cast<std::uint32_t>(image.height)); // positive: bottom-up
    put_u16(header + 12, 1);                                       // planes
    put_u16(header + 14, 24);                                      // bits per pixel
    // Compression (BI_RGB), resolutions and colour counts stay 0.
    put_u32(header + 20, static_cast<std::uint32_t>(image.pixels.size()));
    const auto rows = static_cast<std::size_t>(image.height);
    std::uint8_t* bits = out.data() + k_dib_header_size;
    for (std::size_t y = 0; y < rows; ++y)
        std::memcpy(bits + (rows - 1 - y) * image.stride, image.pixels.data() + y * image.stride,
                    image.stride);
}

} // namespace quarn
