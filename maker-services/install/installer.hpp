#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "maker-services/install/install_locations.hpp"

// Installs and uninstalls the program for the current user. Each step's
// first failure ends the run with its message for the user (nothing on
// success); steps already done stay done. Needs COM on the calling thread
// for the Start menu entry.
namespace quarn::install {

// The program file exists.
[[nodiscard]] bool is_installed(const InstallLocations& at) noexcept;

// The running program's own file; empty when the system cannot tell.
[[nodiscard]] std::filesystem::path running_program() noexcept;

// Both paths name one existing file (compared by the file system, so that
// another spelling or case of the same path counts as the same file).
[[nodiscard]] bool same_file(const std::filesystem::path& a, const std::filesystem::path& b) noexcept;

// Copies `program` (normally the running program) into the program folder,
// unless it is the program file already, and writes the Start menu entry,
// the uninstall entry and the map file type (".quarn" opens in the program
// file).
[[nodiscard]] std::optional<std::string> install(const InstallLocations& at,
                                                 const std::filesystem::path& program) noexcept;

// Removes the Start menu entry, the uninstall entry, the map file type when
// it still leads to the program file, and the program file,
// the previous copy and then the program folder when it is empty. When
// `running` is the program file, the file moves to the temporary folder
// under the name of uninstalled_file_name with this process's id, as a
// running file cannot be deleted.
[[nodiscard]] std::optional<std::string> uninstall(const InstallLocations& at,
                                                   const std::filesystem::path& running) noexcept;

// Deletes the previous copy an update left beside the program file; any
// failure is ignored (it may still run).
void remove_previous_copy(const InstallLocations& at) noexcept;

// Deletes the settings folder with everything in it, then the program's own
// registry key with all its values (and the maker's key, when nothing else
// is left in it).
[[nodiscard]] std::optional<std::string>
remove_settings(const std::optional<std::filesystem::path>& folder) noexcept;

} // namespace quarn::install
