#include "dialogs/about_window.hpp"

#include <commctrl.h>

#include <array>

#include "config/config_store.hpp"
#include "controls/common_message.hpp"
#include "controls/control_table.hpp"
#include "controls/create_controls.hpp"
#include "controls/dialog_window.hpp"
#include "controls/icons.hpp"
#include "dialogs/license_texts.hpp"
#include "dialogs/message_box.hpp"
#include "dialogs/shell_open.hpp"
#include "dialogs/text_viewer.hpp"
#include "identity/product.hpp"
#include "identity/resource.h"
#include "identity/version.h"
#include "win/unique.hpp"
#include "win/wide.hpp"
#include "win/window_base.hpp"

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

class AboutWindow : public win::WindowBase<AboutWindow> {
  public:
    int updates_command = 0; // sent to the owner by the "Updates:" link

    LRESULT handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
        switch (msg) {
        case WM_COMMAND:
            return on_command(LOWORD(wparam), HIWORD(wparam));
        case WM_ACTIVATE:
            on_activate(LOWORD(wparam));
            return 0;
        case WM_DESTROY:
            last_focus_ = nullptr;
            return 0;
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
    void set_icon(HWND control, UINT dpi) noexcept {
        int size = scale_units(32, dpi);
        icon_ = controls::load_icon(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUARN), size);
        if (!icon_) icon_ = controls::load_icon(nullptr, IDI_APPLICATION, size);
        if (control != nullptr && icon_)
            ::SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(icon_.get()), 0);
    }

  private:
    LRESULT on_command(int id, int notification) noexcept {
        if (notification != BN_CLICKED) return 0;
        switch (id) {
        case k_about_homepage_link:
            (void)open_with_shell(hwnd(), win::widen(identity::k_homepage_url));
            break;
        case k_about_updates_text:
            if (updates_command != 0)
                ::SendMessageW(::GetWindow(hwnd(), GW_OWNER), WM_COMMAND, updates_command, 0);
            break;
        case k_about_settings_link:
            open_settings_folder();
            break;
        case k_about_license:
            (void)show_text_viewer(hwnd(), L"License", license_text());
            break;
        case k_about_third_party:
            (void)show_text_viewer(hwnd(), L"Third-Party Licenses", third_party_notices_text());
            break;
        case IDOK:
        case IDCANCEL:
            ::DestroyWindow(hwnd());
            break;
        default:
            break;
        }
        return 0;
    }

    void open_settings_folder() noexcept {
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

    // A modeless window keeps its focused control across activations.
    void on_activate(WORD state) noexcept {
        if (state == WA_INACTIVE) {
            HWND focus = ::GetFocus();
            if (focus != nullptr && ::IsChild(hwnd(), focus)) last_focus_ = focus;
            return;
        }
        HWND target = last_focus_ != nullptr && ::IsChild(hwnd(), last_focus_)
                          ? last_focus_
                          : ::GetNextDlgTabItem(hwnd(), nullptr, FALSE);
        if (target != nullptr) ::SetFocus(target);
    }

    win::UniqueIcon icon_;
    HWND last_focus_ = nullptr;
};

AboutWindow& about() noexcept {
    thread_local AboutWindow the_window;
    return the_window;
}

} // namespace

std::wstring settings_folder() {
    auto folder = config_folder();
    return folder ? folder->make_preferred().wstring() : std::wstring{};
}

HWND about_window() noexcept {
    return about().hwnd();
}

HWND show_about(HWND owner, const AboutUpdatesRow& updates) noexcept {
    AboutWindow& window = about();
    window.updates_command = updates.command;
    if (window.hwnd() != nullptr) {
        if (::IsIconic(window.hwnd())) ::ShowWindow(window.hwnd(), SW_RESTORE);
        ::SetForegroundWindow(window.hwnd());
        return window.hwnd();
    }
    HWND created = controls::create_dialog_window(
        k_about_window_class, L"About Quarn", &AboutWindow::window_proc, owner, k_width, k_height, &window);
    if (created == nullptr) return nullptr;
    UINT dpi = controls::window_dpi(created);
    (void)controls::create_controls(created, k_controls, dpi);
    window.set_icon(::GetDlgItem(created, k_about_icon), dpi);
    ::SetDlgItemTextW(created, k_about_heading, (L"Quarn " + win::widen(QUARN_VERSION_TEXT)).c_str());
    ::SetDlgItemTextW(created, k_about_notice, win::widen(identity::k_copyright_notice).c_str());
    ::SetDlgItemTextW(created, k_about_homepage_link, win::widen(identity::k_homepage_url).c_str());
    ::SetDlgItemTextW(created, k_about_updates_text, updates.text.c_str());
    ::ShowWindow(created, SW_SHOW);
    ::SetForegroundWindow(created);
    ::SetFocus(::GetDlgItem(created, IDCANCEL));
    return created;
}

bool about_dialog_message(MSG& msg) noexcept {
    HWND about_hwnd = about_window();
    if (about_hwnd != nullptr && msg.hwnd != nullptr && ::GetAncestor(msg.hwnd, GA_ROOT) == about_hwnd)
        return ::IsDialogMessageW(about_hwnd, &msg) != FALSE;
    HWND viewer = text_viewer_window();
    if (viewer != nullptr && msg.hwnd != nullptr && ::GetAncestor(msg.hwnd, GA_ROOT) == viewer) {
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            ::DestroyWindow(viewer);
            return true;
        }
        return ::IsDialogMessageW(viewer, &msg) != FALSE;
    }
    return false;
}

} // namespace quarn::dialogs
