#pragma once

#include <filesystem>
#include <string>

#include "common/result.hpp"

namespace quarn::install {

// Where a per-user installation lives.
struct InstallLocations {
    std::filesystem::path program_folder;
    std::filesystem::path program_file;
    std::filesystem::path start_menu_entry;
    std::wstring uninstall_key; // under HKEY_CURRENT_USER
};

// The locations in a user's programs folder and Start menu programs folder.
[[nodiscard]] InstallLocations locations_in(const std::filesystem::path& user_programs,
                                            const std::filesystem::path& start_menu_programs);

// The current user's locations, from the known folders; fails with the
// message for the user when one cannot be resolved.
[[nodiscard]] Result<InstallLocations> install_locations() noexcept;

} // namespace quarn::install
