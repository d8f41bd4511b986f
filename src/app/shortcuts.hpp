#pragma once

#include <cstdint>
#include <string_view>

namespace quarn::app {

// Who answers a shortcut: the main window's accelerator table, or the canvas
// itself (U, T, Delete, Ctrl+C, Ctrl+V and Ctrl+A, which keep their usual
// meaning in text fields).
enum class KeyOwner : std::uint8_t { Accelerator, Canvas };

enum KeyModifier : std::uint8_t { NoModifier = 0, Ctrl = 1, Shift = 2 };

// Virtual-key codes the table needs beyond letters and digits, free of
// <windows.h> so that the menus build everywhere.
inline constexpr std::uint16_t k_key_delete = 0x2E;
inline constexpr std::uint16_t k_key_f3 = 0x72;
inline constexpr std::uint16_t k_key_f5 = 0x74;
inline constexpr std::uint16_t k_key_f6 = 0x75;
inline constexpr std::uint16_t k_key_plus = 0xBB;  // VK_OEM_PLUS
inline constexpr std::uint16_t k_key_minus = 0xBD; // VK_OEM_MINUS

// One keyboard shortcut: its key, and the text the menus show after a tab.
struct Shortcut {
    std::uint16_t key = 0;
    std::uint8_t modifiers = NoModifier;
    KeyOwner owner = KeyOwner::Accelerator;
    std::string_view text;
};

} // namespace quarn::app
