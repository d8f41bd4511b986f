#include <windows.h>

#include "app/main_window.hpp"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    using quarn::app::MainWindow;

    if (!MainWindow::register_class(instance)) return 0;
    MainWindow main_window;
    if (!main_window.create(instance)) return 0;

    ::ShowWindow(main_window.hwnd(), show);
    ::UpdateWindow(main_window.hwnd());

    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
