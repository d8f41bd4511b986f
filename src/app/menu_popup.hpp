#pragma once

#include <windows.h>

#include <vector>

#include "app/menus.hpp"

namespace quarn::app {

// Shows the menu at a screen point and returns the chosen command, 0 when
// the user dismissed it. The command is not sent: the caller dispatches it,
// so a menu and a key take the same road.
int track_menu(HWND owner, const std::vector<MenuItem>& items, POINT at) noexcept;

// Appends the items to `menu`; each submenu belongs to `menu` once appended
// and is destroyed here when it cannot be.
void fill_menu(HMENU menu, const std::vector<MenuItem>& items);

} // namespace quarn::app
