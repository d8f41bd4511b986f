#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

#include "app/app_state.hpp"
#include "app/document.hpp"
#include "app/main_window.hpp"
#include "app/message_loop.hpp"
#include "app/recovery.hpp"
#include "app/startup.hpp"
#include "config/config_store.hpp"
#include "identity/product.hpp"
#include "maker-services/install/command_line.hpp"
#include "maker-services/install/maintenance.hpp"
#include "win/unique.hpp"

namespace {

using namespace quarn;
using namespace quarn::app;

install::CommandLine split_command_line() {
    int count = 0;
    win::UniqueLocal<LPWSTR*> argv(::CommandLineToArgvW(::GetCommandLineW(), &count));
    if (!argv) return {};
    std::vector<std::wstring> arguments(argv.get(), argv.get() + count);
    return install::read_command_line(arguments);
}

int run(HINSTANCE instance, int show) {
    install::CommandLine arguments = split_command_line();
    // Install or uninstall, and nothing else: no window, no running marker
    // (the uninstaller looks for the markers of other copies).
    if (arguments.maintenance != install::Maintenance::None)
        return install::run_maintenance(arguments, config_folder());

    // Tells the uninstaller that a copy runs; there is no single-instance
    // rule, so an existing marker is not looked at.
    win::UniqueHandle running(::CreateMutexW(nullptr, FALSE, identity::k_running_marker));
    // An update of the installed copy while it ran left the old file behind.
    install::remove_leftover_copy();

    // Links open through the shell, which wants COM on this thread.
    win::ComApartment com(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

    auto program = start_main_window(instance, StartOptions{config_folder(), show});
    if (!program) return 0;
    AppState& state = *program->state;

    if (auto folder = recovery_folder()) start_recovery(state, *folder);
    if (arguments.file) (void)open_document(state, std::filesystem::path(*arguments.file));
    // Copies of earlier runs that ended before their changes were saved.
    offer_recovery(state);
    // A restart for an update (or after a crash or hang) brings the program
    // back, and with it the offer of what it had not saved. No arguments:
    // the map to come back to is the recovery copy's business.
    (void)::RegisterApplicationRestart(nullptr, 0);

    // The daily update check: asked once, started when due, looked at hourly.
    state.update->ask_consent(state.main);
    state.update->start_if_due();
    ::SetTimer(state.main, k_update_timer, k_update_timer_period_ms, nullptr);

    win::UniqueAccelerators accelerators(create_accelerators());
    int code = run_message_loop(program->window, accelerators.get());
    // The windows go before COM does: their shell links may hold COM objects.
    program.reset();
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
