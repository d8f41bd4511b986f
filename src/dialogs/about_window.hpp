#pragma once

#include <windows.h>

#include <string>

#include "controls/modeless_window.hpp"
#include "dialogs/text_viewer.hpp"
#include "win/unique.hpp"

namespace quarn::dialogs {

inline constexpr wchar_t k_about_window_class[] = L"QuarnAboutWnd";

// Control ids of the About window.
enum AboutControl : int {
    k_about_heading = 10,
    k_about_notice = 11,
    k_about_homepage_label = 12,
    k_about_homepage_link = 13,
    k_about_description = 14,
    k_about_updates_label = 15,
    k_about_updates_text = 16,
    k_about_settings_label = 17,
    k_about_settings_link = 18,
    k_about_license = 20,
    k_about_third_party = 21,
    k_about_icon = 22,
};

inline constexpr wchar_t k_about_description_text[] =
    L"Maps which VLANs run over which switch ports, for any switch brand. You fill the map in by hand; Quarn "
    L"never connects to a switch and changes nothing on your network.\r\n\r\n"
    L"A map is a file of your own. Check what it shows against the switch before you rely on it.";

// What About shows beside "Updates:": the state of the update check, as a
// link that sends `command` to the owner (the command that opens the update
// window); with command 0 it is only a text.
struct AboutUpdatesRow {
    std::wstring text = L"Automatic update checks are not set up yet.";
    int command = 0;
};

// The About window: the version, the homepage, the state of the update
// check, the settings folder and the licences, which it shows in `viewer`
// (the text viewer of the same owner, which must outlive it).
class AboutWindow : public controls::ModelessWindow<AboutWindow> {
  public:
    explicit AboutWindow(TextViewer& viewer) noexcept : viewer_(viewer) {}

    // Opens the window owned by `owner`, or brings the open one to the
    // front. Returns its handle (null when it could not be created); it
    // closes itself (Escape, the close box).
    HWND show(HWND owner, const AboutUpdatesRow& updates = {}) noexcept;

    // The text beside "Updates:" of the open window.
    void set_updates_text(const std::wstring& text) noexcept;

    LRESULT handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept;

  private:
    LRESULT on_command(int id, int notification) noexcept;
    void open_settings_folder() noexcept;
    void set_icon(HWND control, UINT dpi) noexcept;

    TextViewer& viewer_;
    int updates_command_ = 0; // sent to the owner by the "Updates:" link
    win::UniqueIcon icon_;
};

// The folder of the settings file: %APPDATA%\Quarn. Empty when APPDATA is
// not set.
[[nodiscard]] std::wstring settings_folder();

} // namespace quarn::dialogs
