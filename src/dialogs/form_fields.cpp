#include "dialogs/form_fields.hpp"

#include "dialogs/form_text.hpp"
#include "win/wide.hpp"

namespace quarn::dialogs {

std::string read_field(HWND dialog, int id) {
    wchar_t buffer[k_max_field_text + 1] = {};
    int length = ::GetDlgItemTextW(dialog, id, buffer, static_cast<int>(k_max_field_text + 1));
    if (length > 0 && buffer[length - 1] >= 0xD800 && buffer[length - 1] <= 0xDBFF) --length;
    return win::narrow(std::wstring_view(buffer, static_cast<std::size_t>(length)));
}

void write_field(HWND dialog, int id, std::string_view text) noexcept {
    try {
        ::SetDlgItemTextW(dialog, id, win::widen(text).c_str());
    } catch (...) {
        // Out of memory: the field keeps its text.
    }
}

bool is_checked(HWND dialog, int id) noexcept {
    return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void set_checked(HWND dialog, int id, bool checked) noexcept {
    ::CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void fill_list(HWND dialog, int id, const std::vector<std::string>& entries,
               std::optional<std::size_t> selected) noexcept {
    HWND list = ::GetDlgItem(dialog, id);
    if (list == nullptr) return;
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list, CB_RESETCONTENT, 0, 0);
    try {
        for (const std::string& entry : entries)
            ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::widen(entry).c_str()));
    } catch (...) {
        // Out of memory: the entries so far.
    }
    WPARAM index = selected ? static_cast<WPARAM>(*selected) : static_cast<WPARAM>(-1);
    ::SendMessageW(list, CB_SETCURSEL, index, 0);
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
}

std::optional<std::size_t> list_selection(HWND dialog, int id) noexcept {
    LRESULT index = ::SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR || index < 0) return std::nullopt;
    return static_cast<std::size_t>(index);
}

} // namespace quarn::dialogs
