#include "controls/modeless_window.hpp"

namespace quarn::controls {

void bring_to_front(HWND window) noexcept {
    if (::IsIconic(window)) ::ShowWindow(window, SW_RESTORE);
    ::SetForegroundWindow(window);
}

bool take_modeless_message(HWND window, MSG& msg) noexcept {
    if (window == nullptr || msg.hwnd == nullptr || ::GetAncestor(msg.hwnd, GA_ROOT) != window) return false;
    // A multi-line edit (the text viewer's) asks for every key, Escape too,
    // so the dialog navigation would hand Escape to the edit: it is taken
    // first, for every modeless window alike.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
        ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(window, IDCANCEL)));
        return true;
    }
    return ::IsDialogMessageW(window, &msg) != FALSE;
}

HWND first_control(HWND window) noexcept {
    HWND first = ::GetNextDlgTabItem(window, nullptr, FALSE);
    return first != nullptr ? first : ::GetWindow(window, GW_CHILD);
}

} // namespace quarn::controls
