#include "maker-services/install/maintenance.hpp"

#include <objbase.h>

#include <string>

#include "config/config_store.hpp"
#include "dialogs/message_box.hpp"
#include "identity/product.hpp"
#include "maker-services/install/install_texts.hpp"
#include "maker-services/install/installer.hpp"
#include "theme/theme.hpp"
#include "win/unique.hpp"
#include "win/wide.hpp"

namespace quarn::install {
namespace {

void tell(HWND owner, dialogs::MessageIcon icon, std::string text) {
    (void)dialogs::show_message({owner, icon, std::move(text), {}, 0, 0});
}

// Some copy of the program holds the running marker. This process holds
// none: a maintenance run never creates it. A marker that exists but may
// not be opened (another security context) still counts as running.
bool another_copy_runs() noexcept {
    win::UniqueHandle marker(::OpenMutexW(SYNCHRONIZE, FALSE, identity::k_running_marker));
    return marker || ::GetLastError() == ERROR_ACCESS_DENIED;
}

std::optional<std::string> install_running_copy() {
    auto at = install_locations();
    if (!at) return at.error();
    return install(at.value(), running_program());
}

Outcome install_command(bool quiet) {
    auto error = install_running_copy();
    if (!quiet) {
        if (error)
            tell(nullptr, dialogs::MessageIcon::Warning, install_failed_text(*error));
        else
            tell(nullptr, dialogs::MessageIcon::Program, installed_text());
    }
    return error ? Outcome::Failed : Outcome::Done;
}

enum class SettingsChoice { Keep, Remove, Cancel };

SettingsChoice ask_about_settings() {
    std::size_t answer =
        dialogs::show_message({nullptr,
                               dialogs::MessageIcon::Program,
                               remove_settings_question_text(),
                               {k_keep_settings_button, k_remove_settings_button, k_cancel_button},
                               0,
                               2});
    if (answer == 0) return SettingsChoice::Keep;
    return answer == 1 ? SettingsChoice::Remove : SettingsChoice::Cancel;
}

Outcome uninstall_command(bool quiet, const std::optional<std::filesystem::path>& config_folder) {
    if (another_copy_runs()) {
        if (!quiet) tell(nullptr, dialogs::MessageIcon::Warning, close_first_text());
        return Outcome::Refused;
    }
    SettingsChoice choice = quiet ? SettingsChoice::Keep : ask_about_settings();
    if (choice == SettingsChoice::Cancel) return Outcome::Cancelled;

    std::optional<std::string> error;
    auto at = install_locations();
    if (!at)
        error = at.error();
    else
        error = uninstall(at.value(), running_program());
    if (!error && choice == SettingsChoice::Remove) error = remove_settings(config_folder);

    if (!quiet) {
        if (error)
            tell(nullptr, dialogs::MessageIcon::Warning, uninstall_failed_text(*error));
        else
            tell(nullptr, dialogs::MessageIcon::Program, uninstalled_text());
    }
    return error ? Outcome::Failed : Outcome::Done;
}

} // namespace

int run_maintenance(const CommandLine& line,
                    const std::optional<std::filesystem::path>& config_folder) noexcept {
    try {
        Config config = config_folder ? load_config(*config_folder) : Config{};
        (void)theme::init_theme(config.theme);
        // The Start menu entry is a COM object.
        win::ComApartment com(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        switch (line.maintenance) {
        case Maintenance::Install:
            return exit_code(install_command(line.quiet));
        case Maintenance::Uninstall:
            return exit_code(uninstall_command(line.quiet, config_folder));
        case Maintenance::None:
            break;
        }
        return exit_code(Outcome::Done);
    } catch (...) {
        return exit_code(Outcome::Failed);
    }
}

InstallMenuState install_menu_state() noexcept {
    auto at = install_locations();
    if (!at) return {};
    InstallMenuState state;
    state.installed = is_installed(at.value());
    state.running_installed = state.installed && same_file(running_program(), at.value().program_file);
    return state;
}

void install_from_menu(HWND owner) noexcept {
    try {
        auto at = install_locations();
        if (!at) {
            tell(owner, dialogs::MessageIcon::Warning, install_failed_text(at.error()));
            return;
        }
        std::string folder = win::narrow(at.value().program_folder.wstring());
        bool installed = is_installed(at.value());
        std::size_t answer = dialogs::show_message(
            {owner,
             dialogs::MessageIcon::Program,
             installed ? update_question_text(folder, identity::k_version) : install_question_text(folder),
             {installed ? k_update_button : k_install_button, k_cancel_button},
             0,
             1});
        if (answer != 0) return;
        if (auto error = install(at.value(), running_program()))
            tell(owner, dialogs::MessageIcon::Warning, install_failed_text(*error));
        else
            tell(owner, dialogs::MessageIcon::Program, menu_installed_text());
    } catch (...) {}
}

void remove_leftover_copy() noexcept {
    try {
        if (auto at = install_locations()) remove_previous_copy(at.value());
    } catch (...) {}
}

} // namespace quarn::install
