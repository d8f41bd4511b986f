#include "dialogs/focus_memory.hpp"

namespace quarn::dialogs {

std::optional<LRESULT> FocusMemory::message(HWND dialog, UINT msg, WPARAM wparam) noexcept {
    if (msg != WM_ACTIVATE) return std::nullopt;
    if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(dialog, focus)) last_ = focus;
        return std::nullopt;
    }
    if (last_ == nullptr || !::IsWindow(last_) || !::IsChild(dialog, last_)) return std::nullopt;
    ::SetFocus(last_);
    return 0;
}

} // namespace quarn::dialogs
