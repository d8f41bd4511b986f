#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>

#include "maker-services/install/command_line.hpp"

// The installer as the user meets it: the maintenance switches of the
// command line and the Help menu's install command, with their questions
// and result messages in the program's own box.
namespace quarn::install {

// Runs "--install" or "--uninstall" before any window of the program
// exists: loads the settings from `config_folder` and sets their theme, so
// that the questions look like the program; unless quiet, asks and reports.
// Returns the process exit code. Nothing but Maintenance::None is ignored.
[[nodiscard]] int run_maintenance(const CommandLine& line,
                                  const std::optional<std::filesystem::path>& config_folder) noexcept;

// What the Help menu's install item shows.
struct InstallMenuState {
    bool installed = false;         // the program file exists
    bool running_installed = false; // this copy is that file: nothing to copy
};
[[nodiscard]] InstallMenuState install_menu_state() noexcept;

// "Install Quarn..." or "Update Installed Quarn...": asks, installs the
// running copy and reports, in boxes owned by `owner`.
void install_from_menu(HWND owner) noexcept;

// Start-up: deletes the previous copy an update of the installed program
// left behind. Any failure is ignored.
void remove_leftover_copy() noexcept;

} // namespace quarn::install
