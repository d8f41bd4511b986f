#include "maker-services/update/updates_window.hpp"

#include <array>

#include "controls/common_message.hpp"
#include "controls/control_table.hpp"
#include "controls/create_controls.hpp"
#include "maker-services/update/update_registry.hpp"
#include "maker-services/update/update_service.hpp"
#include "maker-services/update/updates_page.hpp"
#include "win/wide.hpp"

namespace quarn::update {
namespace {

using controls::ControlKind;
using controls::ControlRow;

constexpr controls::ModelessFrame k_frame{k_updates_window_class, L"Check for Updates", 440, 210};

constexpr std::array<ControlRow, 5> k_controls{{
    {ControlKind::Label, k_updates_status, L"", 12, 12, 400, 64, 0},
    {ControlKind::CheckBox, k_updates_automatic, L"Check Automatically Once a Day", 12, 86, 400, 22, 0},
    {ControlKind::PushButton, k_updates_check_now, L"Check Now", 12, 126, 100, 26, 0},
    {ControlKind::PushButton, k_updates_open_page, L"Open Updates Page", 120, 126, 150, 26, 0},
    {ControlKind::PushButton, IDCANCEL, L"Close", 328, 126, 84, 26, 0},
}};

// Moves the focus off a button that is about to be disabled, so that the
// keyboard never ends up on a dead control.
void enable(HWND window, int id, bool on) noexcept {
    HWND control = ::GetDlgItem(window, id);
    if (control == nullptr) return;
    if (!on && ::GetFocus() == control) ::SetFocus(::GetDlgItem(window, IDCANCEL));
    ::EnableWindow(control, on ? TRUE : FALSE);
}

} // namespace

LRESULT UpdatesWindow::handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
    if (auto handled = modeless_message(msg, wparam)) return *handled;
    if (msg == WM_COMMAND) {
        if (HIWORD(wparam) == BN_CLICKED) on_command(LOWORD(wparam));
        return 0;
    }
    if (auto handled = controls::common_window_message(hwnd(), msg, wparam, lparam)) return *handled;
    return default_proc(msg, wparam, lparam);
}

void UpdatesWindow::on_command(int id) noexcept {
    switch (id) {
    case k_updates_automatic:
        (void)set_update_check(::IsDlgButtonChecked(hwnd(), k_updates_automatic) == BST_CHECKED);
        service_.refresh_views();
        break;
    case k_updates_check_now:
        service_.check_now();
        break;
    case k_updates_open_page:
        (void)open_updates_page(hwnd());
        break;
    default:
        break;
    }
}

void UpdatesWindow::refresh(const UpdateStatus& status) noexcept {
    HWND window = hwnd();
    if (window == nullptr) return;
    try {
        ::SetDlgItemTextW(window, k_updates_status, win::widen(update_status_text(status)).c_str());
    } catch (...) {}
    ::CheckDlgButton(window, k_updates_automatic,
                     status.setting == UpdateCheckSetting::On ? BST_CHECKED : BST_UNCHECKED);
    enable(window, k_updates_check_now, !status.running);
    enable(window, k_updates_open_page, newer_version_found(status.last));
}

HWND UpdatesWindow::show(HWND owner) noexcept {
    auto [window, created] = open(owner, k_frame);
    if (created) (void)controls::create_controls(window, k_controls, controls::window_dpi(window));
    refresh(service_.status());
    if (created) {
        ::ShowWindow(window, SW_SHOW);
        ::SetFocus(::GetDlgItem(window, IDCANCEL));
        ::SetForegroundWindow(window);
    }
    return window;
}

} // namespace quarn::update
