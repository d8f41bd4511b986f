#include "maker-services/update/update_registry.hpp"

#include <windows.h>

#include "identity/product.hpp"
#include "win/unique.hpp"
#include "win/wide.hpp"

namespace quarn::update {
namespace {

constexpr wchar_t k_update_check_value[] = L"UpdateCheck";
constexpr wchar_t k_update_checked_value[] = L"UpdateChecked";
constexpr wchar_t k_update_notified_value[] = L"UpdateNotified";

// A string value of the update key; nothing when the key or the value is
// missing, or the value is not a string.
std::optional<std::string> read_value(const wchar_t* name) noexcept {
    try {
        win::UniqueKey key;
        HKEY raw = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, update_registry_key().c_str(), 0, KEY_QUERY_VALUE, &raw) !=
            ERROR_SUCCESS)
            return std::nullopt;
        key.reset(raw);
        DWORD bytes = 0;
        if (::RegGetValueW(key.get(), nullptr, name, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) !=
            ERROR_SUCCESS)
            return std::nullopt;
        std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        if (::RegGetValueW(key.get(), nullptr, name, RRF_RT_REG_SZ, nullptr, text.data(), &bytes) !=
            ERROR_SUCCESS)
            return std::nullopt;
        text.resize(::wcsnlen(text.c_str(), text.size()));
        return win::narrow(text);
    } catch (...) {
        return std::nullopt;
    }
}

bool write_value(const wchar_t* name, std::string_view value) noexcept {
    try {
        HKEY raw = nullptr;
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, update_registry_key().c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &raw, nullptr) != ERROR_SUCCESS)
            return false;
        win::UniqueKey key(raw);
        std::wstring text = win::widen(value);
        auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
        return ::RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                bytes) == ERROR_SUCCESS;
    } catch (...) {
        return false;
    }
}

} // namespace

std::wstring update_registry_key() {
    return L"Software\\" + win::widen(identity::k_maker_name) + L"\\" + win::widen(identity::k_product_id);
}

UpdateCheckSetting update_check_setting() noexcept {
    auto text = read_value(k_update_check_value);
    return parse_update_check_setting(text ? std::optional<std::string_view>(*text) : std::nullopt);
}

bool set_update_check(bool on) noexcept {
    return write_value(k_update_check_value, update_check_setting_text(on));
}

std::optional<Date> last_update_check() noexcept {
    auto text = read_value(k_update_checked_value);
    return text ? parse_date(*text) : std::nullopt;
}

bool record_update_check(Date day) noexcept {
    try {
        return write_value(k_update_checked_value, date_text(day));
    } catch (...) {
        return false;
    }
}

Date local_today() noexcept {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return Date{now.wYear, now.wMonth, now.wDay};
}

bool update_check_due() noexcept {
    return update::update_check_due(update_check_setting(), last_update_check(), local_today());
}

bool mark_notified(Version version) noexcept {
    try {
        std::string text = version_text(version);
        if (read_value(k_update_notified_value) == text) return false;
        write_value(k_update_notified_value, text);
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace quarn::update
