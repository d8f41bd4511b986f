#pragma once

#include <windows.h>

#include <string_view>

#include "win/wide.hpp"

namespace quarn::dialogs {

inline constexpr wchar_t k_text_viewer_class[] = L"QuarnTextViewWnd";
inline constexpr int k_text_viewer_edit_id = 100;

// Shows `text` (UTF-8) read-only in the one text viewer window of this
// thread, owned by `owner`: opens it, or retitles and refills it when it is
// already open, and brings it to the front. Returns the window (null when it
// could not be created).
HWND show_text_viewer(HWND owner, const wchar_t* title, std::string_view text) noexcept;

// The open viewer, or null.
[[nodiscard]] HWND text_viewer_window() noexcept;

using win::with_crlf;

} // namespace quarn::dialogs
