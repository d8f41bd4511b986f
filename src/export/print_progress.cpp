#include "export/print_progress.hpp"

#include <string>

#include "controls/common_message.hpp"
#include "controls/control_table.hpp"
#include "controls/create_controls.hpp"
#include "controls/dialog_window.hpp"

namespace quarn {
namespace {

using controls::ControlKind;
using controls::ControlRow;

constexpr ControlRow k_controls[] = {
    {ControlKind::Label, k_print_progress_text, L"", 14, 16, 260, 20, 0},
    {ControlKind::PushButton, IDCANCEL, L"Cancel", 194, 48, 80, 26, 0},
};
constexpr int k_width = 304;
constexpr int k_height = 124;

} // namespace

PrintProgress::PrintProgress(HWND owner, std::size_t pages) noexcept : owner_(owner), pages_(pages) {
    HWND window = controls::create_dialog_window(k_print_progress_class, L"Print",
                                                 &PrintProgress::window_proc, owner, k_width, k_height, this);
    if (window == nullptr) return;
    (void)controls::create_controls(window, k_controls, controls::window_dpi(window));
    if (owner_ != nullptr) owner_was_enabled_ = ::EnableWindow(owner_, FALSE) == 0;
    ::ShowWindow(window, SW_SHOWNORMAL);
    ::SetFocus(::GetDlgItem(window, IDCANCEL));
}

PrintProgress::~PrintProgress() {
    // The owner first, or the system activates another program's window
    // when this one goes.
    if (owner_ != nullptr && owner_was_enabled_) ::EnableWindow(owner_, TRUE);
    if (hwnd() != nullptr) ::DestroyWindow(hwnd());
}

bool PrintProgress::page(std::size_t number) noexcept {
    if (hwnd() != nullptr) {
        try {
            std::wstring text =
                L"Printing page " + std::to_wstring(number) + L" of " + std::to_wstring(pages_);
            ::SetDlgItemTextW(hwnd(), k_print_progress_text, text.c_str());
            ::UpdateWindow(hwnd());
        } catch (...) {
            // Out of memory: the text stays as it was.
        }
    }
    return pump();
}

bool PrintProgress::pump() noexcept {
    MSG msg;
    while (!cancelled_ && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Not ours: the loop that waits for it gets it back.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            cancelled_ = true;
            break;
        }
        if (hwnd() != nullptr && ::IsDialogMessageW(hwnd(), &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return !cancelled_;
}

LRESULT PrintProgress::handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wparam) == IDCANCEL) {
            cancelled_ = true;
            return 0;
        }
        break;
    case WM_CLOSE:
        cancelled_ = true;
        return 0;
    default:
        break;
    }
    if (auto handled = controls::common_window_message(hwnd(), msg, wparam, lparam)) return *handled;
    return default_proc(msg, wparam, lparam);
}

} // namespace quarn
