#pragma once

#include <string>
#include <string_view>

// The installer's messages, questions and button captions, as the user reads
// them; lines are joined by "\n" as in every message of the program's box.
namespace quarn::install {

// Why a step failed; each fills its template with the system's error text.
enum class InstallError {
    LocationsUnknown,
    FolderNotCreated,
    InstalledCopyInUse,
    ProgramNotCopied,
    StartMenuEntryNotCreated,
    UninstallEntryNotWritten,
    FileTypeNotRegistered,
    StartMenuEntryNotRemoved,
    UninstallEntryNotRemoved,
    FileTypeNotRemoved,
    ProgramFileNotRemoved,
    SettingsNotRemoved,
};

// The step's sentence; the system's text follows after ": " for the kinds
// that carry one (every kind but LocationsUnknown).
[[nodiscard]] std::string error_text(InstallError error, std::string_view system_text = {});

// The Help menu item: "Install Quarn..." or "Update Installed Quarn...".
[[nodiscard]] std::string install_menu_text(bool installed);

// The menu's question before an install, the program folder on a line of
// its own; and before an update of an installed copy, with this copy's
// version.
[[nodiscard]] std::string install_question_text(std::string_view program_folder);
[[nodiscard]] std::string update_question_text(std::string_view program_folder, std::string_view version);
inline constexpr char k_install_button[] = "Install";
inline constexpr char k_update_button[] = "Update";
inline constexpr char k_cancel_button[] = "Cancel";

// After the menu's install.
[[nodiscard]] std::string menu_installed_text();
// After "--install".
[[nodiscard]] std::string installed_text();
// After a failed install, from the menu or the command line.
[[nodiscard]] std::string install_failed_text(std::string_view error);

// "--uninstall" while some copy of the program runs.
[[nodiscard]] std::string close_first_text();
// The settings question and its buttons, in this order.
[[nodiscard]] std::string remove_settings_question_text();
inline constexpr char k_keep_settings_button[] = "Keep Them";
inline constexpr char k_remove_settings_button[] = "Remove Them";
[[nodiscard]] std::string uninstalled_text();
[[nodiscard]] std::string uninstall_failed_text(std::string_view error);

} // namespace quarn::install
