#include "dialogs/text_viewer.hpp"

#include <array>
#include <string>

#include "controls/common_message.hpp"
#include "controls/control_table.hpp"
#include "controls/create_controls.hpp"

namespace quarn::dialogs {
namespace {

using controls::ControlKind;
using controls::ControlRow;

// Outer size; the viewer can be resized and the text follows the window.
constexpr controls::ModelessFrame k_frame{k_text_viewer_class, L"", 640, 520, WS_THICKFRAME | WS_MAXIMIZEBOX};
constexpr int k_min_width = 320;
constexpr int k_min_height = 240;

constexpr std::array<ControlRow, 1> k_controls{{
    {ControlKind::TextViewer, k_text_viewer_edit_id, L"", 0, 0, 600, 440, 0},
}};

} // namespace

LRESULT TextViewer::handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
    if (auto handled = modeless_message(msg, wparam)) return *handled;
    switch (msg) {
    case WM_SIZE:
        ::MoveWindow(::GetDlgItem(hwnd(), k_text_viewer_edit_id), 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
        return 0;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
        UINT dpi = controls::window_dpi(hwnd());
        info->ptMinTrackSize = {scale_units(k_min_width, dpi), scale_units(k_min_height, dpi)};
        return 0;
    }
    default:
        break;
    }
    if (auto handled = controls::common_window_message(hwnd(), msg, wparam, lparam)) return *handled;
    return default_proc(msg, wparam, lparam);
}

HWND TextViewer::show(HWND owner, const wchar_t* title, std::string_view text) noexcept {
    controls::ModelessFrame frame = k_frame;
    frame.title = title;
    auto [window, created] = open(owner, frame);
    if (window == nullptr) return nullptr;
    if (created) {
        (void)controls::create_controls(window, k_controls);
        RECT client{};
        ::GetClientRect(window, &client);
        HWND edit = ::GetDlgItem(window, k_text_viewer_edit_id);
        ::MoveWindow(edit, 0, 0, client.right, client.bottom, FALSE);
        // A little air between the frame and the text.
        int margin = scale_units(6, controls::window_dpi(window));
        ::SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
    } else {
        ::SetWindowTextW(window, title);
    }
    HWND edit = ::GetDlgItem(window, k_text_viewer_edit_id);
    std::wstring shown = with_crlf(win::widen(text));
    ::SetWindowTextW(edit, shown.c_str());
    // Start at the top with nothing selected.
    ::SendMessageW(edit, EM_SETSEL, 0, 0);
    ::SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    ::ShowWindow(window, SW_SHOWNORMAL);
    ::SetForegroundWindow(window);
    ::SetFocus(edit);
    return window;
}

} // namespace quarn::dialogs
