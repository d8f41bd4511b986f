#pragma once

#include <windows.h>

#include <optional>

namespace quarn::dialogs {

// Gives the keyboard focus back to the control that had it when the dialog
// is activated again (after a message box, or coming back from another
// program); the default would leave it on the dialog window itself.
class FocusMemory {
  public:
    std::optional<LRESULT> message(HWND dialog, UINT msg, WPARAM wparam) noexcept;

  private:
    HWND last_ = nullptr;
};

} // namespace quarn::dialogs
