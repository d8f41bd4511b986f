#include "controls/dialog_window.hpp"

#include "controls/control_table.hpp"
#include "identity/resource.h"
#include "theme/theme.hpp"
#include "theme/window_theme.hpp"

namespace quarn::controls {

bool register_window_class(HINSTANCE instance, const wchar_t* class_name, WNDPROC window_proc,
                           UINT style) noexcept {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (::GetClassInfoExW(instance, class_name, &existing)) return true;

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = style;
    wc.lpfnWndProc = window_proc;
    wc.hInstance = instance;
    // Shared icons belong to the system: nothing to free.
    wc.hIcon = static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUARN), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    wc.hIconSm = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUARN), IMAGE_ICON,
                                                 ::GetSystemMetrics(SM_CXSMICON),
                                                 ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    // No class brush: the background is painted in the theme's colour.
    wc.hbrBackground = nullptr;
    wc.lpszClassName = class_name;
    return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND create_dialog_window(const wchar_t* class_name, const wchar_t* title, WNDPROC window_proc, HWND owner,
                          int width, int height, void* param, DWORD extra_style) noexcept {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    if (!register_window_class(instance, class_name, window_proc)) return nullptr;
    HWND window = ::CreateWindowExW(WS_EX_CONTROLPARENT, class_name, title,
                                    WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | extra_style, CW_USEDEFAULT,
                                    CW_USEDEFAULT, width, height, owner, nullptr, instance, param);
    if (window == nullptr) return nullptr;
    UINT dpi = window_dpi(window);
    if (dpi != USER_DEFAULT_SCREEN_DPI)
        ::SetWindowPos(window, nullptr, 0, 0, scale_units(width, dpi), scale_units(height, dpi),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    theme::apply_dark_title_bar(window, theme::is_dark());
    return window;
}

} // namespace quarn::controls
