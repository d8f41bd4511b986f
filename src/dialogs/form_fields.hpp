#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarn::dialogs {

// A field's text as UTF-8, at most k_max_field_text UTF-16 units (a pair cut
// in half is dropped).
std::string read_field(HWND dialog, int id);
void write_field(HWND dialog, int id, std::string_view text) noexcept;

bool is_checked(HWND dialog, int id) noexcept;
void set_checked(HWND dialog, int id, bool checked) noexcept;

// Drop-down lists: replace the entries (selecting `selected`, or nothing),
// and read the selection.
void fill_list(HWND dialog, int id, const std::vector<std::string>& entries,
               std::optional<std::size_t> selected) noexcept;
std::optional<std::size_t> list_selection(HWND dialog, int id) noexcept;

} // namespace quarn::dialogs
