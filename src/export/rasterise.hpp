#pragma once

#include <optional>

#include "draw/scene.hpp"
#include "export/raster.hpp"

namespace quarn {

// Paints the scene into an off-screen 32-bit DIB section at raster_size's
// scale and packs it into a 24-bit image. Nothing when the section (or the
// memory for the image) cannot be had.
[[nodiscard]] std::optional<RasterImage> rasterise(const Scene& scene) noexcept;

} // namespace quarn
