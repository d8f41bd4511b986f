#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

#include "export/raster.hpp"

namespace quarn {

// The image as a PNG file of 24-bit BGR pixels, made by the Windows Imaging
// Component. Needs COM on the calling thread.
[[nodiscard]] HRESULT encode_png(const RasterImage& image, std::string& png) noexcept;

// Encodes the image and writes it with safe_write, which puts it in the
// temporary file beside the target and then in the target's place. Nothing
// on success, else the system's error text; on failure the target is as it
// was and no temporary file is left.
[[nodiscard]] std::optional<std::string> save_png_file(const std::filesystem::path& target,
                                                       const RasterImage& image) noexcept;

} // namespace quarn
