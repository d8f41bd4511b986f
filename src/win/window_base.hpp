#pragma once

#include <windows.h>

namespace quarn::win {

// One window-procedure trampoline for every window class of the program:
// the object pointer travels in CREATESTRUCT at WM_NCCREATE, is kept in
// GWLP_USERDATA at full pointer width, and is cleared at WM_NCDESTROY so that
// no late message reaches a dead object.
template <class Derived>
class WindowBase {
  public:
    [[nodiscard]] HWND hwnd() const noexcept { return hwnd_; }

    // The object of a window of Derived's class, null before WM_NCCREATE and
    // after WM_NCDESTROY.
    [[nodiscard]] static Derived* object_of(HWND hwnd) noexcept {
        return reinterpret_cast<Derived*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }

    static LRESULT CALLBACK window_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
        Derived* self = nullptr;
        if (msg == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
            self = static_cast<Derived*>(create->lpCreateParams);
            self->hwnd_ = hwnd;
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = object_of(hwnd);
        }
        if (self == nullptr) return ::DefWindowProcW(hwnd, msg, wparam, lparam);
        LRESULT result = self->handle_message(msg, wparam, lparam);
        if (msg == WM_NCDESTROY) {
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
        }
        return result;
    }

  protected:
    LRESULT default_proc(UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
        return ::DefWindowProcW(hwnd_, msg, wparam, lparam);
    }

  private:
    HWND hwnd_ = nullptr;
};

} // namespace quarn::win
