// How long the real program takes to open a big map and paint it: starts
// quarn.exe with the generated map of 1,000 switches (52,000 ports), or of
// the number given, and times from the start of the process to the moment
// the title names the map and the canvas has nothing left to paint; the
// same for a small map, so what the map itself costs can be read apart from
// starting the program. Run by hand (under Wine on Linux:
// build/windows/wine-run gui build/windows/bin/open_paint_probe.exe [SWITCHES]).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/canvas_window.hpp"
#include "app/main_window.hpp"
#include "driver.hpp"
#include "model/generator/generated_map.hpp"
#include "model/map_file.hpp"

namespace {

using namespace std::chrono_literals;
using quarn::testing::AppProcess;

// Milliseconds from the start of quarn.exe with `path` until its map is
// shown; a negative number when it never was.
double open_and_paint(const std::filesystem::path& path) {
    const auto start = std::chrono::steady_clock::now();
    auto app =
        AppProcess::start(quarn::testing::beside_this_program(L"quarn.exe"), L"\"" + path.wstring() + L"\"");
    if (!app) return -1.0;
    HWND main = app->wait_for_window(quarn::app::k_main_window_class, 60s);
    if (main == nullptr) return -1.0;
    const std::wstring title = path.filename().wstring() + L" - Quarn";
    HWND canvas = nullptr;
    // The title is set once the map is in; the canvas then has an update
    // region until its paint has run.
    for (int i = 0; i < 60000; ++i) {
        if (canvas == nullptr) canvas = ::FindWindowExW(main, nullptr, quarn::app::k_canvas_class, nullptr);
        if (canvas != nullptr && AppProcess::window_text(main) == title &&
            AppProcess::send(main, WM_NULL).has_value() && !::GetUpdateRect(canvas, nullptr, FALSE))
            break;
        ::Sleep(1);
    }
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    if (!app->wait_exit(30s)) return -1.0;
    return ms;
}

void write_map(const std::filesystem::path& path, std::size_t switches) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << quarn::save_map(quarn::generate_map({.switches = switches}));
}

} // namespace

int main(int argc, char** argv) {
    const std::size_t switches = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000;
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, temp);
    const auto big = std::filesystem::path(temp) / L"open-paint-probe.quarn";
    const auto small = std::filesystem::path(temp) / L"open-paint-probe-small.quarn";
    write_map(big, switches);
    write_map(small, 1);
    // The first start warms the prefix's caches (fonts, the desktop).
    (void)open_and_paint(small);
    for (int run = 0; run < 3; ++run)
        std::printf("1 switch: %.0f ms; %zu switches: %.0f ms\n", open_and_paint(small), switches,
                    open_and_paint(big));
    std::filesystem::remove(big);
    std::filesystem::remove(small);
    return 0;
}
