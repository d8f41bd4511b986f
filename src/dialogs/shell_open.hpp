#pragma once

#include <windows.h>

#include <string>

namespace quarn::dialogs {

// Opens a web address or a folder with the shell's "open" verb. On failure
// shows "Could not open {}: {}" with the system's message and returns false.
bool open_with_shell(HWND owner, const std::wstring& target) noexcept;

// Seam for tests: replaces the shell call on this thread (null restores it).
// The replacement returns the Windows error code, 0 for success.
using ShellOpener = DWORD (*)(HWND owner, const std::wstring& target) noexcept;
ShellOpener set_shell_opener(ShellOpener opener) noexcept;

} // namespace quarn::dialogs
