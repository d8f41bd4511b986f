#pragma once

#include <windows.h>

#include <optional>

#include "dialogs/lag_form.hpp"

namespace quarn::dialogs {

inline constexpr wchar_t k_lag_window_class[] = L"QuarnLagWnd";

enum LagControl : int {
    k_lag_name = 101,
    k_lag_ports = 102,
    k_lag_switch = 103,
    k_lag_far_lag = 104,
    k_lag_remove = 105,
};

// "Add LAG" or, when `input.editing`, "Edit LAG" with "Remove LAG": modal,
// owned by `owner`. OK runs `check` (its message keeps the dialog open),
// then asks `question`'s question, if any, with "Continue" and "Cancel"
// (Cancel keeps the dialog open). "Remove LAG" returns at once a form with
// `remove` set, without either. Nothing when cancelled or closed. Empty
// callbacks accept and ask nothing.
std::optional<LagForm> run_lag_dialog(HWND owner, const LagDialogInput& input, const LagCheck& check,
                                      const LagCheck& question) noexcept;

} // namespace quarn::dialogs
