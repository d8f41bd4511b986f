#pragma once

#include <windows.h>

#include "maker-services/update/update_status.hpp"

namespace quarn::update {

class UpdateService;

inline constexpr wchar_t k_updates_window_class[] = L"QuarnUpdatesWnd";

// Control ids of the update window; Close is IDCANCEL.
enum UpdatesControl : int {
    k_updates_status = 100,
    k_updates_automatic = 101,
    k_updates_check_now = 102,
    k_updates_open_page = 103,
};

// Opens the "Check for Updates" window owned by `owner`, or brings the open
// one to the front; one per thread. Its buttons act through `service`,
// which must outlive it. Null when it could not be created.
HWND show_updates_window(HWND owner, UpdateService& service) noexcept;

// The open update window, or null.
[[nodiscard]] HWND updates_window() noexcept;

// Rebuilds the open window's text, check box and enabling from `status`.
void refresh_updates_window(const UpdateStatus& status) noexcept;

} // namespace quarn::update
