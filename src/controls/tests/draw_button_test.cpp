#include <gtest/gtest.h>

#include <array>
#include <string>

#include "controls/common_message.hpp"
#include "controls/create_controls.hpp"
#include "test_support/dib.hpp"
#include "test_support/test_window.hpp"
#include "theme/theme.hpp"
#include "theme/theme_colors.hpp"
#include "win/unique.hpp"

namespace quarn::controls {
namespace {

using testing::Dib;

constexpr int k_width = 120;
constexpr int k_height = 30;

constexpr std::array<ControlRow, 2> k_buttons{{
    {ControlKind::PushButton, 1, L"MMMM", 0, 0, k_width, k_height, 0},
    {ControlKind::Link, 2, L"MMMM", 0, 40, k_width, k_height, 0},
}};

// Paints one button through WM_DRAWITEM into a DIB and reads it back. Only
// colours are checked, never glyph shapes: Wine has no "Segoe UI". The text
// is drawn without smoothing, so that no glyph edge blends the ink with the
// face into something near another theme colour, whichever fonts the
// machine has.
TEST(DrawButton, PaintsEachStateInTheThemeColors) {
    HWND parent = testing::make_plain_window(300, 200);
    ASSERT_NE(parent, nullptr);
    ASSERT_TRUE(create_controls(parent, k_buttons, 96));
    LOGFONTW plain{};
    plain.lfHeight = -12;
    plain.lfQuality = NONANTIALIASED_QUALITY;
    ::lstrcpyW(plain.lfFaceName, L"Tahoma");
    win::UniqueFont font(::CreateFontIndirectW(&plain));
    ASSERT_TRUE(font);
    for (int id : {1, 2})
        ::SendMessageW(::GetDlgItem(parent, id), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), 0);

    struct Case {
        const char* name;
        int id;
        UINT state;
        bool dark;
    };
    const Case cases[] = {{"push", 1, 0, false},
                          {"push", 1, 0, true},
                          {"disabled push", 1, ODS_DISABLED, false},
                          {"disabled push", 1, ODS_DISABLED, true},
                          {"focused push", 1, ODS_FOCUS, false},
                          {"focused push", 1, ODS_FOCUS, true},
                          {"pressed push", 1, ODS_SELECTED, false},
                          {"link", 2, 0, false},
                          {"link", 2, 0, true},
                          {"disabled link", 2, ODS_DISABLED, true},
                          {"focused link", 2, ODS_FOCUS, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.dark ? " dark" : " light"));
        theme::init_theme(c.dark ? ThemeChoice::Dark : ThemeChoice::Light);
        const theme::ThemeValues& v = c.dark ? theme::k_dark_values : theme::k_light_values;
        bool link = c.id == 2;
        bool focused = (c.state & ODS_FOCUS) != 0;

        Dib dib(k_width, k_height);
        ASSERT_TRUE(dib.valid());
        dib.fill(RGB(255, 0, 255));
        DRAWITEMSTRUCT item{ODT_BUTTON, static_cast<UINT>(c.id),    0,        ODA_DRAWENTIRE,
                            c.state,    ::GetDlgItem(parent, c.id), dib.dc(), {0, 0, k_width, k_height},
                            0};
        auto handled = common_window_message(parent, WM_DRAWITEM, static_cast<WPARAM>(c.id),
                                             reinterpret_cast<LPARAM>(&item));
        ASSERT_EQ(handled, std::optional<LRESULT>(TRUE));

        COLORREF face = link ? v.window : (c.state & ODS_SELECTED) ? v.shade : v.button;
        COLORREF ink = (c.state & ODS_DISABLED) ? v.disabled_text : link ? v.link : v.text;
        // Nothing left unpainted; the outline only on push buttons.
        EXPECT_EQ(dib.count(RGB(255, 0, 255)), 0);
        EXPECT_EQ(dib.pixel(0, 0), link ? v.window : v.border);
        EXPECT_EQ(dib.pixel(k_width - 1, k_height - 1), link ? v.window : v.border);
        EXPECT_EQ(dib.pixel(k_width / 2, 1), face);
        // The text in its colour, and no text in the other ones.
        EXPECT_GT(dib.count(ink, 24), 10);
        // (The dotted focus line inverts the face, which may come near one
        // of them.)
        for (COLORREF other : {v.text, v.disabled_text, v.link}) {
            if (other != ink && !focused) {
                EXPECT_EQ(dib.count(other, 24), 0);
            }
        }
        // A focus rectangle: the dotted line three pixels in from the edge of
        // a push button, around the text of a link.
        if (!link) {
            RECT focus_row{3, 3, k_width - 3, 4};
            int plain = dib.count(face, focus_row);
            if (focused) {
                EXPECT_LT(plain, (k_width - 6) * 2 / 3);
            } else {
                EXPECT_EQ(plain, k_width - 6);
            }
        } else {
            RECT top_row{0, 0, k_width, 1};
            EXPECT_EQ(dib.count(face, top_row) < k_width, focused);
        }
    }
    ::DestroyWindow(parent);
    theme::init_theme(ThemeChoice::Light);
}

} // namespace
} // namespace quarn::controls
