#include "dialogs/text_viewer.hpp"

#include <array>
#include <string>

#include "controls/common_message.hpp"
#include "controls/control_table.hpp"
#include "controls/create_controls.hpp"
#include "controls/dialog_window.hpp"
#include "win/wide.hpp"
#include "win/window_base.hpp"

namespace quarn::dialogs {
namespace {

using controls::ControlKind;
using controls::ControlRow;

// Outer size; the viewer can be resized and the text follows the window.
constexpr int k_width = 640;
constexpr int k_height = 520;
constexpr int k_min_width = 320;
constexpr int k_min_height = 240;

constexpr std::array<ControlRow, 1> k_controls{{
    {ControlKind::TextViewer, k_text_viewer_edit_id, L"", 0, 0, 600, 440, 0},
}};

class TextViewer : public win::WindowBase<TextViewer> {
  public:
    LRESULT handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
        switch (msg) {
        case WM_SIZE:
            ::MoveWindow(::GetDlgItem(hwnd(), k_text_viewer_edit_id), 0, 0, LOWORD(lparam), HIWORD(lparam),
                         TRUE);
            return 0;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
            UINT dpi = controls::window_dpi(hwnd());
            info->ptMinTrackSize = {scale_units(k_min_width, dpi), scale_units(k_min_height, dpi)};
            return 0;
        }
        case WM_COMMAND:
            if (LOWORD(wparam) == IDCANCEL || LOWORD(wparam) == IDOK) ::DestroyWindow(hwnd());
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wparam) != WA_INACTIVE) ::SetFocus(::GetDlgItem(hwnd(), k_text_viewer_edit_id));
            return 0;
        default:
            break;
        }
        if (auto handled = controls::common_window_message(hwnd(), msg, wparam, lparam)) return *handled;
        return default_proc(msg, wparam, lparam);
    }
};

TextViewer& viewer() noexcept {
    thread_local TextViewer the_viewer;
    return the_viewer;
}

} // namespace

HWND text_viewer_window() noexcept {
    return viewer().hwnd();
}

HWND show_text_viewer(HWND owner, const wchar_t* title, std::string_view text) noexcept {
    TextViewer& window = viewer();
    if (window.hwnd() == nullptr) {
        HWND created =
            controls::create_dialog_window(k_text_viewer_class, title, &TextViewer::window_proc, owner,
                                           k_width, k_height, &window, WS_THICKFRAME | WS_MAXIMIZEBOX);
        if (created == nullptr) return nullptr;
        (void)controls::create_controls(created, k_controls);
        RECT client{};
        ::GetClientRect(created, &client);
        ::MoveWindow(::GetDlgItem(created, k_text_viewer_edit_id), 0, 0, client.right, client.bottom, FALSE);
        // A little air between the frame and the text.
        int margin = scale_units(6, controls::window_dpi(created));
        ::SendMessageW(::GetDlgItem(created, k_text_viewer_edit_id), EM_SETMARGINS,
                       EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
    } else {
        ::SetWindowTextW(window.hwnd(), title);
    }
    HWND edit = ::GetDlgItem(window.hwnd(), k_text_viewer_edit_id);
    std::wstring shown = with_crlf(win::widen(text));
    ::SetWindowTextW(edit, shown.c_str());
    // Start at the top with nothing selected.
    ::SendMessageW(edit, EM_SETSEL, 0, 0);
    ::SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    ::ShowWindow(window.hwnd(), SW_SHOWNORMAL);
    ::SetForegroundWindow(window.hwnd());
    ::SetFocus(edit);
    return window.hwnd();
}

} // namespace quarn::dialogs
