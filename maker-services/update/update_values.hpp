#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quarn::update {

// The user's consent to the daily check, as stored in "UpdateCheck".
enum class UpdateCheckSetting { NotAsked, On, Off };

// "on" and "off" exactly; any other text, or no value at all, means the user
// has not been asked yet.
[[nodiscard]] UpdateCheckSetting parse_update_check_setting(std::optional<std::string_view> text) noexcept;
[[nodiscard]] std::string_view update_check_setting_text(bool on) noexcept;

// A calendar day.
struct Date {
    int year = 0;
    int month = 0;
    int day = 0;

    bool operator==(const Date&) const = default;
};

// Only the exact ten-character form "yyyy-mm-dd" of a day that exists;
// "2026-1-9", "2026-02-30" or anything else is no date.
[[nodiscard]] std::optional<Date> parse_date(std::string_view text) noexcept;
// Zero-padded: four digits of year, two of month and day.
[[nodiscard]] std::string date_text(Date date);

// The daily check is due when the user said yes and no successful check is
// recorded for today (the stored day is missing, unreadable or another day).
[[nodiscard]] bool update_check_due(UpdateCheckSetting setting, std::optional<Date> last_checked,
                                    Date today) noexcept;

} // namespace quarn::update
