#pragma once

#include <windows.h>

#include "win/window_base.hpp"

namespace quarn::app {

inline constexpr wchar_t k_main_window_class[] = L"QuarnWnd";

// Answer of the main window to WM_USER: lets test drivers and other copies of
// the program tell a Quarn main window from a window that merely shares the
// class name.
inline constexpr LRESULT k_identity_answer = 0x534B007E;

class MainWindow : public win::WindowBase<MainWindow> {
  public:
    [[nodiscard]] static bool register_class(HINSTANCE instance) noexcept;
    [[nodiscard]] bool create(HINSTANCE instance) noexcept;

    LRESULT handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept;

  private:
    LRESULT on_close() noexcept;
};

} // namespace quarn::app
