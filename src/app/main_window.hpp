#pragma once

#include <windows.h>

#include "controls/focus_memory.hpp"
#include "win/window_base.hpp"

namespace quarn::app {

struct AppState;

inline constexpr wchar_t k_main_window_class[] = L"QuarnWnd";

// Answer of the main window to WM_USER: lets test drivers and other copies of
// the program tell a Quarn main window from a window that merely shares the
// class name.
inline constexpr LRESULT k_identity_answer = 0x534B007E;

// The timer on the main window that looks hourly whether the daily update
// check is due, so that a program left running checks once a day.
inline constexpr UINT_PTR k_update_timer = 1;
inline constexpr UINT k_update_timer_period_ms = 3'600'000;

// Smallest outer size of the main window in 1/96 inch.
inline constexpr int k_min_width = 800;
inline constexpr int k_min_height = 560;

class MainWindow : public win::WindowBase<MainWindow> {
  public:
    [[nodiscard]] static bool register_class(HINSTANCE instance) noexcept;
    [[nodiscard]] bool create(HINSTANCE instance) noexcept;

    // The state the window's handlers act on: none while the window is
    // being created, until start-up attaches it, and none again once the
    // program lets it go.
    void attach(AppState* state) noexcept { state_ = state; }
    [[nodiscard]] AppState* state() const noexcept { return state_; }

    LRESULT handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept;

  private:
    LRESULT on_close() noexcept;
    void on_min_max_info(MINMAXINFO& info) noexcept;
    void on_dpi_changed(AppState& state, const RECT& suggested) noexcept;
    void on_setting_change(AppState& state) noexcept;
    LRESULT on_notify(AppState& state, const NMHDR& header) noexcept;

    AppState* state_ = nullptr;
    // The control to focus again when the window is activated; the canvas
    // when there is none.
    controls::FocusMemory focus_;
};

} // namespace quarn::app
