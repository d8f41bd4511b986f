#include "maker-services/install/install_texts.hpp"

#include "common/fill.hpp"
#include "identity/product.hpp"

namespace quarn::install {
namespace {

constexpr std::string_view k_product = identity::k_product_name;

const char* error_template(InstallError error) {
    switch (error) {
    case InstallError::LocationsUnknown:
        return "The Windows program folders could not be found.";
    case InstallError::FolderNotCreated:
        return "The program folder could not be created";
    case InstallError::InstalledCopyInUse:
        return "The installed copy is in use";
    case InstallError::ProgramNotCopied:
        return "The program file could not be copied";
    case InstallError::StartMenuEntryNotCreated:
        return "The Start menu entry could not be created";
    case InstallError::UninstallEntryNotWritten:
        return "The uninstall entry could not be written";
    case InstallError::FileTypeNotRegistered:
        return "The map file type could not be registered";
    case InstallError::FileTypeNotRemoved:
        return "The map file type could not be removed";
    case InstallError::StartMenuEntryNotRemoved:
        return "The Start menu entry could not be removed";
    case InstallError::UninstallEntryNotRemoved:
        return "The uninstall entry could not be removed";
    case InstallError::ProgramFileNotRemoved:
        return "The program file could not be removed";
    case InstallError::SettingsNotRemoved:
        break;
    }
    return "The settings could not be removed";
}

} // namespace

std::string error_text(InstallError error, std::string_view system_text) {
    std::string text = error_template(error);
    if (error == InstallError::LocationsUnknown) return text;
    // Every other step failed in a call of the system, whose own words say why.
    text += ": ";
    text += system_text;
    return text;
}

std::string install_menu_text(bool installed) {
    return fill(installed ? "Update Installed {}..." : "Install {}...", {k_product});
}

std::string install_question_text(std::string_view program_folder) {
    return fill(
        "Install {} for your Windows account?\n\nIt is copied to\n{}\nand gets an entry in the Start menu "
        "and in Settings > Apps to uninstall it. No administrator rights are needed. Your settings and "
        "maps stay where they are.",
        {k_product, program_folder});
}

std::string update_question_text(std::string_view program_folder, std::string_view version) {
    return fill("Update the installed {} in\n{}\nwith this copy (version {})?",
                {k_product, program_folder, version});
}

std::string menu_installed_text() {
    return fill(
        "Done. From now on, start {} from the Start menu. This copy can be deleted once you have closed it.",
        {k_product});
}

std::string installed_text() {
    return fill("{} is installed. From now on, start it from the Start menu.", {k_product});
}

std::string install_failed_text(std::string_view error) {
    return fill("{} could not be installed.\n\n{}", {k_product, error});
}

std::string close_first_text() {
    return fill("Close {} first, then uninstall it again.", {k_product});
}

std::string remove_settings_question_text() {
    return fill("Also remove {}'s settings?\n\nYour maps are files of your own and stay where they are.",
                {k_product});
}

std::string uninstalled_text() {
    return fill("{} is uninstalled.", {k_product});
}

std::string uninstall_failed_text(std::string_view error) {
    return fill("{} could not be uninstalled.\n\n{}", {k_product, error});
}

} // namespace quarn::install
