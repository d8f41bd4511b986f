#pragma once

#include <windows.h>

#include <array>
#include <optional>

#include "dialogs/vlan_form.hpp"
#include "model/map.hpp"

namespace quarn::dialogs {

inline constexpr wchar_t k_vlan_window_class[] = L"QuarnVlanWnd";

enum VlanControl : int {
    k_vlan_id = 101,
    k_vlan_name = 102,
    k_vlan_color = 103,
};

// "Add VLAN" or "Edit VLAN" (`editing`): modal, owned by `owner`. OK runs
// `check` (an empty check accepts) and keeps the dialog open with its
// message. The accepted VLAN, or nothing when cancelled or closed.
std::optional<Vlan> run_vlan_dialog(HWND owner, const Vlan& initial, bool editing,
                                    const VlanCheck& check) noexcept;

// The colour picker: called with the dialog as owner, the current colour and
// the sixteen custom colours; true when the user confirmed (then `colour`
// and `custom` hold the choice). The system's ChooseColorW by default;
// tests put their own in place. Returns the one it replaces; null restores
// the system's.
using CustomColors = std::array<COLORREF, 16>;
using ColorChooser = bool (*)(HWND owner, COLORREF& color, CustomColors& custom) noexcept;
ColorChooser set_color_chooser(ColorChooser chooser) noexcept;

// The custom colours of this thread, kept from one opening of the picker
// to the next; black at first.
[[nodiscard]] const CustomColors& custom_colors() noexcept;

// The system's picker, full form, the current colour preselected; darkened
// by its hook in dark mode.
bool choose_system_color(HWND owner, COLORREF& color, CustomColors& custom) noexcept;

} // namespace quarn::dialogs
