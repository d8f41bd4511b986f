#pragma once

#include <windows.h>

#include <functional>
#include <optional>

namespace quarn::controls {

enum class DialogResult { Pending, OkPressed, Closed };

// The result of the innermost modal dialog of this thread.
[[nodiscard]] DialogResult dialog_result() noexcept;
void set_dialog_result(DialogResult result) noexcept;

// For every modal dialog's window procedure: OK (command 1, also Enter) sets
// "OK pressed", Cancel (command 2, also Escape) and the close box set
// "closed". Handled messages return 0: run_modal destroys the window.
[[nodiscard]] std::optional<LRESULT> dialog_result_message(UINT msg, WPARAM wparam) noexcept;

// Called when OK was pressed: true accepts and ends the dialog, false keeps
// it open (the handler has told the user why). An empty handler accepts.
using OkHandler = std::function<bool()>;

// Runs `dialog` modally: disables the owner, shows the dialog and focuses the
// control `first_focus_id`, and loops until OK is accepted (true) or the
// dialog is closed or the quit message arrives (false; the quit is posted
// again). The owner is enabled again and the dialog destroyed on every path.
// Nests: an inner run_modal leaves the outer dialog's result as it was.
bool run_modal(HWND dialog, HWND owner, int first_focus_id, const OkHandler& on_ok) noexcept;

} // namespace quarn::controls
