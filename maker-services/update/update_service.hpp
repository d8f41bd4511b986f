#pragma once

#include <windows.h>

#include <optional>

#include "maker-services/update/update_check.hpp"
#include "maker-services/update/update_status.hpp"
#include "maker-services/update/updates_window.hpp"

namespace quarn::dialogs {
class AboutWindow;
}

namespace quarn::update {

// The update check as the shell uses it: the consent question, the daily
// schedule, the result's arrival and the views that show it (the update
// window, which it owns, and About's "Updates:" row). Owned by the
// user-interface thread.
class UpdateService {
  public:
    explicit UpdateService(HWND main, UpdateEndpoint endpoint = default_update_endpoint());
    UpdateService(const UpdateService&) = delete;
    UpdateService& operator=(const UpdateService&) = delete;

    // Asks once whether to check automatically, when the user never said.
    void ask_consent(HWND owner) noexcept;
    // Starts a check when the daily one is due (at start-up, every hour).
    void start_if_due() noexcept;
    // "Check Now": whether or not the daily check is on.
    void check_now() noexcept;
    // The worker's message arrived: keeps its result as this run's last and
    // opens the update window for a version the user has not been told of.
    void take_result() noexcept;

    void show_window(HWND owner) noexcept;
    // Rebuilds what the update window and About show.
    void refresh_views() noexcept;
    // The About window whose "Updates:" row follows the status (null: none);
    // it must outlive the service or be replaced first.
    void show_status_in(dialogs::AboutWindow* about) noexcept { about_ = about; }

    // The service's "Check for Updates" window; closed with the service.
    [[nodiscard]] UpdatesWindow& window() noexcept { return window_; }

    [[nodiscard]] UpdateStatus status() const noexcept;
    // A newer version is known from this run's last check.
    [[nodiscard]] bool newer_known() const noexcept { return newer_version_found(last_); }

  private:
    HWND main_;
    UpdateCheck check_;
    std::optional<UpdateResult> last_;
    dialogs::AboutWindow* about_ = nullptr;
    UpdatesWindow window_{*this};
};

} // namespace quarn::update
