#pragma once

#include <windows.h>

#include <optional>

#include "controls/dialog_window.hpp"
#include "controls/focus_memory.hpp"
#include "win/window_base.hpp"

namespace quarn::controls {

// Where and how a modeless window opens: its window class and title, its
// outer size in 1/96 inch and the style added to a dialog window's
// (WS_THICKFRAME for one that can be resized).
struct ModelessFrame {
    const wchar_t* class_name = L"";
    const wchar_t* title = L"";
    int width = 0;
    int height = 0;
    DWORD extra_style = 0;
};

// Restores `window` when it is minimised and brings it to the front.
void bring_to_front(HWND window) noexcept;

// The message loop's step for an open modeless window: a message for the
// window or one of its controls is taken. Escape closes it (as its Close
// button or the close box, through IDCANCEL); other keys go to its dialog
// navigation. True when the message was taken (do not translate or dispatch
// it); false for other windows' messages and when `window` is null.
[[nodiscard]] bool take_modeless_message(HWND window, MSG& msg) noexcept;

// The control that gets the focus when a modeless window is activated and
// remembers none: the first that Tab reaches, else the first control.
[[nodiscard]] HWND first_control(HWND window) noexcept;

// What the program's one-instance modeless windows share (About, the text
// viewer, Check for Updates). The object is the window: closed, or holding
// its one open window; opening it again brings that window to the front.
// The owner of the object (the main window's state) decides how long it
// lives; a window still open when its object goes is closed with it.
// `Derived` calls modeless_message first in its handle_message.
template <class Derived>
class ModelessWindow : public win::WindowBase<Derived> {
  public:
    ModelessWindow() = default;
    ModelessWindow(const ModelessWindow&) = delete;
    ModelessWindow& operator=(const ModelessWindow&) = delete;
    ~ModelessWindow() {
        // Derived is gone by now: no message may reach it while the window
        // is destroyed.
        if (HWND window = this->hwnd()) {
            ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            ::DestroyWindow(window);
        }
    }

    // The step of the program's message loop for this window.
    [[nodiscard]] bool take_message(MSG& msg) noexcept { return take_modeless_message(this->hwnd(), msg); }

  protected:
    // The window, and whether it was made just now (its controls are still
    // to be made and it is not shown yet) rather than brought to the front.
    struct Opened {
        HWND window = nullptr; // null when it could not be created
        bool created = false;
    };

    Opened open(HWND owner, const ModelessFrame& frame) noexcept {
        if (HWND window = this->hwnd()) {
            bring_to_front(window);
            return {window, false};
        }
        focus_.forget();
        HWND created =
            create_dialog_window(frame.class_name, frame.title, &Derived::window_proc, owner, frame.width,
                                 frame.height, static_cast<Derived*>(this), frame.extra_style);
        return {created, created != nullptr};
    }

    // A modeless window keeps its focused control across activations, and
    // closes on IDCANCEL (Escape, its Close button) and IDOK.
    std::optional<LRESULT> modeless_message(UINT msg, WPARAM wparam) noexcept {
        if (msg == WM_COMMAND && (LOWORD(wparam) == IDCANCEL || LOWORD(wparam) == IDOK)) {
            ::DestroyWindow(this->hwnd());
            return 0;
        }
        if (msg != WM_ACTIVATE) return std::nullopt;
        (void)focus_.message(this->hwnd(), msg, wparam, first_control(this->hwnd()));
        return 0;
    }

  private:
    FocusMemory focus_;
};

} // namespace quarn::controls
