#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace quarn {

// The picture as pixels: rows top to bottom, each pixel blue, green, red,
// each row padded with zero bytes to a multiple of four.
struct RasterImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::size_t stride = 0;
    std::vector<std::uint8_t> pixels;

    bool operator==(const RasterImage&) const = default;
};

// How large a scene of W by H units is drawn: twice its size, unless a side
// would then exceed 16000 pixels.
struct RasterSize {
    float scale = 0.0f;
    std::int32_t width = 0;
    std::int32_t height = 0;

    bool operator==(const RasterSize&) const = default;
};

inline constexpr std::int32_t k_max_raster_side = 16000;

[[nodiscard]] RasterSize raster_size(float scene_width, float scene_height) noexcept;

// (width times 3 + 3) rounded down to a multiple of 4.
[[nodiscard]] std::size_t raster_stride(std::int32_t width) noexcept;

// Packs 32-bit pixels (blue, green, red, unused; rows top to bottom without
// padding, as a top-down DIB section holds them) into a RasterImage. Nothing
// when the memory cannot be had or the sizes do not match.
[[nodiscard]] std::optional<RasterImage> pack_pixels(std::span<const std::uint32_t> bgrx, std::int32_t width,
                                                     std::int32_t height) noexcept;

// The device-independent bitmap of the clipboard: a 40-byte
// BITMAPINFOHEADER (24 bits, uncompressed, positive height, so bottom-up)
// followed by the rows in reverse order.
inline constexpr std::size_t k_dib_header_size = 40;
[[nodiscard]] std::size_t dib_size(const RasterImage& image) noexcept;
// Fills `out`, which holds exactly dib_size(image) bytes.
void write_dib(const RasterImage& image, std::span<std::uint8_t> out) noexcept;

} // namespace quarn
