#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

#include "draw/scene.hpp"
#include "export/raster.hpp"

namespace quarn {

// The image as a PNG file of 24-bit BGR pixels, made by the Windows Imaging
// Component. Needs COM on the calling thread.
[[nodiscard]] HRESULT encode_png(const RasterImage& image, std::string& png) noexcept;

// The scene's picture, as `rasterise` draws it, as a PNG file: painted and
// encoded band by band at once, so that the encoder need not wait for the
// whole picture nor the whole picture be held. `k_picture_not_drawn` when
// a band could not be painted.
inline constexpr HRESULT k_picture_not_drawn = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, 0x0201);
[[nodiscard]] HRESULT encode_scene_png(const Scene& scene, std::string& png) noexcept;

// Encodes the image and writes it with safe_write, which puts it in the
// temporary file beside the target and then in the target's place. Nothing
// on success, else the system's error text; on failure the target is as it
// was and no temporary file is left.
[[nodiscard]] std::optional<std::string> save_png_file(const std::filesystem::path& target,
                                                       const RasterImage& image) noexcept;

// The same for the scene's picture, encoded as `encode_scene_png` does.
struct PngFailure {
    bool not_drawn = false; // the picture could not be painted; else encoding or writing failed
    std::string message;
};
[[nodiscard]] std::optional<PngFailure> save_scene_png_file(const std::filesystem::path& target,
                                                            const Scene& scene) noexcept;

} // namespace quarn
