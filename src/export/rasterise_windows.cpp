#include "export/rasterise.hpp"

#include <windows.h>

#include "render/gdi_renderer.hpp"
#include "win/unique.hpp"

namespace quarn {

std::optional<RasterImage> rasterise(const Scene& scene) noexcept {
    const RasterSize size = raster_size(scene.width, scene.height);
    if (size.width <= 0 || size.height <= 0) return std::nullopt;

    win::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!dc) return std::nullopt;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.width;
    info.bmiHeader.biHeight = -size.height; // top-down: the first row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    win::UniqueBitmap section(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || bits == nullptr) return std::nullopt;
    {
        win::SelectGuard selected(dc.get(), section.get());
        render::paint_scene(dc.get(), scene.items, render::ViewTransform{size.scale, 0.0f, 0.0f});
        ::GdiFlush();
    }
    const std::size_t count = static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height);
    return pack_pixels({static_cast<const std::uint32_t*>(bits), count}, size.width, size.height);
}

} // namespace quarn
