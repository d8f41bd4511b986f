#pragma once

#include <windows.h>

#include "controls/modeless_window.hpp"
#include "maker-services/update/update_status.hpp"

namespace quarn::update {

class UpdateService;

inline constexpr wchar_t k_updates_window_class[] = L"QuarnUpdatesWnd";

// Control ids of the update window; Close is IDCANCEL.
enum UpdatesControl : int {
    k_updates_status = 100,
    k_updates_automatic = 101,
    k_updates_check_now = 102,
    k_updates_open_page = 103,
};

// The "Check for Updates" window of one update service, which owns it: its
// buttons act through the service.
class UpdatesWindow : public controls::ModelessWindow<UpdatesWindow> {
  public:
    explicit UpdatesWindow(UpdateService& service) noexcept : service_(service) {}

    // Opens the window owned by `owner`, or brings the open one to the
    // front, showing the service's status. Null when it could not be
    // created.
    HWND show(HWND owner) noexcept;

    // Rebuilds the open window's text, check box and enabling from `status`.
    void refresh(const UpdateStatus& status) noexcept;

    LRESULT handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept;

  private:
    void on_command(int id) noexcept;

    UpdateService& service_;
};

} // namespace quarn::update
