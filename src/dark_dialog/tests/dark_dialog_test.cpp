#include "dark_dialog/dark_dialog.hpp"

#include <gtest/gtest.h>

#include <commctrl.h>

#include "test_support/dib.hpp"
#include "test_support/test_window.hpp"
#include "theme/fonts.hpp"
#include "theme/theme.hpp"
#include "theme/theme_colors.hpp"

namespace quarn::dark_dialog {
namespace {

using testing::Dib;

// A stand-in for a system dialog: the hook only looks at the children.
class DarkDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dialog_ = testing::make_plain_window(400, 300);
        ASSERT_NE(dialog_, nullptr);
        check_ = child(WC_BUTTONW, L"Collate", BS_AUTOCHECKBOX, 10);
        static_ = child(WC_STATICW, L"Copies:", SS_LEFT, 40);
        edit_ = child(WC_EDITW, L"1", ES_LEFT, 70);
        HFONT font = theme::dialog_font(96, 16, theme::FontLine::Plain);
        for (HWND control : {check_, static_, edit_})
            ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    void TearDown() override {
        ::DestroyWindow(dialog_);
        theme::init_theme(ThemeChoice::Light);
    }

    HWND child(const wchar_t* class_name, const wchar_t* text, DWORD style, int y) {
        return ::CreateWindowExW(0, class_name, text, WS_CHILD | WS_VISIBLE | style, 10, y, 160, 24, dialog_,
                                 nullptr, ::GetModuleHandleW(nullptr), nullptr);
    }

    // What the control paints of itself into a DIB of its size.
    static void paint(HWND control, Dib& dib) {
        dib.fill(RGB(255, 0, 255));
        ::SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.dc()), PRF_CLIENT);
    }

    HWND dialog_ = nullptr;
    HWND check_ = nullptr;
    HWND static_ = nullptr;
    HWND edit_ = nullptr;
};

TEST_F(DarkDialogTest, DarkModePaintsChecksAndStaticsInTheThemeColors) {
    theme::init_theme(ThemeChoice::Dark);
    const theme::ThemeValues& v = theme::k_dark_values;
    EXPECT_EQ(dark_dialog_hook(dialog_, WM_INITDIALOG, 0, 0), static_cast<UINT_PTR>(TRUE));
    ::SendMessageW(check_, BM_SETCHECK, BST_CHECKED, 0);

    for (HWND control : {check_, static_}) {
        Dib dib(160, 24);
        ASSERT_TRUE(dib.valid());
        paint(control, dib);
        EXPECT_EQ(dib.count(RGB(255, 0, 255)), 0);
        // Mostly background, with text (and the check mark) in the text colour.
        EXPECT_GT(dib.count(v.background), 160 * 24 / 2);
        EXPECT_GT(dib.count(v.text, 24), 10);
    }
    // The check box's box is a field.
    Dib dib(160, 24);
    paint(check_, dib);
    EXPECT_GT(dib.count(v.field_background), 10);

    // A disabled static greys its text.
    ::EnableWindow(static_, FALSE);
    paint(static_, dib);
    EXPECT_GT(dib.count(v.disabled_text, 24), 10);
    EXPECT_EQ(dib.count(v.text, 24), 0);
}

TEST_F(DarkDialogTest, ControlColorsFollowTheThemeOnlyWhenDark) {
    Dib dib(4, 4);
    auto ask = [&](UINT msg) {
        ::SetTextColor(dib.dc(), RGB(1, 2, 3));
        ::SetBkColor(dib.dc(), RGB(1, 2, 3));
        return dark_dialog_hook(dialog_, msg, reinterpret_cast<WPARAM>(dib.dc()),
                                reinterpret_cast<LPARAM>(edit_));
    };

    theme::init_theme(ThemeChoice::Dark);
    const theme::ThemeColors& dark = theme::theme_colors();
    for (UINT msg : {WM_CTLCOLORBTN, WM_CTLCOLORDLG, WM_CTLCOLORSTATIC}) {
        EXPECT_EQ(ask(msg), reinterpret_cast<UINT_PTR>(dark.window_brush)) << msg;
        EXPECT_EQ(::GetTextColor(dib.dc()), dark.text);
        EXPECT_EQ(::GetBkColor(dib.dc()), dark.background);
    }
    for (UINT msg : {WM_CTLCOLOREDIT, WM_CTLCOLORLISTBOX}) {
        EXPECT_EQ(ask(msg), reinterpret_cast<UINT_PTR>(dark.field_brush)) << msg;
        EXPECT_EQ(::GetBkColor(dib.dc()), dark.field_background);
    }

    // Light: the hook keeps out of the way, but still lets the dialog set
    // its first focus.
    theme::init_theme(ThemeChoice::Light);
    for (UINT msg : {WM_CTLCOLORBTN, WM_CTLCOLORSTATIC, WM_CTLCOLOREDIT}) EXPECT_EQ(ask(msg), 0u) << msg;
    EXPECT_EQ(::GetTextColor(dib.dc()), RGB(1, 2, 3));
    EXPECT_EQ(dark_dialog_hook(dialog_, WM_INITDIALOG, 0, 0), static_cast<UINT_PTR>(TRUE));
    // Nothing was subclassed: the check box paints in its own classic way.
    Dib check(160, 24);
    paint(check_, check);
    EXPECT_LT(check.count(theme::k_dark_values.background), 160 * 24 / 2);
}

} // namespace
} // namespace quarn::dark_dialog
