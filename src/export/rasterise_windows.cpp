#include "export/rasterise.hpp"

#include <windows.h>

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "render/gdi_renderer.hpp"
#include "win/unique.hpp"

namespace quarn {
namespace {

// A top-down 32-bit DIB section of `rows` rows selected into its own DC.
class Canvas {
  public:
    Canvas(std::int32_t width, std::int32_t rows)
        : dc_(::CreateCompatibleDC(nullptr)), width_(width), rows_(rows) {
        if (!dc_) return;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -rows; // top-down: the first row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        section_.reset(::CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
        if (section_ && bits_ != nullptr) selected_.emplace(dc_.get(), section_.get());
    }

    explicit operator bool() const noexcept { return selected_.has_value(); }

    // Paints the rows from `top` on, of a picture at `scale`, and packs the
    // first `rows` of them. The offset is the DC's, not the view's, so
    // every coordinate is rounded as in the whole picture and then moved by
    // whole pixels.
    std::optional<RasterImage> paint(const Scene& scene, float scale, std::int32_t top, std::int32_t rows) {
        // A fresh section is black; a band painted before is made so again.
        std::memset(bits_, 0, static_cast<std::size_t>(width_) * static_cast<std::size_t>(rows_) * 4);
        ::SetViewportOrgEx(dc_.get(), 0, -top, nullptr);
        render::paint_scene(dc_.get(), scene.items, render::ViewTransform{scale, 0.0f, 0.0f});
        ::GdiFlush();
        const std::size_t count = static_cast<std::size_t>(width_) * static_cast<std::size_t>(rows);
        return pack_pixels({static_cast<const std::uint32_t*>(bits_), count}, width_, rows);
    }

  private:
    win::UniqueMemoryDc dc_;
    win::UniqueBitmap section_;
    void* bits_ = nullptr;
    std::optional<win::SelectGuard> selected_;
    std::int32_t width_;
    std::int32_t rows_;
};

// Bands passed from the painting thread to the reader, two at most.
struct Handoff {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<RasterImage> ready;
    bool painted_all = false;
    bool failed = false;
    bool stop = false;
};

void paint_bands(const Scene& scene, const RasterSize& size, std::int32_t band_rows, Handoff& handoff) {
    bool failed = false;
    try {
        Canvas canvas(size.width, std::min(band_rows, size.height));
        failed = !canvas;
        for (std::int32_t top = 0; !failed && top < size.height; top += band_rows) {
            auto band = canvas.paint(scene, size.scale, top, std::min(band_rows, size.height - top));
            if (!band) {
                failed = true;
                break;
            }
            std::unique_lock lock(handoff.mutex);
            handoff.changed.wait(lock, [&] { return handoff.ready.size() < 2 || handoff.stop; });
            if (handoff.stop) break;
            handoff.ready.push_back(std::move(*band));
            handoff.changed.notify_all();
        }
    } catch (...) {
        failed = true;
    }
    std::lock_guard lock(handoff.mutex);
    handoff.painted_all = true;
    handoff.failed = failed;
    handoff.changed.notify_all();
}

} // namespace

std::optional<RasterImage> rasterise(const Scene& scene) noexcept {
    try {
        const RasterSize size = raster_size(scene.width, scene.height);
        if (size.width <= 0 || size.height <= 0) return std::nullopt;
        Canvas canvas(size.width, size.height);
        if (!canvas) return std::nullopt;
        return canvas.paint(scene, size.scale, 0, size.height);
    } catch (...) {
        return std::nullopt;
    }
}

bool rasterise_bands(const Scene& scene, std::int32_t band_rows,
                     const std::function<bool(const RasterImage&)>& take) noexcept {
    const RasterSize size = raster_size(scene.width, scene.height);
    if (size.width <= 0 || size.height <= 0 || band_rows <= 0) return false;
    Handoff handoff;
    std::thread painter;
    // However the reading ends, the painter is told to stop and is waited
    // for: it may be waiting for room for its next band.
    auto stop_painter = [&] {
        {
            std::lock_guard lock(handoff.mutex);
            handoff.stop = true;
            handoff.changed.notify_all();
        }
        if (painter.joinable()) painter.join();
    };
    try {
        painter = std::thread([&] { paint_bands(scene, size, band_rows, handoff); });
        for (;;) {
            std::unique_lock lock(handoff.mutex);
            handoff.changed.wait(lock, [&] { return !handoff.ready.empty() || handoff.painted_all; });
            if (handoff.ready.empty()) break;
            RasterImage band = std::move(handoff.ready.front());
            handoff.ready.pop_front();
            handoff.changed.notify_all();
            lock.unlock();
            if (!take(band)) {
                stop_painter();
                return false;
            }
        }
        stop_painter();
        return !handoff.failed;
    } catch (...) {
        stop_painter();
        return false;
    }
}

} // namespace quarn
