#pragma once

#include <windows.h>

#include <array>
#include <cstddef>

#include "app/command_table.hpp"

namespace quarn::app {

static_assert(k_key_delete == VK_DELETE && k_key_f3 == VK_F3 && k_key_f5 == VK_F5 && k_key_f6 == VK_F6 &&
              k_key_plus == VK_OEM_PLUS && k_key_minus == VK_OEM_MINUS);

inline constexpr std::size_t k_accelerator_count = [] {
    std::size_t count = 0;
    for (const CommandRow& row : k_commands)
        if (row.key && row.key->owner == KeyOwner::Accelerator) ++count;
    return count;
}();

// The main window's accelerator table: the shortcuts the canvas does not
// answer itself.
inline constexpr std::array<ACCEL, k_accelerator_count> k_accelerators = [] {
    std::array<ACCEL, k_accelerator_count> table{};
    std::size_t next = 0;
    for (const CommandRow& row : k_commands) {
        if (!row.key || row.key->owner != KeyOwner::Accelerator) continue;
        BYTE flags = FVIRTKEY;
        if (row.key->modifiers & Ctrl) flags |= FCONTROL;
        if (row.key->modifiers & Shift) flags |= FSHIFT;
        table[next++] = ACCEL{flags, row.key->key, static_cast<WORD>(row.id)};
    }
    return table;
}();

} // namespace quarn::app
