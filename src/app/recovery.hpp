#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>

#include "app/app_state.hpp"

// Recovery copies of a changed map in %LOCALAPPDATA%\Quarn\Recovery, one
// per running copy of the program, and their offer at the next start.
namespace quarn::app {

// The timer on the main window that writes the recovery copy once the
// changes have been quiet for a moment.
inline constexpr UINT_PTR k_recovery_timer = 2;

// The environment variable through which the test bench shortens the
// longest wait before a recovery copy (milliseconds, 50 to 10000); the
// program's own wait is 10 seconds.
inline constexpr wchar_t k_recovery_wait_variable[] = L"QUARN_RECOVERY_WAIT_MS";

// "Quarn\Recovery" in the user's local application-data folder, or nothing
// when LOCALAPPDATA is not set.
[[nodiscard]] std::optional<std::filesystem::path> recovery_folder();

// Makes this run a keeper of recovery copies in `folder`: takes its marker,
// so that other copies leave its files alone.
void start_recovery(AppState& state, const std::filesystem::path& folder) noexcept;

// After every change of the map or of the saved copy (edits, undo, open,
// new, save): a changed map waits for its recovery copy, a map without
// changes has none.
void recovery_after_change(AppState& state) noexcept;

// Writes the recovery copy now when the map has changes: the quiet timer's
// end, and the end of the session.
void write_recovery_now(AppState& state) noexcept;

// The changes are given up (the user discarded them on closing): the
// recovery copy goes.
void discard_recovery(AppState& state) noexcept;

// At start: every recovery file whose program no longer runs is offered,
// one after another ("Recover", "Discard", "Later"). A file that cannot be
// read is moved to the folder "Unreadable" beside them and named in a
// message.
void offer_recovery(AppState& state) noexcept;

} // namespace quarn::app
