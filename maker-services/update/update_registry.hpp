#pragma once

#include <optional>
#include <string>

#include "maker-services/update/update_values.hpp"
#include "maker-services/update/version.hpp"

namespace quarn::update {

// The per-user key under HKEY_CURRENT_USER that holds the update values.
[[nodiscard]] std::wstring update_registry_key();

// "UpdateCheck": the user's consent, or not asked when missing or unknown.
[[nodiscard]] UpdateCheckSetting update_check_setting() noexcept;
bool set_update_check(bool on) noexcept;

// "UpdateChecked": the day of the last successful check, when it holds a
// date in the exact stored form.
[[nodiscard]] std::optional<Date> last_update_check() noexcept;
bool record_update_check(Date day) noexcept;

// Today on the local calendar.
[[nodiscard]] Date local_today() noexcept;

// update_check_due on the stored values and today.
[[nodiscard]] bool update_check_due() noexcept;

// False when "UpdateNotified" already holds this version; otherwise stores
// it and returns true, so the automatic check tells about each version once.
bool mark_notified(Version version) noexcept;

} // namespace quarn::update
