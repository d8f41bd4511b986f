#pragma once

#include <windows.h>

#include <optional>

namespace quarn::controls {

// Gives the keyboard focus back to the control that had it when a window is
// activated again (after a message box, or coming back from another
// program); the default would leave it on the window itself.
class FocusMemory {
  public:
    // For WM_ACTIVATE of `window`: deactivated, it remembers the focused
    // control; activated, it focuses that control again, or `fallback` when
    // it remembers none. A value means handled; nothing for other messages,
    // for a deactivation, and for an activation with nothing to focus.
    std::optional<LRESULT> message(HWND window, UINT msg, WPARAM wparam, HWND fallback = nullptr) noexcept;

    // A window made anew must not be sent to a control of the one before.
    void forget() noexcept { last_ = nullptr; }

  private:
    HWND last_ = nullptr;
};

} // namespace quarn::controls
