// Times rasterising the 10,400-port generated map, as Copy Image and Save
// PNG do it, and reports the process's peak memory. Google Benchmark is a
// native library here, so this Windows program times itself; run it by hand
// (under Wine on Linux: build/windows/wine-run null build/windows/bin/raster_bench.exe).
//
//   raster_bench.exe                   time the generated map
//   raster_bench.exe MAP OUT.png       save MAP's picture as a PNG, timing each step
//   raster_bench.exe MAP --print       print MAP on the default printer
#include <windows.h>

#include <commdlg.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "draw/scene.hpp"
#include "export/file_read.hpp"
#include "export/png.hpp"
#include "export/print.hpp"
#include "export/rasterise.hpp"
#include "model/generator/generated_map.hpp"
#include "model/map_file.hpp"

namespace {

using namespace quarn;

SceneOptions export_options() {
    SceneOptions options;
    options.palette = k_light_palette;
    return options;
}

double milliseconds_since(const LARGE_INTEGER& start) {
    LARGE_INTEGER now{}, frequency{};
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

int time_generated_map() {
    const Scene scene = build_scene(generate_map(GeneratedMapOptions{}), export_options());
    std::vector<double> times;
    RasterSize size = raster_size(scene.width, scene.height);
    for (int run = 0; run < 5; ++run) {
        LARGE_INTEGER start{};
        ::QueryPerformanceCounter(&start);
        auto image = rasterise(scene);
        times.push_back(milliseconds_since(start));
        if (!image) {
            std::printf("rasterising failed\n");
            return 1;
        }
    }
    std::sort(times.begin(), times.end());
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof(memory));
    std::printf("rasterise %zu items (%zu ports), scene %.0fx%.0f -> %dx%d px at scale %.3f: median %.0f ms, "
                "best %.0f ms; peak working set %.0f MiB, peak commit %.0f MiB\n",
                scene.items.size(), scene.hits.size(), scene.width, scene.height, size.width, size.height,
                size.scale, times[times.size() / 2], times.front(),
                static_cast<double>(memory.PeakWorkingSetSize) / 1048576.0,
                static_cast<double>(memory.PeakPagefileUsage) / 1048576.0);
    return 0;
}

std::optional<Map> read_map(const char* path) {
    auto read = read_map_file(path);
    if (!read.map) return std::nullopt;
    return std::move(read.map).value();
}

} // namespace

int main(int argc, char** argv) {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (argc < 3) return time_generated_map();
    auto map = read_map(argv[1]);
    if (!map) {
        std::printf("cannot load %s\n", argv[1]);
        return 1;
    }
    LARGE_INTEGER start{};
    ::QueryPerformanceCounter(&start);
    const Scene scene = build_scene(*map, export_options());
    if (std::string(argv[2]) == "--print") {
        PRINTDLGW dialog{};
        dialog.lStructSize = sizeof(dialog);
        dialog.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
        if (!::PrintDlgW(&dialog)) {
            std::printf("no default printer\n");
            return 1;
        }
        win::UniqueGlobal mode(dialog.hDevMode), names(dialog.hDevNames);
        win::UniquePrinterDc printer(dialog.hDC);
        auto plan = plan_print(printer_metrics(printer.get()), scene);
        std::size_t printed = plan ? print_pages(printer.get(), scene, *plan, argv[1]) : 0;
        std::printf("printed %zu of %zu pages\n", printed, plan ? plan->pages.size() : 0);
        return printed > 0 ? 0 : 1;
    }
    const double drawn = milliseconds_since(start);
    auto failure = save_scene_png_file(argv[2], scene);
    const double saved = milliseconds_since(start);
    const RasterSize size = raster_size(scene.width, scene.height);
    std::printf("%dx%d: %s; scene %.0f ms, paint, encode and write %.0f ms; in all %.0f ms\n", size.width,
                size.height, failure ? failure->message.c_str() : "saved", drawn, saved - drawn, saved);
    return failure ? 1 : 0;
}
