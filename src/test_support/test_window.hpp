#pragma once

#include <windows.h>

namespace quarn::testing {

inline LRESULT CALLBACK plain_window_proc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
    return ::DefWindowProcW(window, msg, wparam, lparam);
}

// A top-level window with no behaviour of its own: the owner or parent of
// the code under test.
inline HWND make_plain_window(int width, int height, bool visible = false) {
    static const ATOM registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &plain_window_proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QuarnPlainTestWindow";
        return ::RegisterClassW(&wc);
    }();
    (void)registered;
    return ::CreateWindowExW(0, L"QuarnPlainTestWindow", L"",
                             WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 0, 0, width, height, nullptr,
                             nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

} // namespace quarn::testing
