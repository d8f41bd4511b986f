#include "maker-services/install/uninstall_entry.hpp"

#include "win/unique.hpp"

namespace quarn::install {

LSTATUS write_uninstall_entry(const std::wstring& key, const std::vector<UninstallValue>& values) noexcept {
    HKEY raw = nullptr;
    LSTATUS status = ::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                       &raw, nullptr);
    if (status != ERROR_SUCCESS) return status;
    win::UniqueKey entry(raw);
    for (const UninstallValue& value : values) {
        if (value.kind == ValueKind::Number) {
            DWORD number = value.number;
            status = ::RegSetValueExW(entry.get(), value.name.c_str(), 0, REG_DWORD,
                                      reinterpret_cast<const BYTE*>(&number), sizeof number);
        } else {
            auto bytes = static_cast<DWORD>((value.text.size() + 1) * sizeof(wchar_t));
            status = ::RegSetValueExW(entry.get(), value.name.c_str(), 0, REG_SZ,
                                      reinterpret_cast<const BYTE*>(value.text.c_str()), bytes);
        }
        if (status != ERROR_SUCCESS) return status;
    }
    return ERROR_SUCCESS;
}

LSTATUS delete_uninstall_entry(const std::wstring& key) noexcept {
    LSTATUS status = ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

} // namespace quarn::install
