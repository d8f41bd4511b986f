#pragma once

#include <windows.h>

#include <string_view>

#include "controls/modeless_window.hpp"
#include "win/wide.hpp"

namespace quarn::dialogs {

inline constexpr wchar_t k_text_viewer_class[] = L"QuarnTextViewWnd";
inline constexpr int k_text_viewer_edit_id = 100;

// The one read-only text window of its owner's state (Changes Since Saved,
// the licences): resizable, the text follows the window; Escape closes it.
class TextViewer : public controls::ModelessWindow<TextViewer> {
  public:
    // Shows `text` (UTF-8) owned by `owner`: opens the viewer, or retitles
    // and refills it when it is already open, and brings it to the front.
    // Returns the window (null when it could not be created).
    HWND show(HWND owner, const wchar_t* title, std::string_view text) noexcept;

    LRESULT handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept;
};

using win::with_crlf;

} // namespace quarn::dialogs
