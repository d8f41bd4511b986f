#include "maker-services/update/update_values.hpp"

#include <cstdio>

namespace quarn::update {
namespace {

bool is_leap(int year) noexcept {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int days_in_month(int year, int month) noexcept {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && is_leap(year) ? 29 : days[month - 1];
}

std::optional<int> digits(std::string_view text) noexcept {
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

UpdateCheckSetting parse_update_check_setting(std::optional<std::string_view> text) noexcept {
    if (text == "on") return UpdateCheckSetting::On;
    if (text == "off") return UpdateCheckSetting::Off;
    return UpdateCheckSetting::NotAsked;
}

std::string_view update_check_setting_text(bool on) noexcept {
    return on ? "on" : "off";
}

std::optional<Date> parse_date(std::string_view text) noexcept {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    auto year = digits(text.substr(0, 4));
    auto month = digits(text.substr(5, 2));
    auto day = digits(text.substr(8, 2));
    if (!year || !month || !day) return std::nullopt;
    if (*month < 1 || *month > 12 || *day < 1 || *day > days_in_month(*year, *month)) return std::nullopt;
    return Date{*year, *month, *day};
}

std::string date_text(Date date) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

bool update_check_due(UpdateCheckSetting setting, std::optional<Date> last_checked, Date today) noexcept {
    return setting == UpdateCheckSetting::On && last_checked != today;
}

} // namespace quarn::update
