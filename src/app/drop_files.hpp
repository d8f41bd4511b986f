#pragma once

#include <windows.h>

#include <shellapi.h>

#include <filesystem>
#include <vector>

#include "app/app_state.hpp"

namespace quarn::app {

// Files dropped on the main window (WM_DROPFILES): a map opens as Open
// opens it, after the save question; configurations open the import; any
// other file is refused with a message and nothing changes. The drop is
// finished here.
void drop_files(AppState& state, HDROP drop) noexcept;

// The import with dropped configuration files: one file opens as its text,
// several are read as a campus and previewed.
void import_dropped_files(AppState& state, const std::vector<std::filesystem::path>& files) noexcept;

} // namespace quarn::app
