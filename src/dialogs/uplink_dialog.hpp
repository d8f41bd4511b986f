#pragma once

#include <windows.h>

#include <optional>

#include "dialogs/uplink_form.hpp"

namespace quarn::dialogs {

inline constexpr wchar_t k_uplink_window_class[] = L"QuarnUplinkWnd";

enum UplinkControl : int {
    k_uplink_caption = 101,
    k_uplink_switch = 102,
    k_uplink_port = 103,
};

// The "Uplink" dialog: modal, owned by `owner`. The chosen link (none:
// remove it), or nothing when cancelled or closed.
std::optional<UplinkForm> run_uplink_dialog(HWND owner, const UplinkDialogInput& input) noexcept;

} // namespace quarn::dialogs
