#pragma once

#include <windows.h>

#include "app/app_state_fwd.hpp"

namespace quarn::app {

// The keyboard of the main window's five-button menu bar, as a Windows menu
// bar answers it: Alt with a menu's first letter opens that menu; F10, or
// Alt pressed and released alone, moves the focus to the bar, where Left
// and Right move between the buttons, Down opens the focused one, and
// Escape, F10 or Alt again go back to where the focus was. Keyboard cues
// are shown from the first Alt on.
class MenuBarKeys {
  public:
    // Takes the keys of the bar from the message loop; true when taken.
    [[nodiscard]] bool take(AppState& state, const MSG& msg) noexcept;

  private:
    void enter(AppState& state) noexcept;
    void leave(AppState& state) noexcept;

    bool alt_alone_ = false;      // Alt is down and no other key came since
    HWND return_focus_ = nullptr; // where the focus was before it came to the bar
};

// The menu bar button whose access key `key` (a virtual-key code) is: the
// first letter of its text. 0 for none.
[[nodiscard]] int menu_of_access_key(HWND main, WPARAM key) noexcept;

// Whether `window` is one of the menu bar's buttons.
[[nodiscard]] bool is_menu_bar_button(HWND main, HWND window) noexcept;

} // namespace quarn::app
