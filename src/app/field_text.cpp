#include "app/field_text.hpp"

#include "win/wide.hpp"

namespace quarn::app {

std::string field_text(HWND field) {
    int length = ::GetWindowTextLengthW(field);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::GetWindowTextW(field, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return win::narrow(text);
}

void set_field_text(HWND control, std::string_view text) noexcept {
    if (control == nullptr) return;
    std::wstring wide = win::widen(text);
    int length = ::GetWindowTextLengthW(control);
    std::wstring old(static_cast<std::size_t>(length) + 1, L'\0');
    ::GetWindowTextW(control, old.data(), length + 1);
    old.resize(static_cast<std::size_t>(length));
    if (old != wide) ::SetWindowTextW(control, wide.c_str());
}

} // namespace quarn::app
