#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <optional>
#include <string>

#include "app/accelerators.hpp"
#include "app/app_state.hpp"
#include "app/document.hpp"
#include "app/message_loop.hpp"
#include "app/startup.hpp"
#include "config/config_store.hpp"
#include "win/unique.hpp"

namespace {

using namespace quarn;
using namespace quarn::app;

struct Arguments {
    std::optional<std::wstring> file;
};

Arguments split_command_line() {
    Arguments arguments;
    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (argv == nullptr) return arguments;
    if (count > 1) arguments.file = argv[1];
    ::LocalFree(argv);
    return arguments;
}

int run(HINSTANCE instance, int show) {
    Arguments arguments = split_command_line();

    // Tells the uninstaller that a copy runs; there is no single-instance
    // rule, so an existing marker is not looked at.
    win::UniqueHandle running(::CreateMutexW(nullptr, FALSE, L"Local\\Quarn.Running"));

    // Links open through the shell, which wants COM on this thread.
    HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

    auto program = start_main_window(instance, StartOptions{config_folder(), show});
    if (!program) return 0;
    AppState& state = *program->state;

    if (arguments.file) (void)open_document(state, std::filesystem::path(*arguments.file));

    HACCEL accelerators = ::CreateAcceleratorTableW(const_cast<ACCEL*>(k_accelerators.data()),
                                                    static_cast<int>(k_accelerators.size()));
    int code = run_message_loop(accelerators);
    if (accelerators != nullptr) ::DestroyAcceleratorTable(accelerators);
    program.reset();
    if (SUCCEEDED(com)) ::CoUninitialize();
    return code;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    try {
        return run(instance, show);
    } catch (...) {
        return 0;
    }
}
