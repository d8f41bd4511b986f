#include "dialogs/about_window.hpp"

#include <commctrl.h>

#include <array>

#include "config/config_store.hpp"
#include "controls/common_message.hpp"
#include "controls/control_table.hpp"
#include "controls/create_controls.hpp"
#include "controls/icons.hpp"
#include "dialogs/license_texts.hpp"
#include "dialogs/message_box.hpp"
#include "dialogs/shell_open.hpp"
#include "identity/product.hpp"
#include "identity/resource.h"
#include "identity/version.h"
#include "win/unique.hpp"
#include "win/wide.hpp"

namespace quarn::dialogs {
namespace {

using controls::ControlKind;
using controls::ControlRow;

constexpr int k_width = 480;
constexpr int k_height = 362;

// Labels in a column on the left, their values from x = 96; the content
// ends at x = 452.
constexpr std::array<ControlRow, 13> k_controls{{
    {ControlKind::Icon, k_about_icon, L"", 12, 12, 32, 32, 0},
    {ControlKind::Heading, k_about_heading, L"Quarn", 56, 10, 396, 30, 0},
    {ControlKind::Label, k_about_notice, L"", 56, 42, 396, 20, 0},
    {ControlKind::Label, k_about_homepage_label, L"Homepage:", 12, 78, 80, 20, 0},
    {ControlKind::Link, k_about_homepage_link, L"", 96, 78, 356, 20, 0},
    {ControlKind::Label, k_about_description, k_about_description_text, 12, 110, 440, 100, 0},
    {ControlKind::Label, k_about_updates_label, L"Updates:", 12, 220, 80, 20, 0},
    {ControlKind::Link, k_about_updates_text, L"", 96, 220, 356, 20, 0},
    {ControlKind::Label, k_about_settings_label, L"Settings:", 12, 244, 80, 20, 0},
    {ControlKind::Link, k_about_settings_link, L"Open the Settings Folder", 96, 244, 356, 20, 0},
    {ControlKind::PushButton, k_about_license, L"License", 12, 284, 84, 26, 0},
    {ControlKind::PushButton, k_about_third_party, L"Third-Party Licenses", 104, 284, 148, 26, 0},
    // Closes like Escape and the close box, for those who look for a button.
    {ControlKind::PushButton, IDCANCEL, L"Close", 368, 284, 84, 26, 0},
}};

constexpr controls::ModelessFrame k_frame{k_about_window_class, L"About Quarn", k_width, k_height};

} // namespace

std::wstring settings_folder() {
    auto folder = config_folder();
    return folder ? folder->make_preferred().wstring() : std::wstring{};
}

LRESULT AboutWindow::handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
    if (auto handled = modeless_message(msg, wparam)) return *handled;
    switch (msg) {
    case WM_COMMAND:
        return on_command(LOWORD(wparam), HIWORD(wparam));
    case WM_NCDESTROY:
        icon_.reset();
        return default_proc(msg, wparam, lparam);
    default:
        break;
    }
    if (auto handled = controls::common_window_message(hwnd(), msg, wparam, lparam)) return *handled;
    return default_proc(msg, wparam, lparam);
}

// The program's icon in the icon control, at its size for `dpi`.
void AboutWindow::set_icon(HWND control, UINT dpi) noexcept {
    int size = scale_units(32, dpi);
    icon_ = controls::load_icon(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUARN), size);
    if (!icon_) icon_ = controls::load_icon(nullptr, IDI_APPLICATION, size);
    if (control != nullptr && icon_)
        ::SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(icon_.get()), 0);
}

LRESULT AboutWindow::on_command(int id, int notification) noexcept {
    if (notification != BN_CLICKED) return 0;
    switch (id) {
    case k_about_homepage_link:
        (void)open_with_shell(hwnd(), win::widen(identity::k_homepage_url));
        break;
    case k_about_updates_text:
        if (updates_command_ != 0)
            ::SendMessageW(::GetWindow(hwnd(), GW_OWNER), WM_COMMAND, updates_command_, 0);
        break;
    case k_about_settings_link:
        open_settings_folder();
        break;
    case k_about_license:
        (void)viewer_.show(hwnd(), L"License", license_text());
        break;
    case k_about_third_party:
        (void)viewer_.show(hwnd(), L"Third-Party Licenses", third_party_notices_text());
        break;
    default:
        break;
    }
    return 0;
}

void AboutWindow::open_settings_folder() noexcept {
    std::wstring folder = settings_folder();
    if (folder.empty()) {
        show_warning(hwnd(), "Could not open the settings folder: APPDATA is not set.");
        return;
    }
    // Before the first save the folder does not exist yet; it is the
    // settings' own place, so making it is harmless.
    ::CreateDirectoryW(folder.c_str(), nullptr);
    (void)open_with_shell(hwnd(), folder);
}

HWND AboutWindow::show(HWND owner, const AboutUpdatesRow& updates) noexcept {
    updates_command_ = updates.command;
    auto [window, created] = open(owner, k_frame);
    if (!created) return window;
    UINT dpi = controls::window_dpi(window);
    (void)controls::create_controls(window, k_controls, dpi);
    set_icon(::GetDlgItem(window, k_about_icon), dpi);
    ::SetDlgItemTextW(window, k_about_heading, (L"Quarn " + win::widen(QUARN_VERSION_TEXT)).c_str());
    ::SetDlgItemTextW(window, k_about_notice, win::widen(identity::k_copyright_notice).c_str());
    ::SetDlgItemTextW(window, k_about_homepage_link, win::widen(identity::k_homepage_url).c_str());
    ::SetDlgItemTextW(window, k_about_updates_text, updates.text.c_str());
    ::ShowWindow(window, SW_SHOW);
    ::SetForegroundWindow(window);
    ::SetFocus(::GetDlgItem(window, IDCANCEL));
    return window;
}

void AboutWindow::set_updates_text(const std::wstring& text) noexcept {
    if (hwnd() != nullptr) ::SetDlgItemTextW(hwnd(), k_about_updates_text, text.c_str());
}

} // namespace quarn::dialogs
