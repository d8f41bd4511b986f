#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "common/result.hpp"
#include "dialogs/import_form.hpp"

namespace quarn::dialogs {

// The files an import of `paths` reads: each file as given, and every file
// directly in a given folder, by name. A folder's subfolders and hidden
// files (".git", ".DS_Store") are left; any extension is taken, as
// switches save their configurations under any name and the content tells
// what a file holds.
std::vector<std::filesystem::path> import_file_list(std::span<const std::filesystem::path> paths);

// A configuration file's text (config_file_text), or why it cannot be
// taken: a file far larger than any configuration is refused before it is
// read.
Result<std::string> read_config_file(const std::filesystem::path& path);

// Every file of import_file_list read as the campus preview takes it.
std::vector<ImportSource> read_import_sources(std::span<const std::filesystem::path> paths);

// The name shown for a file: its last part, as UTF-8.
std::string shown_file_name(const std::filesystem::path& path);

} // namespace quarn::dialogs
