#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "maker-services/install/install_plan.hpp"

namespace quarn::install {

// Creates the key under HKEY_CURRENT_USER (when missing) and writes the
// values with their types; ERROR_SUCCESS or the first failure.
[[nodiscard]] LSTATUS write_uninstall_entry(const std::wstring& key,
                                            const std::vector<UninstallValue>& values) noexcept;

// Deletes the key with all its values; a missing key is no error.
[[nodiscard]] LSTATUS delete_uninstall_entry(const std::wstring& key) noexcept;

} // namespace quarn::install
