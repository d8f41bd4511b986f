#include "maker-services/update/updates_window.hpp"

#include <array>

#include "controls/common_message.hpp"
#include "controls/control_table.hpp"
#include "controls/create_controls.hpp"
#include "controls/dialog_window.hpp"
#include "maker-services/update/update_registry.hpp"
#include "maker-services/update/update_service.hpp"
#include "maker-services/update/updates_page.hpp"
#include "win/wide.hpp"
#include "win/window_base.hpp"

namespace quarn::update {
namespace {

using controls::ControlKind;
using controls::ControlRow;

constexpr int k_width = 440;
constexpr int k_height = 210;

constexpr std::array<ControlRow, 5> k_controls{{
    {ControlKind::Label, k_updates_status, L"", 12, 12, 400, 64, 0},
    {ControlKind::CheckBox, k_updates_automatic, L"Check Automatically Once a Day", 12, 86, 400, 22, 0},
    {ControlKind::PushButton, k_updates_check_now, L"Check Now", 12, 126, 100, 26, 0},
    {ControlKind::PushButton, k_updates_open_page, L"Open Updates Page", 120, 126, 150, 26, 0},
    {ControlKind::PushButton, IDCANCEL, L"Close", 328, 126, 84, 26, 0},
}};

class UpdatesWindow : public win::WindowBase<UpdatesWindow> {
  public:
    UpdateService* service = nullptr;

    LRESULT handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
        switch (msg) {
        case WM_COMMAND:
            if (HIWORD(wparam) == BN_CLICKED) on_command(LOWORD(wparam));
            return 0;
        case WM_DESTROY:
            service = nullptr;
            return 0;
        default:
            break;
        }
        if (auto handled = controls::common_window_message(hwnd(), msg, wparam, lparam)) return *handled;
        return default_proc(msg, wparam, lparam);
    }

  private:
    void on_command(int id) noexcept {
        switch (id) {
        case k_updates_automatic:
            (void)set_update_check(::IsDlgButtonChecked(hwnd(), k_updates_automatic) == BST_CHECKED);
            if (service) service->refresh_views();
            break;
        case k_updates_check_now:
            if (service) service->check_now();
            break;
        case k_updates_open_page:
            (void)open_updates_page(hwnd());
            break;
        case IDOK:
        case IDCANCEL:
            ::DestroyWindow(hwnd());
            break;
        default:
            break;
        }
    }
};

UpdatesWindow& the_window() noexcept {
    thread_local UpdatesWindow window;
    return window;
}

// Moves the focus off a button that is about to be disabled, so that the
// keyboard never ends up on a dead control.
void enable(HWND window, int id, bool on) noexcept {
    HWND control = ::GetDlgItem(window, id);
    if (control == nullptr) return;
    if (!on && ::GetFocus() == control) ::SetFocus(::GetDlgItem(window, IDCANCEL));
    ::EnableWindow(control, on ? TRUE : FALSE);
}

} // namespace

HWND updates_window() noexcept {
    return the_window().hwnd();
}

void refresh_updates_window(const UpdateStatus& status) noexcept {
    HWND window = updates_window();
    if (window == nullptr) return;
    try {
        ::SetDlgItemTextW(window, k_updates_status, win::widen(update_status_text(status)).c_str());
    } catch (...) {}
    ::CheckDlgButton(window, k_updates_automatic,
                     status.setting == UpdateCheckSetting::On ? BST_CHECKED : BST_UNCHECKED);
    enable(window, k_updates_check_now, !status.running);
    enable(window, k_updates_open_page, newer_version_found(status.last));
}

HWND show_updates_window(HWND owner, UpdateService& service) noexcept {
    UpdatesWindow& window = the_window();
    window.service = &service;
    if (window.hwnd() == nullptr) {
        HWND created =
            controls::create_dialog_window(k_updates_window_class, L"Check for Updates",
                                           &UpdatesWindow::window_proc, owner, k_width, k_height, &window);
        if (created == nullptr) return nullptr;
        (void)controls::create_controls(created, k_controls, controls::window_dpi(created));
        refresh_updates_window(service.status());
        ::ShowWindow(created, SW_SHOW);
        ::SetFocus(::GetDlgItem(created, IDCANCEL));
    } else {
        refresh_updates_window(service.status());
        if (::IsIconic(window.hwnd())) ::ShowWindow(window.hwnd(), SW_RESTORE);
    }
    ::SetForegroundWindow(window.hwnd());
    return window.hwnd();
}

} // namespace quarn::update
