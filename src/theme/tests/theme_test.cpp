#include "theme/theme.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "theme/fonts.hpp"
#include "theme/theme_colors.hpp"
#include "win/unique.hpp"

namespace quarn::theme {
namespace {

constexpr wchar_t k_personalize[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// What the test's reader hands out as the system's "AppsUseLightTheme".
std::optional<std::uint32_t> g_apps_value;
std::optional<std::uint32_t> fake_reader() noexcept {
    return g_apps_value;
}

// Restores the real reader and a light start after each test.
class ThemeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        set_apps_theme_reader(&fake_reader);
        g_apps_value.reset();
        init_theme(ThemeChoice::Light);
    }
    void TearDown() override {
        set_apps_theme_reader(nullptr);
        init_theme(ThemeChoice::Light);
    }
};

TEST_F(ThemeTest, ResolvesEachChoiceAgainstTheSystemSetting) {
    struct Case {
        ThemeChoice choice;
        std::optional<std::uint32_t> apps_use_light_theme;
        bool dark;
    };
    const std::vector<Case> cases = {
        {ThemeChoice::System, 0u, true},
        {ThemeChoice::System, 1u, false},
        {ThemeChoice::System, std::nullopt, false},
        {ThemeChoice::System, 2u, false},
        {ThemeChoice::Light, 0u, false},
        {ThemeChoice::Light, std::nullopt, false},
        {ThemeChoice::Dark, 1u, true},
        {ThemeChoice::Dark, std::nullopt, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(theme_choice_name(c.choice)) + " with " +
                     (c.apps_use_light_theme ? std::to_string(*c.apps_use_light_theme) : "no value"));
        EXPECT_EQ(resolve_dark(c.choice, c.apps_use_light_theme), c.dark);
        g_apps_value = c.apps_use_light_theme;
        EXPECT_EQ(init_theme(c.choice), c.dark);
        EXPECT_EQ(is_dark(), c.dark);
        EXPECT_EQ(theme_choice(), c.choice);
    }
}

TEST_F(ThemeTest, ReadsAppsUseLightThemeFromTheRegistry) {
    set_apps_theme_reader(nullptr);
    HKEY raw = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, k_personalize, 0, nullptr, 0,
                                KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, &raw, nullptr),
              ERROR_SUCCESS);
    win::UniqueKey key(raw);
    // Wine has no such value by default; this prefix belongs to the tests.
    ::RegDeleteValueW(key.get(), L"AppsUseLightTheme");
    EXPECT_EQ(read_apps_use_light_theme(), std::nullopt);
    EXPECT_FALSE(init_theme(ThemeChoice::System));

    DWORD zero = 0;
    ASSERT_EQ(::RegSetValueExW(key.get(), L"AppsUseLightTheme", 0, REG_DWORD, reinterpret_cast<BYTE*>(&zero),
                               sizeof(zero)),
              ERROR_SUCCESS);
    EXPECT_EQ(read_apps_use_light_theme(), std::optional<std::uint32_t>(0));
    EXPECT_TRUE(init_theme(ThemeChoice::System));

    // A value of the wrong type is no answer: light.
    ASSERT_EQ(::RegSetValueExW(key.get(), L"AppsUseLightTheme", 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(L"0"), 2 * sizeof(wchar_t)),
              ERROR_SUCCESS);
    EXPECT_EQ(read_apps_use_light_theme(), std::nullopt);
    EXPECT_FALSE(init_theme(ThemeChoice::System));
    ::RegDeleteValueW(key.get(), L"AppsUseLightTheme");
}

TEST_F(ThemeTest, ChoiceIsStoredAndWindowsRethemedOnlyWhenDarkChanges) {
    std::vector<ThemeChoice> stored;
    std::vector<bool> dark_changes;
    ThemeChoiceHooks hooks{[&](ThemeChoice choice) { stored.push_back(choice); },
                           [&](bool dark) { dark_changes.push_back(dark); }};

    g_apps_value = 0; // the system is dark
    ThemeChange change = apply_theme_choice(ThemeChoice::Dark, hooks);
    EXPECT_TRUE(change.choice_changed);
    EXPECT_TRUE(change.dark_changed);
    change = apply_theme_choice(ThemeChoice::System, hooks); // still dark
    EXPECT_TRUE(change.choice_changed);
    EXPECT_FALSE(change.dark_changed);
    change = apply_theme_choice(ThemeChoice::Light, hooks);
    EXPECT_TRUE(change.dark_changed);
    change = apply_theme_choice(ThemeChoice::Light, hooks);
    EXPECT_FALSE(change.choice_changed);

    EXPECT_EQ(stored, (std::vector<ThemeChoice>{ThemeChoice::Dark, ThemeChoice::System, ThemeChoice::Light,
                                                ThemeChoice::Light}));
    EXPECT_EQ(dark_changes, (std::vector<bool>{true, false}));
    EXPECT_FALSE(is_dark());
}

