#pragma once

#include <windows.h>

namespace quarn::controls {

// Registers a top-level window class of the program once: the program icon,
// the arrow cursor, and no class brush (windows paint the theme's colour).
[[nodiscard]] bool register_window_class(HINSTANCE instance, const wchar_t* class_name, WNDPROC window_proc,
                                         UINT style = 0) noexcept;

// Registers the class once (program icon, arrow cursor) and creates a
// top-level window with a caption and a system menu, no resizing, marked as
// a control parent so that Tab moves between its controls, at the system's
// default position. `width` and `height` are its outer size in 1/96 inch;
// it is resized when its DPI is not 96. The dark title bar of the current
// theme is applied. `param` travels as the creation parameter (the window
// object of the trampoline); `extra_style` is added to the window style
// (WS_THICKFRAME for a resizable viewer). The window is not shown yet.
// Null on failure.
[[nodiscard]] HWND create_dialog_window(const wchar_t* class_name, const wchar_t* title, WNDPROC window_proc,
                                        HWND owner, int width, int height, void* param = nullptr,
                                        DWORD extra_style = 0) noexcept;

} // namespace quarn::controls
