#include "app/main_window.hpp"

#include <windowsx.h>

#include "app/app_state.hpp"
#include "app/canvas_scene.hpp"
#include "app/command_dispatch.hpp"
#include "app/commands.hpp"
#include "app/document.hpp"
#include "app/drop_files.hpp"
#include "app/main_controls.hpp"
#include "app/main_layout.hpp"
#include "app/recovery.hpp"
#include "controls/common_message.hpp"
#include "controls/control_table.hpp"
#include "controls/dialog_window.hpp"
#include "listview/vlan_list.hpp"
#include "theme/theme.hpp"
#include "theme/theme_colors.hpp"
#include "theme/window_theme.hpp"

namespace quarn::app {

bool MainWindow::register_class(HINSTANCE instance) noexcept {
    return controls::register_window_class(instance, k_main_window_class, &MainWindow::window_proc,
                                           CS_HREDRAW | CS_VREDRAW);
}

bool MainWindow::create(HINSTANCE instance) noexcept {
    HWND hwnd = ::CreateWindowExW(WS_EX_CONTROLPARENT, k_main_window_class, L"Quarn", WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 1200, 720, nullptr, nullptr, instance, this);
    if (hwnd == nullptr) return false;
    // Clip children so the canvas and the controls never flicker when the
    // main window repaints behind them.
    ::SetWindowLongPtrW(hwnd, GWL_STYLE, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN);
    // Made at the size for 96 DPI; now that it has a monitor, the size for
    // that monitor's DPI, within its work area.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!::GetMonitorInfoW(::MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor))
        monitor.rcWork = RECT{};
    WindowSize size =
        initial_window_size(controls::window_dpi(hwnd), monitor.rcWork.right - monitor.rcWork.left,
                            monitor.rcWork.bottom - monitor.rcWork.top);
    ::SetWindowPos(hwnd, nullptr, 0, 0, size.width, size.height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    theme::apply_dark_title_bar(hwnd, theme::is_dark());
    // Access keys and focus rectangles show from the first key on, unless
    // the user asked Windows to show them always. The dialog manager does
    // this for its dialogs; a plain window starts with them shown.
    BOOL always = FALSE;
    if (!::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &always, 0) || !always)
        ::SendMessageW(hwnd, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEACCEL | UISF_HIDEFOCUS), 0);
    return true;
}

LRESULT MainWindow::handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
    // Messages of the window's creation arrive before the state is attached.
    AppState* state = state_;
    switch (msg) {
    case WM_USER:
        return k_identity_answer;
    case WM_CLOSE:
        return on_close();
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    case WM_GETMINMAXINFO:
        on_min_max_info(*reinterpret_cast<MINMAXINFO*>(lparam));
        return 0;
    case WM_SIZE:
        if (state != nullptr) layout_main_controls(*state);
        return 0;
    case WM_ACTIVATE:
        if (state != nullptr) {
            (void)focus_.message(hwnd(), msg, wparam, state->canvas.hwnd());
            return 0;
        }
        break;
    case WM_DPICHANGED:
        if (state != nullptr) {
            on_dpi_changed(*state, *reinterpret_cast<const RECT*>(lparam));
            return 0;
        }
        break;
    case WM_SETTINGCHANGE:
        if (state != nullptr) on_setting_change(*state);
        break;
    case WM_COMMAND:
        if (state != nullptr) {
            dispatch_command(*state, LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
            return 0;
        }
        break;
    case WM_CONTEXTMENU:
        if (state != nullptr && reinterpret_cast<HWND>(wparam) == state->controls.vlan_list) {
            POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
            if (at.x == -1 && at.y == -1) { // from the keyboard: under the list's top left
                at = POINT{16, 16};
                ::ClientToScreen(state->controls.vlan_list, &at);
            }
            show_vlan_list_menu(*state, at);
            return 0;
        }
        if (state != nullptr && reinterpret_cast<HWND>(wparam) == state->canvas.hwnd()) {
            POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
            if (at.x == -1 && at.y == -1) { // from the keyboard: under the canvas's top left
                at = POINT{16, 16};
                ::ClientToScreen(state->canvas.hwnd(), &at);
            }
            show_edit_menu(*state, at);
            return 0;
        }
        break;
    case WM_NOTIFY:
        if (state != nullptr) return on_notify(*state, *reinterpret_cast<const NMHDR*>(lparam));
        break;
    case WM_TIMER:
        if (state != nullptr && wparam == k_update_timer) {
            state->update->start_if_due();
            return 0;
        }
        if (state != nullptr && wparam == k_recovery_timer) {
            write_recovery_now(*state);
            return 0;
        }
        break;
    case WM_QUERYENDSESSION:
        // Windows asks programs not to hold up the end of a session with a
        // question: the changes go to the recovery copy, which the next
        // start offers, and the session goes on.
        if (state != nullptr) write_recovery_now(*state);
        return TRUE;
    case WM_ENDSESSION:
        if (state != nullptr && wparam != FALSE) {
            write_recovery_now(*state);
            // The restart manager closing the program for an update: it
            // goes without the save question, its recovery copy kept.
            if ((lparam & ENDSESSION_CLOSEAPP) != 0) ::DestroyWindow(hwnd());
        }
        return 0;
    case WM_DROPFILES:
        if (state != nullptr) drop_files(*state, reinterpret_cast<HDROP>(wparam));
        return 0;
    case update::k_update_result_message:
        if (state != nullptr) state->update->take_result();
        return 0;
    default:
        break;
    }
    if (auto handled = controls::common_window_message(hwnd(), msg, wparam, lparam)) return *handled;
    return default_proc(msg, wparam, lparam);
}

LRESULT MainWindow::on_close() noexcept {
    if (state_ != nullptr) {
        if (!confirm_discard(*state_)) return 0;
        // Saved, or the changes given up: no recovery copy is wanted.
        discard_recovery(*state_);
    }
    ::DestroyWindow(hwnd());
    return 0;
}

void MainWindow::on_min_max_info(MINMAXINFO& info) noexcept {
    UINT dpi = controls::window_dpi(hwnd());
    info.ptMinTrackSize.x = scale_units(k_min_width, dpi);
    info.ptMinTrackSize.y = scale_units(k_min_height, dpi);
}

void MainWindow::on_dpi_changed(AppState& state, const RECT& suggested) noexcept {
    ::SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    apply_main_font(state);
    layout_main_controls(state);
    rebuild_scene(state);
}

void MainWindow::on_setting_change(AppState& state) noexcept {
    if (!theme::system_theme_changed()) return;
    rebuild_scene(state);
    theme::retheme_windows();
}

LRESULT MainWindow::on_notify(AppState& state, const NMHDR& header) noexcept {
    if (header.idFrom != static_cast<UINT_PTR>(VlanList)) return 0;
    switch (header.code) {
    case NM_CUSTOMDRAW:
        return listview::vlan_list_custom_draw(reinterpret_cast<const NMLVCUSTOMDRAW&>(header),
                                               state.map.vlans);
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) != 0 &&
            ((change.uNewState ^ change.uOldState) & LVIS_SELECTED) != 0)
            vlan_selection_changed(state);
        return 0;
    }
    case NM_DBLCLK:
        dispatch_command(state, VlanEdit, BN_CLICKED, nullptr);
        return 0;
    default:
        return 0;
    }
}

} // namespace quarn::app
