#pragma once

#include <windows.h>

#include <array>

#include "app/commands.hpp"

namespace quarn::app {

// The keyboard shortcuts of the main window. U, T, Delete, Ctrl+C, Ctrl+V and
// Ctrl+A are the canvas's own keys, so that they keep their usual meaning in
// text fields.
inline constexpr std::array<ACCEL, 13> k_accelerators{{
    {FVIRTKEY | FCONTROL, 'N', FileNew},
    {FVIRTKEY | FCONTROL, 'O', FileOpen},
    {FVIRTKEY | FCONTROL, 'S', FileSave},
    {FVIRTKEY | FCONTROL | FSHIFT, 'S', FileSaveAs},
    {FVIRTKEY | FCONTROL | FSHIFT, 'C', FileCopyImage},
    {FVIRTKEY | FCONTROL, 'P', FilePrint},
    {FVIRTKEY | FCONTROL, 'Z', EditUndo},
    {FVIRTKEY | FCONTROL, 'Y', EditRedo},
    {FVIRTKEY | FCONTROL, VK_OEM_PLUS, ViewZoomIn},
    {FVIRTKEY | FCONTROL, VK_OEM_MINUS, ViewZoomOut},
    {FVIRTKEY | FCONTROL, '0', ViewZoomReset},
    {FVIRTKEY, VK_F5, ViewCheckMap},
    {FVIRTKEY, VK_F6, ViewChangesSinceSaved},
}};

} // namespace quarn::app
