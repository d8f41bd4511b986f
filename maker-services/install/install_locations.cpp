#include "maker-services/install/install_locations.hpp"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <optional>

#include "maker-services/install/install_plan.hpp"
#include "maker-services/install/install_texts.hpp"
#include "win/unique.hpp"

namespace quarn::install {
namespace {

// The folder's path even when it does not exist yet: the user's programs
// folder is made by the first program installed there, and asking for it
// must not create it (uninstall and the start-up clean-up only look).
std::optional<std::filesystem::path> known_folder(const KNOWNFOLDERID& id) noexcept {
    try {
        PWSTR raw = nullptr;
        HRESULT result = ::SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &raw);
        win::UniqueCoTaskMem<PWSTR> path(raw);
        if (FAILED(result) || !path || *path.get() == L'\0') return std::nullopt;
        return std::filesystem::path(path.get());
    } catch (...) {
        return std::nullopt;
    }
}

// The user's own programs folder. Windows defines it as "Programs" in the
// local application-data folder; where the system has no definition of it
// (Wine, for one, refuses it), the same place is taken from that definition.
std::optional<std::filesystem::path> user_programs_folder() noexcept {
    if (auto folder = known_folder(FOLDERID_UserProgramFiles)) return folder;
    try {
        if (auto local = known_folder(FOLDERID_LocalAppData)) return *local / L"Programs";
    } catch (...) {}
    return std::nullopt;
}

} // namespace

InstallLocations locations_in(const std::filesystem::path& user_programs,
                              const std::filesystem::path& start_menu_programs) {
    InstallLocations at;
    at.program_folder = user_programs / program_folder_name();
    at.program_file = at.program_folder / program_file_name();
    at.start_menu_entry = start_menu_programs / start_menu_entry_name();
    at.uninstall_key = uninstall_key_path();
    return at;
}

Result<InstallLocations> install_locations() noexcept {
    try {
        auto programs = user_programs_folder();
        auto start_menu = known_folder(FOLDERID_Programs);
        if (!programs || !start_menu)
            return Result<InstallLocations>::failure(error_text(InstallError::LocationsUnknown));
        return locations_in(*programs, *start_menu);
    } catch (...) {
        return Result<InstallLocations>::failure(error_text(InstallError::LocationsUnknown));
    }
}

} // namespace quarn::install
