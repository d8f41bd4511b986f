#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "maker-services/update/update_feed.hpp"
#include "maker-services/update/update_values.hpp"

namespace quarn::update {

// A failed check: the text shown after "The update check failed: ".
struct UpdateFailure {
    std::string message;

    bool operator==(const UpdateFailure&) const = default;
};

// What one check ended with.
using UpdateResult = std::variant<UpdateFound, UpdateFailure>;

// The error texts of a failed check.
[[nodiscard]] std::string unreachable_text(std::string_view host);
[[nodiscard]] std::string server_error_text(std::string_view host, unsigned long status);
inline constexpr char k_feed_unreadable_text[] = "The list of versions could not be read.";

// What the update window shows.
struct UpdateStatus {
    bool running = false;             // a check is under way
    std::optional<UpdateResult> last; // the last result since the program started
    UpdateCheckSetting setting = UpdateCheckSetting::NotAsked;
    std::optional<Date> last_checked; // "UpdateChecked", when it holds a date
};

// The status text of the update window, its lines joined by "\r\n".
[[nodiscard]] std::string update_status_text(const UpdateStatus& status);

// The short state beside "Updates:" in the About window.
[[nodiscard]] std::string about_updates_text(const UpdateStatus& status);

// The first-start question, with the maker's web host; lines joined by "\n"
// as in every message of the program's box.
[[nodiscard]] std::string consent_question_text(std::string_view web_host);

// "Open Updates Page" only makes sense once a check found something newer.
[[nodiscard]] bool newer_version_found(const std::optional<UpdateResult>& last) noexcept;

} // namespace quarn::update