TEST_F(ThemeTest, OnlyTheSystemChoiceFollowsTheSystem) {
    // Light choice: Windows turning dark changes nothing.
    g_apps_value = 0;
    EXPECT_FALSE(system_theme_changed());
    EXPECT_FALSE(is_dark());

    // System choice: follows at once, and reports each change once.
    g_apps_value = 1;
    init_theme(ThemeChoice::System);
    EXPECT_FALSE(system_theme_changed());
    g_apps_value = 0;
    EXPECT_TRUE(system_theme_changed());
    EXPECT_TRUE(is_dark());
    EXPECT_FALSE(system_theme_changed());
    g_apps_value.reset();
    EXPECT_TRUE(system_theme_changed());
    EXPECT_FALSE(is_dark());
}

TEST_F(ThemeTest, PreferredAppModeNeedsTheUnnamedEntries) {
    // Wine's uxtheme exports OpenThemeDataForDpi but not the ordinals 135
    // and 136: the call is skipped. On Windows 10 1903 and later it is made.
    HMODULE uxtheme = ::LoadLibraryExW(L"uxtheme.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    ASSERT_NE(uxtheme, nullptr);
    bool has_entries = ::GetProcAddress(uxtheme, "OpenThemeDataForDpi") != nullptr &&
                       ::GetProcAddress(uxtheme, MAKEINTRESOURCEA(135)) != nullptr;
    EXPECT_EQ(set_preferred_app_mode(true), has_entries);
    EXPECT_EQ(set_preferred_app_mode(false), has_entries);
    ::FreeLibrary(uxtheme);
}

COLORREF brush_color(HBRUSH brush) {
    LOGBRUSH logbrush{};
    if (::GetObjectW(brush, sizeof(logbrush), &logbrush) != sizeof(logbrush)) return CLR_INVALID;
    return logbrush.lbColor;
}

bool g_high_contrast = false;
bool fake_contrast() noexcept {
    return g_high_contrast;
}

COLORREF as_colorref(Rgb color) {
    return RGB(color.red, color.green, color.blue);
}

// Windows tells of high contrast through SPI_GETHIGHCONTRAST and
// WM_SETTINGCHANGE; Wine has no high-contrast theme to turn on, so the
// switch comes through the reader. The colours are the system's own.
TEST_F(ThemeTest, HighContrastTakesTheSystemsColoursAndGivesThemBack) {
    set_high_contrast_reader(&fake_contrast);
    for (ThemeChoice choice : {ThemeChoice::Light, ThemeChoice::Dark, ThemeChoice::System}) {
        g_high_contrast = true;
        init_theme(choice);
        EXPECT_TRUE(is_high_contrast());
        const ThemeColors& colors = theme_colors();
        EXPECT_EQ(colors.background, ::GetSysColor(COLOR_WINDOW));
        EXPECT_EQ(colors.text, ::GetSysColor(COLOR_WINDOWTEXT));
        EXPECT_EQ(colors.field_background, ::GetSysColor(COLOR_WINDOW));
        EXPECT_EQ(colors.disabled_text, ::GetSysColor(COLOR_GRAYTEXT));
        LOGBRUSH brush{};
        ASSERT_EQ(::GetObjectW(colors.window_brush, sizeof(brush), &brush), static_cast<int>(sizeof(brush)));
        EXPECT_EQ(brush.lbColor, ::GetSysColor(COLOR_WINDOW));
        const Palette palette = scene_palette();
        EXPECT_EQ(as_colorref(palette.background), ::GetSysColor(COLOR_WINDOW));
        EXPECT_EQ(as_colorref(palette.frame), ::GetSysColor(COLOR_WINDOWTEXT));
        EXPECT_EQ(as_colorref(palette.text), ::GetSysColor(COLOR_WINDOWTEXT));
        EXPECT_EQ(as_colorref(palette.highlight), ::GetSysColor(COLOR_HIGHLIGHT));

        // Turned off: the program's own colours of the choice again.
        g_high_contrast = false;
        EXPECT_TRUE(system_theme_changed());
        EXPECT_FALSE(is_high_contrast());
        EXPECT_EQ(theme_colors().background,
                  is_dark() ? k_dark_values.background : k_light_values.background);
        EXPECT_EQ(scene_palette(), is_dark() ? k_dark_palette : k_light_palette);
        EXPECT_FALSE(system_theme_changed());
    }
    set_high_contrast_reader(nullptr);
}

TEST_F(ThemeTest, ColorSetsHoldTheirValues) {
    struct Case {
        bool dark;
        std::vector<COLORREF> expected;
    };
    const std::vector<Case> cases = {
        {true,
         {RGB(0x2D, 0x2D, 0x2D), RGB(0x1E, 0x1E, 0x1E), RGB(0x3D, 0x3D, 0x3D), RGB(0x3A, 0x3A, 0x3A),
          RGB(0x5A, 0x5A, 0x5A), RGB(0x2D, 0x2D, 0x2D), RGB(0xE6, 0xE6, 0xE6), RGB(0x9A, 0x9A, 0x9A),
          RGB(0x6C, 0xB4, 0xFF), RGB(0x1E, 0x1E, 0x1E)}},
        {false,
         {RGB(0xEC, 0xEC, 0xEC), RGB(0xFF, 0xFF, 0xFF), RGB(0xDC, 0xDC, 0xDC), RGB(0xF4, 0xF4, 0xF4),
          RGB(0xAD, 0xAD, 0xAD), RGB(0xEC, 0xEC, 0xEC), RGB(0x1B, 0x1B, 0x1B), RGB(0x6B, 0x6B, 0x6B),
          RGB(0x00, 0x66, 0xCC), RGB(0xFF, 0xFF, 0xFF)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dark ? "dark" : "light");
        const ThemeColors& colors = theme_colors_for(c.dark);
        std::vector<COLORREF> actual = {
            brush_color(colors.window_brush),
            brush_color(colors.field_brush),
            brush_color(colors.shade_brush),
            brush_color(colors.button_brush),
            brush_color(colors.border_brush),
            colors.background,
            colors.text,
            colors.disabled_text,
            colors.link,
            colors.field_background,
        };
        EXPECT_EQ(actual, c.expected);
        // Created once, then kept.
        EXPECT_EQ(&theme_colors_for(c.dark), &colors);
        EXPECT_EQ(theme_colors_for(c.dark).window_brush, colors.window_brush);
    }
    g_apps_value = 0;
    init_theme(ThemeChoice::System);
    EXPECT_EQ(&theme_colors(), &theme_colors_for(true));
}

TEST_F(ThemeTest, FontHeightsFollowTheDpi) {
    struct Case {
        UINT dpi;
        int size;
        FontLine line;
        int height;
    };
    const std::vector<Case> cases = {
        {96, 16, FontLine::Plain, 16},       {144, 16, FontLine::Plain, 24}, {120, 16, FontLine::Plain, 20},
        {96, 22, FontLine::Plain, 22},       {144, 22, FontLine::Plain, 33}, {0, 16, FontLine::Plain, 16},
        {192, 16, FontLine::Underlined, 32},
    };
    win::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.dpi) + " dpi size " + std::to_string(c.size));
        EXPECT_EQ(font_height(c.dpi, c.size), c.height);
        HFONT font = dialog_font(c.dpi, c.size, c.line);
        ASSERT_NE(font, nullptr);
        LOGFONTW logfont{};
        ASSERT_EQ(::GetObjectW(font, sizeof(logfont), &logfont), static_cast<int>(sizeof(logfont)));
        EXPECT_EQ(logfont.lfHeight, c.height);
        EXPECT_EQ(logfont.lfWeight, FW_NORMAL);
        EXPECT_EQ(logfont.lfUnderline != 0, c.line == FontLine::Underlined);
        EXPECT_EQ(logfont.lfQuality, CLEARTYPE_QUALITY);
        EXPECT_STREQ(logfont.lfFaceName, L"Segoe UI");
        // A positive height is the cell height of the font that is chosen.
        // Wine draws Liberation Sans in place of the absent Segoe UI and may
        // round the cell a pixel down.
        win::SelectGuard selected(dc.get(), font);
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(dc.get(), &metrics);
        EXPECT_NEAR(metrics.tmHeight, c.height, 1);
        EXPECT_EQ(dialog_font(c.dpi, c.size, c.line), font); // cached
    }
    EXPECT_NE(dialog_font(96, 16, FontLine::Underlined), dialog_font(96, 16, FontLine::Plain));
}

} // namespace
} // namespace quarn::theme
