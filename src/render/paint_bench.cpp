// Times one full paint of a large map's scene, as the canvas paints a frame:
// into a window-sized off-screen bitmap at zoom 1, all items handed to GDI,
// in the front panel and in the VLAN breakdown.
// Google Benchmark is a native library here, so this Windows program times
// itself; run it by hand (under Wine on Linux: build/windows/wine-run null
// build/windows/bin/paint_bench.exe).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "draw/scene.hpp"
#include "model/generator/generated_map.hpp"
#include "render/gdi_renderer.hpp"
#include "win/unique.hpp"

namespace {

void time_paint(const char* view_name, const quarn::Scene& scene, HDC dc) {
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int run = 0; run < 15; ++run) {
        LARGE_INTEGER start{}, end{};
        ::QueryPerformanceCounter(&start);
        quarn::render::paint_scene(dc, scene.items, quarn::render::ViewTransform{});
        ::GdiFlush();
        ::QueryPerformanceCounter(&end);
        times.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                        static_cast<double>(frequency.QuadPart));
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "%s: paint of %zu items (%zu hit regions), 1600x1000 at zoom 1: median %.1f ms, best %.1f ms\n",
        view_name, scene.items.size(), scene.hits.size(), times[times.size() / 2], times.front());
}

} // namespace

int main() {
    using namespace quarn;
    Map map = generate_map(GeneratedMapOptions{});

    win::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 1600;
    info.bmiHeader.biHeight = -1000;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    win::UniqueBitmap bitmap(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    win::SelectGuard keep(dc.get(), bitmap.get());

    time_paint("front panel", build_scene(map, SceneOptions{}), dc.get());
    SceneOptions breakdown;
    breakdown.view = {ViewKind::VlanBreakdown, false};
    time_paint("VLAN breakdown", build_scene(map, breakdown), dc.get());
    return 0;
}
