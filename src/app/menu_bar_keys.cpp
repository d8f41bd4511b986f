#include "app/menu_bar_keys.hpp"

#include <cwctype>

#include "app/app_state.hpp"
#include "app/commands.hpp"

namespace quarn::app {
namespace {

constexpr int k_first_menu = MenuFile;
constexpr int k_last_menu = MenuHelp;

bool key_down(int key) noexcept {
    return (::GetKeyState(key) & 0x8000) != 0;
}

// The keyboard cues (underlined access keys, focus rectangles) on, as
// Windows turns them on when the keyboard reaches for a menu.
void show_cues(HWND main) noexcept {
    ::SendMessageW(main, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL | UISF_HIDEFOCUS), 0);
}

void open_menu(AppState& state, int id) noexcept {
    HWND button = ::GetDlgItem(state.main, id);
    if (button == nullptr || !::IsWindowEnabled(button)) return;
    show_cues(state.main);
    ::SendMessageW(state.main, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

} // namespace

int menu_of_access_key(HWND main, WPARAM key) noexcept {
    for (int id = k_first_menu; id <= k_last_menu; ++id) {
        wchar_t text[32] = {};
        if (::GetWindowTextW(::GetDlgItem(main, id), text, 32) > 0 &&
            static_cast<WPARAM>(std::towupper(text[0])) == key)
            return id;
    }
    return 0;
}

bool is_menu_bar_button(HWND main, HWND window) noexcept {
    if (window == nullptr || ::GetParent(window) != main) return false;
    int id = ::GetDlgCtrlID(window);
    return id >= k_first_menu && id <= k_last_menu;
}

void MenuBarKeys::enter(AppState& state) noexcept {
    HWND focus = ::GetFocus();
    if (is_menu_bar_button(state.main, focus)) return;
    HWND first = ::GetDlgItem(state.main, k_first_menu);
    if (first == nullptr) return;
    return_focus_ = focus;
    show_cues(state.main);
    ::SetFocus(first);
}

void MenuBarKeys::leave(AppState& state) noexcept {
    HWND back = return_focus_;
    return_focus_ = nullptr;
    if (back != nullptr && ::IsWindow(back) && ::IsWindowVisible(back) && ::IsWindowEnabled(back))
        ::SetFocus(back);
    else if (state.canvas.hwnd() != nullptr)
        ::SetFocus(state.canvas.hwnd());
}

bool MenuBarKeys::take(AppState& state, const MSG& msg) noexcept {
    if (state.main == nullptr || (msg.hwnd != state.main && !::IsChild(state.main, msg.hwnd))) return false;
    bool on_bar = is_menu_bar_button(state.main, ::GetFocus());
    if (!on_bar) return_focus_ = nullptr;

    switch (msg.message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        // A click while Alt is held is a click, not a call for the bar.
        alt_alone_ = false;
        return false;
    case WM_SYSKEYDOWN:
        if (msg.wParam == VK_MENU) {
            // A held Alt repeats: only its first press starts "Alt alone".
            if ((msg.lParam & (1 << 30)) == 0) alt_alone_ = true;
            show_cues(state.main);
            return false;
        }
        alt_alone_ = false;
        if (msg.wParam == VK_F10 && !key_down(VK_SHIFT) && !key_down(VK_CONTROL)) {
            if (on_bar)
                leave(state);
            else
                enter(state);
            return true;
        }
        // Alt with a letter; Ctrl with Alt is AltGr, which types characters.
        if ((msg.lParam & (1 << 29)) != 0 && !key_down(VK_CONTROL)) {
            if (int id = menu_of_access_key(state.main, msg.wParam)) {
                open_menu(state, id);
                return true;
            }
        }
        return false;
    case WM_SYSKEYUP:
        if (msg.wParam == VK_MENU && alt_alone_) {
            alt_alone_ = false;
            if (on_bar)
                leave(state);
            else
                enter(state);
            return true;
        }
        return false;
    case WM_KEYDOWN:
        alt_alone_ = false;
        if (!on_bar) return false;
        switch (msg.wParam) {
        case VK_LEFT:
        case VK_RIGHT: {
            int id = ::GetDlgCtrlID(::GetFocus());
            int count = k_last_menu - k_first_menu + 1;
            int step = msg.wParam == VK_RIGHT ? 1 : count - 1;
            int next = k_first_menu + (id - k_first_menu + step) % count;
            if (HWND button = ::GetDlgItem(state.main, next)) ::SetFocus(button);
            return true;
        }
        case VK_DOWN:
            open_menu(state, ::GetDlgCtrlID(::GetFocus()));
            return true;
        case VK_ESCAPE:
            if (return_focus_ == nullptr) return false; // came by Tab: Escape is the window's
            leave(state);
            return true;
        default:
            return false;
        }
    default:
        return false;
    }
}

} // namespace quarn::app
