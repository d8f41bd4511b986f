#include "app/message_loop.hpp"

#include "app/app_state.hpp"
#include "dialogs/about_window.hpp"

namespace quarn::app {
namespace {

bool belongs_to(HWND window, HWND owner) noexcept {
    return owner != nullptr && (window == owner || ::IsChild(owner, window));
}

} // namespace

bool accelerators_apply(HWND focus) noexcept {
    if (focus == nullptr) return true;
    wchar_t name[17] = {};
    ::GetClassNameW(focus, name, 17);
    return ::lstrcmpiW(name, L"Edit") != 0;
}

int run_message_loop(HACCEL accelerators) noexcept {
    MSG msg{};
    for (;;) {
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        AppState* state = current_state();
        if (state != nullptr) {
            // The About window and its text viewer (Escape closes the viewer).
            if (dialogs::about_dialog_message(msg)) continue;
            if (state->updates != nullptr && ::IsWindow(state->updates) &&
                belongs_to(msg.hwnd, state->updates) && ::IsDialogMessageW(state->updates, &msg))
                continue;
            if (accelerators != nullptr && accelerators_apply(::GetFocus()) &&
                ::TranslateAcceleratorW(state->main, accelerators, &msg))
                continue;
            if (::IsDialogMessageW(state->main, &msg)) continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
}

} // namespace quarn::app
