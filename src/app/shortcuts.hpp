#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "app/commands.hpp"

namespace quarn::app {

// Who answers a shortcut: the main window's accelerator table, or the canvas
// itself (U, T, Delete, Ctrl+C, Ctrl+V and Ctrl+A, which keep their usual
// meaning in text fields).
enum class KeyOwner : std::uint8_t { Accelerator, Canvas };

enum KeyModifier : std::uint8_t { NoModifier = 0, Ctrl = 1, Shift = 2 };

// Virtual-key codes the table needs beyond letters and digits, free of
// <windows.h> so that the menus build everywhere.
inline constexpr std::uint16_t k_key_delete = 0x2E;
inline constexpr std::uint16_t k_key_f5 = 0x74;
inline constexpr std::uint16_t k_key_f6 = 0x75;
inline constexpr std::uint16_t k_key_plus = 0xBB;  // VK_OEM_PLUS
inline constexpr std::uint16_t k_key_minus = 0xBD; // VK_OEM_MINUS

// One keyboard shortcut: the command, its key, and the text the menus show
// after a tab.
struct Shortcut {
    int command = 0;
    std::uint16_t key = 0;
    std::uint8_t modifiers = NoModifier;
    KeyOwner owner = KeyOwner::Accelerator;
    std::string_view text;
};

// The one table of the program's shortcuts: the menus take their texts from
// it, the accelerator table its keys.
inline constexpr Shortcut k_shortcuts[] = {
    {FileNew, 'N', Ctrl, KeyOwner::Accelerator, "Ctrl+N"},
    {FileOpen, 'O', Ctrl, KeyOwner::Accelerator, "Ctrl+O"},
    {FileSave, 'S', Ctrl, KeyOwner::Accelerator, "Ctrl+S"},
    {FileSaveAs, 'S', Ctrl | Shift, KeyOwner::Accelerator, "Ctrl+Shift+S"},
    {FileCopyImage, 'C', Ctrl | Shift, KeyOwner::Accelerator, "Ctrl+Shift+C"},
    {FilePrint, 'P', Ctrl, KeyOwner::Accelerator, "Ctrl+P"},
    {EditUndo, 'Z', Ctrl, KeyOwner::Accelerator, "Ctrl+Z"},
    {EditRedo, 'Y', Ctrl, KeyOwner::Accelerator, "Ctrl+Y"},
    {EditToggleUntagged, 'U', NoModifier, KeyOwner::Canvas, "U"},
    {EditToggleTagged, 'T', NoModifier, KeyOwner::Canvas, "T"},
    {EditClearVlans, k_key_delete, NoModifier, KeyOwner::Canvas, "Del"},
    {EditCopyPortVlans, 'C', Ctrl, KeyOwner::Canvas, "Ctrl+C"},
    {EditPastePortVlans, 'V', Ctrl, KeyOwner::Canvas, "Ctrl+V"},
    {EditSelectAllOnSwitch, 'A', Ctrl, KeyOwner::Canvas, "Ctrl+A"},
    {ViewZoomIn, k_key_plus, Ctrl, KeyOwner::Accelerator, "Ctrl++"},
    {ViewZoomOut, k_key_minus, Ctrl, KeyOwner::Accelerator, "Ctrl+-"},
    {ViewZoomReset, '0', Ctrl, KeyOwner::Accelerator, "Ctrl+0"},
    {ViewCheckMap, k_key_f5, NoModifier, KeyOwner::Accelerator, "F5"},
    {ViewChangesSinceSaved, k_key_f6, NoModifier, KeyOwner::Accelerator, "F6"},
};

// The shortcut of a command, if it has one.
[[nodiscard]] constexpr std::optional<Shortcut> shortcut_of(int command) noexcept {
    for (const Shortcut& shortcut : k_shortcuts)
        if (shortcut.command == command) return shortcut;
    return std::nullopt;
}

} // namespace quarn::app
