#pragma once

#include <windows.h>

#include <functional>
#include <optional>

namespace quarn::controls {

enum class DialogResult { Pending, OkPressed, Closed };

// Sets the result of `dialog` while run_modal runs it; the result lives in
// that run, so nested dialogs each have their own. Without a run it does
// nothing.
void set_dialog_result(HWND dialog, DialogResult result) noexcept;

// For every modal dialog's window procedure: OK (command 1, also Enter) sets
// "OK pressed", Cancel (command 2, also Escape) and the close box set
// "closed". Handled messages return 0: run_modal destroys the window.
[[nodiscard]] std::optional<LRESULT> dialog_result_message(HWND dialog, UINT msg, WPARAM wparam) noexcept;

// Called when OK was pressed: true accepts and ends the dialog, false keeps
// it open (the handler has told the user why). An empty handler accepts.
using OkHandler = std::function<bool()>;

namespace detail {
void begin_modal(HWND dialog, HWND owner, int first_focus_id) noexcept;
[[nodiscard]] bool pump_modal(HWND dialog) noexcept;
void end_modal(HWND dialog, HWND owner) noexcept;
} // namespace detail

// The program's one modal loop: disables the owner, shows the dialog and
// focuses the control `first_focus_id` (an edit with its text selected), then
// dispatches messages, with the dialog's own keys (Tab, Enter, Escape), until
// `finished()` is true, the dialog was destroyed or the quit message arrives
// (it is posted again for the loop outside). The owner is enabled again and
// the dialog destroyed on every path.
template <class Finished>
void run_modal_loop(HWND dialog, HWND owner, int first_focus_id, Finished&& finished) noexcept {
    detail::begin_modal(dialog, owner, first_focus_id);
    while (!finished() && detail::pump_modal(dialog)) {}
    detail::end_modal(dialog, owner);
}

// Runs `dialog` modally: disables the owner, shows the dialog and focuses the
// control `first_focus_id`, and loops until OK is accepted (true) or the
// dialog is closed or the quit message arrives (false; the quit is posted
// again). The owner is enabled again and the dialog destroyed on every path.
bool run_modal(HWND dialog, HWND owner, int first_focus_id, const OkHandler& on_ok) noexcept;

} // namespace quarn::controls
