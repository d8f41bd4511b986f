#include "app/message_loop.hpp"

#include "app/accelerators.hpp"
#include "app/app_state.hpp"
#include "app/commands.hpp"

namespace quarn::app {
namespace {

// Enter in one of the main window's own text fields, on one of its buttons
// or in the VLAN list. The dialog navigation would ask the main window for
// its default button with DM_GETDEFID, which is WM_USER, and the window's
// identity answer to WM_USER reads as "default button 126": Enter has to be
// taken before the navigation sees it.
bool is_enter(const MSG& msg) noexcept {
    return msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && msg.hwnd != nullptr;
}

bool is_field(const MainControls& controls, HWND window) noexcept {
    for (HWND field : {controls.range, controls.label, controls.site, controls.description})
        if (field != nullptr && window == field) return true;
    return false;
}

// A push button of the main window (not a check box): Enter presses it, as
// Space does.
bool is_push_button(HWND main, HWND window) noexcept {
    if (window == nullptr || ::GetParent(window) != main) return false;
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, 16);
    return ::lstrcmpiW(name, L"Button") == 0 &&
           (::GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
}

bool take_enter(AppState& state, const MSG& msg) noexcept {
    if (!is_enter(msg)) return false;
    if (is_field(state.controls, msg.hwnd)) {
        ::SendMessageW(state.main, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(msg.hwnd));
        return true;
    }
    if (is_push_button(state.main, msg.hwnd)) {
        if (::IsWindowEnabled(msg.hwnd))
            ::SendMessageW(state.main, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(msg.hwnd), BN_CLICKED),
                           reinterpret_cast<LPARAM>(msg.hwnd));
        return true;
    }
    if (msg.hwnd == state.controls.vlan_list) {
        if (state.controls.edit_vlan != nullptr && ::IsWindowEnabled(state.controls.edit_vlan))
            ::SendMessageW(state.main, WM_COMMAND, MAKEWPARAM(VlanEdit, 0), 0);
        return true;
    }
    return false;
}

} // namespace

bool accelerators_apply(HWND focus) noexcept {
    if (focus == nullptr) return true;
    wchar_t name[17] = {};
    ::GetClassNameW(focus, name, 17);
    return ::lstrcmpiW(name, L"Edit") != 0;
}

bool take_message(AppState* state, HACCEL accelerators, MSG& msg) noexcept {
    if (state == nullptr) return false;
    // The one-instance windows: Escape closes them, their keys go to their
    // dialog navigation.
    if (state->about.take_message(msg) || state->viewer.take_message(msg) ||
        (state->update && state->update->window().take_message(msg)))
        return true;
    if (state->find.take_message(msg) || state->check.take_message(msg)) return true;
    if (state->menu_bar.take(*state, msg)) return true;
    if (accelerators != nullptr && accelerators_apply(::GetFocus()) &&
        ::TranslateAcceleratorW(state->main, accelerators, &msg))
        return true;
    if (take_enter(*state, msg)) return true;
    return ::IsDialogMessageW(state->main, &msg) != FALSE;
}

HACCEL create_accelerators() noexcept {
    return ::CreateAcceleratorTableW(const_cast<ACCEL*>(k_accelerators.data()),
                                     static_cast<int>(k_accelerators.size()));
}

int run_message_loop(const MainWindow& window, HACCEL accelerators) noexcept {
    MSG msg{};
    for (;;) {
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        if (take_message(window.state(), accelerators, msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
}

} // namespace quarn::app
