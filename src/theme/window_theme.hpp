#pragma once

#include <windows.h>

namespace quarn::theme {

// Immersive dark mode (attribute 20; 19 on the builds before 19041, which
// refuse 20) and, on Windows 11, the caption and its text in the colours of
// the theme (35, 36). Each attribute may fail on older Windows; that leaves
// the system's caption, nothing else.
void apply_dark_title_bar(HWND window, bool dark) noexcept;

// The same through another setter than DwmSetWindowAttribute (tests).
using WindowAttributeSetter = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
void apply_dark_title_bar(HWND window, bool dark, WindowAttributeSetter set) noexcept;

// The caption only repaints on activation: send the inactive state, then the
// real one.
void repaint_caption(HWND window) noexcept;

// Visual-style class of an edit for the current theme (darkens its scroll
// bars): "DarkMode_Explorer" or "Explorer".
void theme_edit(HWND edit) noexcept;

// Colours of a list view and its header for the current theme.
void theme_list_view(HWND list_view) noexcept;

// A top-level window after a change of theme: title bar, caption, its edits
// and list views, then a redraw of it and all its children.
void retheme_window(HWND window) noexcept;

} // namespace quarn::theme
