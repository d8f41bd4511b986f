#pragma once

#include <filesystem>
#include <string>

#include "app/app_state_fwd.hpp"
#include "model/map.hpp"

namespace quarn::app {

// The text the viewer shows for a comparison: one change line a place, or
// "No changes." when there are none.
std::string comparison_text(const Map& before, const Map& after);

// View menu, Changes Since Saved (F6): the open map against its saved copy
// in the text viewer. Does nothing while the map is unchanged (the menu item
// is greyed then, but F6 still arrives).
void show_changes_since_saved(AppState& state) noexcept;

// View menu, Compare With File: asks for a map file, then compares.
void compare_with_file(AppState& state) noexcept;

// What changed from the map in `path` to the open map, in the text viewer;
// a file that cannot be loaded gives "Could not open {}:\n{}" and no viewer.
void compare_with_map_file(AppState& state, const std::filesystem::path& path) noexcept;

} // namespace quarn::app
