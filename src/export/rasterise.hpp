#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "draw/scene.hpp"
#include "export/raster.hpp"

namespace quarn {

// Paints the scene into an off-screen 32-bit DIB section at raster_size's
// scale and packs it into a 24-bit image. Nothing when the section (or the
// memory for the image) cannot be had.
[[nodiscard]] std::optional<RasterImage> rasterise(const Scene& scene) noexcept;

// The same picture, `band_rows` rows at a time: a thread of its own paints
// the bands top to bottom, and `take` gets each, packed, on the calling
// thread while the next is painted, so that a slow reader (an encoder)
// and the painting overlap and no whole picture is ever held. The bands
// read, one under the other, as the image `rasterise` gives. False when a
// band could not be painted, or when `take` said to stop.
[[nodiscard]] bool rasterise_bands(const Scene& scene, std::int32_t band_rows,
                                   const std::function<bool(const RasterImage&)>& take) noexcept;

} // namespace quarn
