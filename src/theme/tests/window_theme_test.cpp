#include "theme/window_theme.hpp"

#include <gtest/gtest.h>

#include <commctrl.h>

#include "theme/theme.hpp"
#include "theme/theme_colors.hpp"

namespace quarn::theme {
namespace {

LRESULT CALLBACK counting_proc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam);

int g_ncactivate_count = 0;
WPARAM g_last_ncactivate = 99;

LRESULT CALLBACK counting_proc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == WM_NCACTIVATE) {
        ++g_ncactivate_count;
        g_last_ncactivate = wparam;
    }
    return ::DefWindowProcW(window, msg, wparam, lparam);
}

HWND make_window(const wchar_t* class_name) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &counting_proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = class_name;
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(0, class_name, L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                             wc.hInstance, nullptr);
}

TEST(WindowTheme, ListViewTakesTheFieldColors) {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES};
    ASSERT_TRUE(::InitCommonControlsEx(&init));
    HWND parent = make_window(L"QuarnListParent");
    ASSERT_NE(parent, nullptr);
    HWND list = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 200, 100,
                                  parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(list, nullptr);
    for (ThemeChoice choice : {ThemeChoice::Dark, ThemeChoice::Light}) {
        init_theme(choice);
        theme_list_view(list);
        const ThemeColors& colors = theme_colors();
        EXPECT_EQ(ListView_GetBkColor(list), colors.field_background);
        EXPECT_EQ(ListView_GetTextBkColor(list), colors.field_background);
        EXPECT_EQ(ListView_GetTextColor(list), colors.text);
    }
    ::DestroyWindow(parent);
}

TEST(WindowTheme, RethemeRepaintsTheCaptionOfTheProgramsWindowsOnly) {
    HWND own = make_window(L"QuarnRethemeTest");
    HWND foreign = make_window(L"SomeoneElsesWindow");
    ASSERT_NE(own, nullptr);
    ASSERT_NE(foreign, nullptr);
    g_ncactivate_count = 0;
    init_theme(ThemeChoice::Dark);
    retheme_windows();
    // The inactive state and then the real one, for the program's window
    // alone.
    EXPECT_EQ(g_ncactivate_count, 2);
    EXPECT_EQ(g_last_ncactivate, static_cast<WPARAM>(::GetActiveWindow() == own));
    // Failing attributes (older Windows) are ignored; Wine accepts them.
    apply_dark_title_bar(own, true);
    apply_dark_title_bar(own, false);
    init_theme(ThemeChoice::Light);
    ::DestroyWindow(own);
    ::DestroyWindow(foreign);
}

} // namespace
} // namespace quarn::theme
