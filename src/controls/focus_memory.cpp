#include "controls/focus_memory.hpp"

namespace quarn::controls {

std::optional<LRESULT> FocusMemory::message(HWND window, UINT msg, WPARAM wparam, HWND fallback) noexcept {
    if (msg != WM_ACTIVATE) return std::nullopt;
    if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(window, focus)) last_ = focus;
        return std::nullopt;
    }
    HWND target = last_ != nullptr && ::IsWindow(last_) && ::IsChild(window, last_) ? last_ : fallback;
    if (target == nullptr) return std::nullopt;
    ::SetFocus(target);
    return 0;
}

} // namespace quarn::controls
