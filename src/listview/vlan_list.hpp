#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <optional>
#include <span>

#include "model/map.hpp"

namespace quarn::listview {

// The VLAN list of the main window: a report-view list with the columns "ID"
// and "Name"; each item's lParam is its VLAN ID.
[[nodiscard]] HWND create_vlan_list(HWND parent, int id, HINSTANCE instance, unsigned dpi) noexcept;

// Column widths follow the window's DPI (100 units each).
void set_vlan_list_dpi(HWND list, unsigned dpi) noexcept;

// Puts the map's VLANs in the list and selects `selected` when it is there.
// Keeps the scroll position when the list holds the same number of rows, so
// an edit elsewhere does not make the list jump.
void fill_vlan_list(HWND list, std::span<const Vlan> vlans, std::optional<std::uint16_t> selected) noexcept;

[[nodiscard]] std::optional<std::uint16_t> selected_vlan(HWND list) noexcept;

// Custom draw: the ID cell is filled with the VLAN's colour and written in
// black or white by the colour's luminance. Returns the value for the
// NM_CUSTOMDRAW notification.
LRESULT vlan_list_custom_draw(const NMLVCUSTOMDRAW& draw, std::span<const Vlan> vlans) noexcept;

// Black text on a light colour (luminance above 140), white on a dark one.
[[nodiscard]] COLORREF id_text_color(Rgb color) noexcept;

} // namespace quarn::listview
