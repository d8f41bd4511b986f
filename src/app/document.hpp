#pragma once

#include <filesystem>
#include <optional>

#include "app/app_state.hpp"

namespace quarn::app {

// Reads and loads a map file. On success it becomes the open map and its
// saved copy, the path the document path, and the views show it; on failure
// the message box says "Could not open {}:\n{}" and the open map stays.
bool open_document(AppState& state, const std::filesystem::path& path) noexcept;

// An empty map, no path, an empty history.
void new_document(AppState& state) noexcept;

// Save to the document path, or Save As without one. True when saved.
bool save_document(AppState& state) noexcept;
// Asks for a path, then saves there; the path becomes the document path.
bool save_document_as(AppState& state) noexcept;

// Before New, Open, a recent file and closing: when the map differs from
// its saved copy, asks "Save the changes to {}?" (Save, Don't Save, Cancel).
// True means go on.
bool confirm_discard(AppState& state) noexcept;

// The open and save dialogs for maps ("Quarn Maps (*.quarn)"); nothing when
// cancelled.
std::optional<std::filesystem::path> ask_open_path(HWND owner) noexcept;
// The open dialog for a switch's configuration: every file first, as
// switches save theirs under any name.
std::optional<std::filesystem::path> ask_config_path(HWND owner) noexcept;
std::optional<std::filesystem::path>
ask_save_path(HWND owner, const wchar_t* filter, const wchar_t* extension,
              const std::optional<std::filesystem::path>& suggestion) noexcept;

} // namespace quarn::app
