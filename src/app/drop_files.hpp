#pragma once

#include <windows.h>

#include <shellapi.h>

#include <filesystem>
#include <vector>

#include "app/app_state.hpp"

namespace quarn::app {

// Posted to the main window just before the import opens for dropped
// configurations: by then the import's window exists, and it is asked to
// open the first file as its Open File... button would.
inline constexpr UINT k_import_dropped_message = WM_APP + 20;

// Files dropped on the main window (WM_DROPFILES): a map opens as Open
// opens it, after the save question; configurations open the import; any
// other file is refused with a message and nothing changes. The drop is
// finished here.
void drop_files(AppState& state, HDROP drop) noexcept;

// The import with dropped configuration files: the one-file import with the
// first of them.
void import_dropped_files(AppState& state, const std::vector<std::filesystem::path>& files) noexcept;

// The answer to k_import_dropped_message.
void open_first_dropped_in_import(AppState& state) noexcept;

} // namespace quarn::app
