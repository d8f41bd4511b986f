#include "controls/modal.hpp"

#include <commctrl.h>

#include <cwchar>

namespace quarn::controls {
namespace {

// The run's result slot, reached from the dialog's window.
constexpr wchar_t k_result_property[] = L"Quarn.DialogResult";

DialogResult* result_slot(HWND dialog) noexcept {
    return static_cast<DialogResult*>(::GetPropW(dialog, k_result_property));
}

void focus_control(HWND dialog, int id) noexcept {
    HWND control = ::GetDlgItem(dialog, id);
    if (control == nullptr) {
        ::SetFocus(dialog);
        return;
    }
    ::SetFocus(control);
    wchar_t name[16] = {};
    ::GetClassNameW(control, name, 16);
    if (::_wcsicmp(name, WC_EDITW) == 0) ::SendMessageW(control, EM_SETSEL, 0, -1);
}

} // namespace

void set_dialog_result(HWND dialog, DialogResult result) noexcept {
    if (DialogResult* slot = result_slot(dialog)) *slot = result;
}

std::optional<LRESULT> dialog_result_message(HWND dialog, UINT msg, WPARAM wparam) noexcept {
    if (msg == WM_CLOSE) {
        set_dialog_result(dialog, DialogResult::Closed);
        return 0;
    }
    if (msg != WM_COMMAND || HIWORD(wparam) != BN_CLICKED) return std::nullopt;
    if (LOWORD(wparam) == IDOK) {
        set_dialog_result(dialog, DialogResult::OkPressed);
        return 0;
    }
    if (LOWORD(wparam) == IDCANCEL) {
        set_dialog_result(dialog, DialogResult::Closed);
        return 0;
    }
    return std::nullopt;
}

namespace detail {

void begin_modal(HWND dialog, HWND owner, int first_focus_id) noexcept {
    if (owner != nullptr) ::EnableWindow(owner, FALSE);
    ::ShowWindow(dialog, SW_SHOW);
    ::SetForegroundWindow(dialog);
    focus_control(dialog, first_focus_id);
}

bool pump_modal(HWND dialog) noexcept {
    // Destroyed behind the loop's back: nothing left to wait for.
    if (!::IsWindow(dialog)) return false;
    MSG msg{};
    BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    if (got == -1) return false;
    if (!::IsDialogMessageW(dialog, &msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return true;
}

void end_modal(HWND dialog, HWND owner) noexcept {
    // The owner first, so that it, not some other program, is activated when
    // the dialog goes.
    if (owner != nullptr) ::EnableWindow(owner, TRUE);
    if (!::IsWindow(dialog)) return;
    // A window must not carry its properties into destruction.
    (void)::RemovePropW(dialog, k_result_property);
    ::DestroyWindow(dialog);
}

} // namespace detail

bool run_modal(HWND dialog, HWND owner, int first_focus_id, const OkHandler& on_ok) noexcept {
    // A dialog opened from inside another (say from its OK handler) has a
    // slot of its own, so it leaves the outer dialog's result alone.
    DialogResult result = DialogResult::Pending;
    if (!::SetPropW(dialog, k_result_property, &result)) {
        detail::end_modal(dialog, nullptr);
        return false;
    }
    bool accepted = false;
    run_modal_loop(dialog, owner, first_focus_id, [&]() noexcept {
        if (result == DialogResult::Closed) return true;
        if (result != DialogResult::OkPressed) return false;
        if (!on_ok || on_ok()) {
            accepted = true;
            return true;
        }
        result = DialogResult::Pending;
        return false;
    });
    return accepted;
}

} // namespace quarn::controls
