#include "app/message_loop.hpp"

#include "app/accelerators.hpp"
#include "app/app_state.hpp"

namespace quarn::app {
namespace {

// Enter in one of the main window's own text fields. The dialog navigation
// would ask the main window for its default button with DM_GETDEFID, which is
// WM_USER, and the window's identity answer to WM_USER reads as "default
// button 126": Enter has to be taken before the navigation sees it.
bool is_enter_in_field(const MainControls& controls, const MSG& msg) noexcept {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN || msg.hwnd == nullptr) return false;
    for (HWND field : {controls.range, controls.label, controls.site, controls.description})
        if (field != nullptr && msg.hwnd == field) return true;
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
    if (accelerators != nullptr && accelerators_apply(::GetFocus()) &&
        ::TranslateAcceleratorW(state->main, accelerators, &msg))
        return true;
    if (is_enter_in_field(state->controls, msg)) {
        ::SendMessageW(state->main, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(msg.hwnd));
        return true;
    }
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
