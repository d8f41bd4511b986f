#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "config/config.hpp"

namespace quarn {

// The folder "Quarn" in the user's roaming application-data folder (APPDATA),
// or nothing when APPDATA is not set.
std::optional<std::filesystem::path> config_folder();

// Reads config.json from `folder`; any failure gives the defaults.
Config load_config(const std::filesystem::path& folder);

// Writes config.json in `folder` (created when missing) through the safe
// file write, so a crash never leaves half a file. Nothing on success, else
// the system's error text.
[[nodiscard]] std::optional<std::string> save_config(const std::filesystem::path& folder,
                                                     const Config& config) noexcept;

} // namespace quarn
