#pragma once

#include <string>

#include "app/app_state.hpp"

namespace quarn::app {

// "{}{} - Quarn": the document's file name (or "Untitled") and "*" when the
// map differs from its saved copy.
std::string window_title(const AppState& state);

// Shows window_title in the main window's caption.
void refresh_title(AppState& state) noexcept;

} // namespace quarn::app
