#include "theme/window_theme.hpp"

#include <commctrl.h>
#include <dwmapi.h>
#include <uxtheme.h>

#include <cwchar>

#include "theme/theme.hpp"
#include "theme/theme_colors.hpp"

namespace quarn::theme {
namespace {

// Not all SDK headers name these yet.
constexpr DWORD k_dwm_use_immersive_dark_mode = 20;
constexpr DWORD k_dwm_use_immersive_dark_mode_before_19041 = 19;
constexpr DWORD k_dwm_caption_color = 35;
constexpr DWORD k_dwm_text_color = 36;

bool class_is(HWND window, const wchar_t* expected) noexcept {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return ::_wcsicmp(name, expected) == 0;
}

BOOL CALLBACK retheme_child(HWND child, LPARAM) noexcept {
    if (class_is(child, WC_EDITW))
        theme_edit(child);
    else if (class_is(child, WC_LISTVIEWW))
        theme_list_view(child);
    return TRUE;
}

} // namespace

void apply_dark_title_bar(HWND window, bool dark) noexcept {
    apply_dark_title_bar(window, dark, &::DwmSetWindowAttribute);
}

void apply_dark_title_bar(HWND window, bool dark, WindowAttributeSetter set) noexcept {
    const ThemeColors& colors = theme_colors_for(dark);
    BOOL use_dark = dark ? TRUE : FALSE;
    COLORREF caption = colors.background;
    COLORREF caption_text = colors.text;
    // Each may fail on an older Windows; the window then keeps that part of
    // the system's look. Builds 17763 to 18363 know the dark caption by its
    // earlier number and refuse the later one.
    if (FAILED(set(window, k_dwm_use_immersive_dark_mode, &use_dark, sizeof(use_dark))))
        (void)set(window, k_dwm_use_immersive_dark_mode_before_19041, &use_dark, sizeof(use_dark));
    (void)set(window, k_dwm_caption_color, &caption, sizeof(caption));
    (void)set(window, k_dwm_text_color, &caption_text, sizeof(caption_text));
}

void repaint_caption(HWND window) noexcept {
    ::SendMessageW(window, WM_NCACTIVATE, FALSE, 0);
    ::SendMessageW(window, WM_NCACTIVATE, ::GetActiveWindow() == window ? TRUE : FALSE, 0);
}

void theme_edit(HWND edit) noexcept {
    (void)::SetWindowTheme(edit, is_dark() ? L"DarkMode_Explorer" : L"Explorer", nullptr);
}

void theme_list_view(HWND list_view) noexcept {
    const ThemeColors& colors = theme_colors();
    bool dark = is_dark();
    ListView_SetBkColor(list_view, colors.field_background);
    ListView_SetTextBkColor(list_view, colors.field_background);
    ListView_SetTextColor(list_view, colors.text);
    (void)::SetWindowTheme(list_view, dark ? L"DarkMode_Explorer" : L"Explorer", nullptr);
    HWND header = ListView_GetHeader(list_view);
    if (header != nullptr) {
        // In high contrast the header draws itself in the system's colours:
        // a visual style would paint its own face under the system's text.
        // A name that matches no style (" ") turns the style off.
        if (is_high_contrast())
            (void)::SetWindowTheme(header, L" ", L" ");
        else
            (void)::SetWindowTheme(header, dark ? L"DarkMode_ItemsView" : L"ItemsView", nullptr);
        ::InvalidateRect(header, nullptr, TRUE);
    }
    ::InvalidateRect(list_view, nullptr, TRUE);
}

void retheme_window(HWND window) noexcept {
    apply_dark_title_bar(window, is_dark());
    repaint_caption(window);
    ::EnumChildWindows(window, &retheme_child, 0);
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

} // namespace quarn::theme
