#pragma once

#include <filesystem>
#include <vector>

#include "app/app_state_fwd.hpp"

namespace quarn::app {

// Switch menu: duplicate, remove (after asking), move up and down.
void duplicate_current_switch(AppState& state) noexcept;
void remove_current_switch(AppState& state) noexcept;
void move_switch_up_command(AppState& state) noexcept;
void move_switch_down_command(AppState& state) noexcept;

// Import Configuration: the dialog previews on a copy of the map; OK puts
// what it read into the map as one undo step, as a new switch or into the
// current one, and makes that switch the current one.
// Several files or a folder build a campus: OK takes the map they built,
// links included, as one undo step, and the first switch they added becomes
// the current one.
void import_configuration(AppState& state) noexcept;

// Import Configuration opened on `paths` (files and folders, as dropped on
// the window or given by the shell): one file is read into the text field,
// several or a folder are read as a campus.
void open_import_with_files(AppState& state, std::vector<std::filesystem::path> paths) noexcept;

} // namespace quarn::app
