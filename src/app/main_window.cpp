#include "app/main_window.hpp"

#include "app/resource.h"

namespace quarn::app {

bool MainWindow::register_class(HINSTANCE instance) noexcept {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &MainWindow::window_proc;
    wc.hInstance = instance;
    wc.hIcon = static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUARN), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    wc.hIconSm = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUARN), IMAGE_ICON,
                                                 ::GetSystemMetrics(SM_CXSMICON),
                                                 ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = k_main_window_class;
    return ::RegisterClassExW(&wc) != 0;
}

bool MainWindow::create(HINSTANCE instance) noexcept {
    HWND hwnd = ::CreateWindowExW(0, k_main_window_class, L"Quarn", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 1200, 720, nullptr, nullptr, instance, this);
    if (hwnd == nullptr) return false;
    // Clip children so the canvas and the controls never flicker when the
    // main window repaints behind them.
    ::SetWindowLongPtrW(hwnd, GWL_STYLE, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN);
    ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return true;
}

LRESULT MainWindow::handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
    switch (msg) {
    case WM_CLOSE:
        return on_close();
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    case WM_USER:
        return k_identity_answer;
    default:
        return default_proc(msg, wparam, lparam);
    }
}

LRESULT MainWindow::on_close() noexcept {
    ::DestroyWindow(hwnd());
    return 0;
}

} // namespace quarn::app
