// What the undo history costs the real program: opens the 200-switch map
// (10,400 ports) in quarn.exe, records 200 switch moves through WM_COMMAND
// and prints the process's memory before and after, and after undoing them
// all. Run by hand (under Wine on Linux: build/windows/wine-run null
// build/windows/bin/undo_memory_probe.exe).
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/commands.hpp"
#include "app/main_window.hpp"
#include "driver.hpp"
#include "model/generator/generated_map.hpp"
#include "model/map_file.hpp"

namespace {

using namespace std::chrono_literals;
using quarn::testing::AppProcess;

// The working set in MiB, or a negative number when it cannot be read.
// (Wine reports no private bytes; the working set grows with every page the
// history touches.)
double working_set(DWORD process_id) {
    quarn::win::UniqueHandle process(
        ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process_id));
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!process || !::GetProcessMemoryInfo(process.get(), &counters, sizeof(counters))) return -1.0;
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

// Commands are sent, so each has run when the call returns; the scene of
// the last one is painted before the memory is read.
bool send_commands(HWND main, int id, int count) {
    for (int i = 0; i < count; ++i)
        if (!AppProcess::command(main, id)) return false;
    return AppProcess::wait_until_responsive(main, 60s);
}

void print(const char* when, double mib) {
    std::printf("%-24s working set %8.1f MiB\n", when, mib);
}

} // namespace

int main() {
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, temp);
    const auto path = std::filesystem::path(temp) / L"undo-memory-probe.quarn";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << quarn::save_map(quarn::generate_map({.switches = 200}));
    }

    auto app =
        AppProcess::start(quarn::testing::beside_this_program(L"quarn.exe"), L"\"" + path.wstring() + L"\"");
    if (!app) {
        std::printf("quarn.exe did not start\n");
        return 1;
    }
    HWND main = app->wait_for_window(quarn::app::k_main_window_class, 60s);
    if (main == nullptr || !AppProcess::wait_until_responsive(main, 60s)) {
        std::printf("no answering main window\n");
        return 1;
    }
    for (int i = 0; i < 400 && AppProcess::window_text(main) != L"undo-memory-probe.quarn - Quarn"; ++i)
        ::Sleep(25);
    ::Sleep(500);
    const double opened = working_set(app->process_id());
    print("map opened", opened);

    // The first switch walks down the list and a bit back: 200 changes.
    if (!send_commands(main, quarn::app::SwitchMoveDown, 150) ||
        !send_commands(main, quarn::app::SwitchMoveUp, 50))
        return 1;
    const double edited = working_set(app->process_id());
    print("after 200 switch moves", edited);
    print("growth", edited - opened);

    if (!send_commands(main, quarn::app::EditUndo, 200)) return 1;
    print("after undoing all", working_set(app->process_id()));
    const bool unchanged = AppProcess::window_text(main) == L"undo-memory-probe.quarn - Quarn";
    std::printf("title after undoing all: %s\n", unchanged ? "unchanged" : "still changed");

    ::PostMessageW(main, WM_CLOSE, 0, 0);
    if (!app->wait_exit(20s)) std::printf("the program did not close\n");
    std::filesystem::remove(path);
    return unchanged ? 0 : 1;
}
