#pragma once

#include <windows.h>

namespace quarn::dark_dialog {

// Hook procedure for system dialogs that accept one (the print dialog's
// lpfnPrintHook, with PD_ENABLEPRINTHOOK). In dark mode it darkens the title
// bar and the children at WM_INITDIALOG and answers the control colour
// messages; in light mode it does nothing. Returns what a dialog hook
// returns: nonzero when it handled the message.
UINT_PTR CALLBACK dark_dialog_hook(HWND dialog, UINT msg, WPARAM wparam, LPARAM lparam) noexcept;

} // namespace quarn::dark_dialog
