#include "theme/window_theme.hpp"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <vector>

#include "test_support/dib.hpp"
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

// What one Windows build answers to each attribute: the ones it knows.
std::vector<DWORD> g_known_attributes;
std::vector<DWORD> g_tried;
HRESULT WINAPI recording_setter(HWND, DWORD attribute, LPCVOID, DWORD) {
    g_tried.push_back(attribute);
    for (DWORD known : g_known_attributes)
        if (known == attribute) return S_OK;
    return E_INVALIDARG;
}

// Windows 10 before 19041 knows the dark caption as 19 and refuses 20;
// Wine takes 20, so the older builds are met through the setter.
TEST(WindowTheme, TheDarkCaptionTakesTheNumberTheBuildKnows) {
    struct Build {
        const char* name;
        std::vector<DWORD> known;
        std::vector<DWORD> tried;
    };
    const Build builds[] = {
        {"Windows 11", {20, 35, 36}, {20, 35, 36}},
        {"Windows 10 2004 and later", {20}, {20, 35, 36}},
        {"Windows 10 1809 to 1909", {19}, {20, 19, 35, 36}},
        {"before 1809", {}, {20, 19, 35, 36}},
    };
    for (const Build& build : builds) {
        g_known_attributes = build.known;
        g_tried.clear();
        apply_dark_title_bar(nullptr, true, &recording_setter);
        EXPECT_EQ(g_tried, build.tried) << build.name;
    }
}

// The unnamed entry 135 of uxtheme is called as the running build defines
// it; Wine has no such entry, so the choice is checked by build number.
TEST(WindowTheme, TheAppModeEntryIsCalledAsTheBuildDefinesIt) {
    struct Case {
        unsigned long build;
        AppModeEntry entry;
    };
    const Case cases[] = {
        {0, AppModeEntry::None},
        {17134, AppModeEntry::None}, // 1803
        {17763, AppModeEntry::AllowDarkModeForApp},
        {18361, AppModeEntry::AllowDarkModeForApp},
        {18362, AppModeEntry::SetPreferredAppMode}, // 1903
        {19041, AppModeEntry::SetPreferredAppMode},
        {22631, AppModeEntry::SetPreferredAppMode},
    };
    for (const Case& c : cases) EXPECT_EQ(app_mode_entry(c.build), c.entry) << c.build;
    EXPECT_GE(windows_build(), 7601u) << "RtlGetVersion gives the running build";
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

    // The header's face, printed: in high contrast the system's button face
    // under the system's button text, as every other control.
    wchar_t name[] = L"Name";
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 150;
    column.pszText = name;
    ListView_InsertColumn(list, 0, &column);
    HWND header = ListView_GetHeader(list);
    ASSERT_NE(header, nullptr);
    auto face = [header] {
        quarn::testing::Dib dib(200, 30);
        ::SendMessageW(header, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.dc()), PRF_CLIENT);
        return dib.pixel(75, 5);
    };
    (void)set_high_contrast_reader([]() noexcept { return true; });
    init_theme(ThemeChoice::Light);
    theme_list_view(list);
    EXPECT_EQ(face(), ::GetSysColor(COLOR_BTNFACE));
    (void)set_high_contrast_reader(nullptr);
    init_theme(ThemeChoice::Light);
    theme_list_view(list);
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
