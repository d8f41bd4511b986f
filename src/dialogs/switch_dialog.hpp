#pragma once

#include <windows.h>

#include <optional>

#include "dialogs/switch_form.hpp"
#include "model/map.hpp"

namespace quarn::dialogs {

inline constexpr wchar_t k_switch_window_class[] = L"QuarnSwitchWnd";

enum SwitchControl : int {
    k_switch_name = 101,
    k_switch_model = 102,
    k_switch_location = 103,
    k_switch_template = 104,
    k_switch_ports = 105,
    k_switch_sfp = 106,
    k_switch_rows = 107,
    k_switch_gap = 108,
    k_switch_prefix = 109,
    k_switch_row_by_row = 110,
    k_switch_dual = 111,
    k_switch_preview = 112,
};

// "Add Switch" (no switch given) or "Edit Switch": modal, owned by `owner`.
// The form when OK was accepted, nothing when cancelled or closed (or when
// the window could not be created). The switch is read before the dialog
// opens; the pointer need not stay valid while it runs.
std::optional<SwitchForm> run_switch_dialog(HWND owner, const Switch* existing) noexcept;

// The same from prepared fields.
std::optional<SwitchForm> run_switch_dialog(HWND owner, const SwitchFormText& initial, bool editing) noexcept;

} // namespace quarn::dialogs
