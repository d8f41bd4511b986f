#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "controls/common_message.hpp"
#include "controls/control_table.hpp"
#include "controls/create_controls.hpp"
#include "controls/dialog_window.hpp"
#include "test_support/dib.hpp"
#include "test_support/test_window.hpp"
#include "theme/fonts.hpp"
#include "theme/theme.hpp"
#include "theme/theme_colors.hpp"

namespace quarn::controls {
namespace {

using testing::Dib;

TEST(Scale, RoundsUnitsToPixels) {
    struct Case {
        int units;
        UINT dpi;
        int pixels;
    };
    const Case cases[] = {{80, 144, 120}, {26, 144, 39}, {26, 96, 26},   {26, 0, 26},
                          {1, 120, 1},    {3, 120, 4},   {84, 192, 168}, {0, 144, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(scale_units(c.units, c.dpi), c.pixels) << c.units << " units at " << c.dpi << " dpi";
    }
}

constexpr std::array<ControlRow, 11> k_table{{
    {ControlKind::Heading, 10, L"Heading", 8, 8, 200, 30, 0},
    {ControlKind::Label, 11, L"Label", 8, 40, 80, 20, 0},
    {ControlKind::NumberEdit, 12, L"42", 96, 40, 80, 26, 4},
    {ControlKind::RadioButton, 13, L"First", 8, 70, 80, 20, 0},
    {ControlKind::RadioButton, 14, L"Second", 96, 70, 80, 20, 0},
    {ControlKind::CheckBox, 15, L"Check", 8, 94, 80, 20, 0},
    {ControlKind::UpperEdit, 16, L"", 8, 120, 80, 26, 8},
    {ControlKind::TextViewer, 17, L"ignored", 8, 150, 200, 100, 0},
    {ControlKind::PathLabel, 18, L"C:\\a&b\\c", 8, 254, 200, 20, 0},
    {ControlKind::Link, 19, L"Link", 8, 280, 80, 20, 0},
    {ControlKind::PushButton, 20, L"OK", 100, 280, 80, 26, 0},
}};

class ControlsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        parent_ = testing::make_plain_window(800, 600);
        ASSERT_NE(parent_, nullptr);
        theme::init_theme(ThemeChoice::Light);
    }
    void TearDown() override { ::DestroyWindow(parent_); }

    RECT child_rect(int id) const {
        RECT rect{};
        HWND child = ::GetDlgItem(parent_, id);
        ::GetWindowRect(child, &rect);
        ::MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    LONG_PTR style(int id) const { return ::GetWindowLongPtrW(::GetDlgItem(parent_, id), GWL_STYLE); }
    HFONT font(int id) const {
        return reinterpret_cast<HFONT>(::SendMessageW(::GetDlgItem(parent_, id), WM_GETFONT, 0, 0));
    }

    HWND parent_ = nullptr;
};

TEST_F(ControlsTest, ScalesTheTableForTheDpi) {
    ASSERT_TRUE(create_controls(parent_, k_table, 144));
    for (const ControlRow& row : k_table) {
        RECT rect = child_rect(row.id);
        EXPECT_EQ(rect.left, scale_units(row.x, 144)) << row.id;
        EXPECT_EQ(rect.top, scale_units(row.y, 144)) << row.id;
        EXPECT_EQ(rect.right - rect.left, scale_units(row.w, 144)) << row.id;
        EXPECT_EQ(rect.bottom - rect.top, scale_units(row.h, 144)) << row.id;
    }

    // Fonts at that DPI: ordinary everywhere, heading and underlined where due.
    HFONT normal = theme::dialog_font(144, 16, theme::FontLine::Plain);
    EXPECT_EQ(font(10), theme::dialog_font(144, 22, theme::FontLine::Plain));
    EXPECT_EQ(font(11), normal);
    EXPECT_EQ(font(12), normal);
    EXPECT_EQ(font(19), theme::dialog_font(144, 16, theme::FontLine::Underlined));
    EXPECT_EQ(font(20), normal);
}

// Windows sends WM_DPICHANGED when a window moves to a monitor of another
// scale; Wine has one monitor, so the test sends it as Windows would. Every
// window of the program answers it through the common messages.
TEST_F(ControlsTest, AMoveToAnotherScalePlacesAndSizesEveryControlForIt) {
    ASSERT_TRUE(create_controls(parent_, k_table, 96));
    RECT window{};
    ::GetWindowRect(parent_, &window);
    for (UINT dpi : {144u, 192u, 120u, 96u}) {
        // Small enough for the test display at 200%.
        RECT suggested{window.left, window.top, window.left + scale_units(400, dpi),
                       window.top + scale_units(320, dpi)};
        auto answered = common_window_message(parent_, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                                              reinterpret_cast<LPARAM>(&suggested));
        ASSERT_TRUE(answered.has_value()) << dpi;
        RECT now{};
        ::GetWindowRect(parent_, &now);
        EXPECT_EQ(now.right - now.left, scale_units(400, dpi)) << dpi;
        for (const ControlRow& row : k_table) {
            RECT rect = child_rect(row.id);
            // Scaled from the last place, which was rounded: one pixel either way.
            EXPECT_NEAR(rect.left, scale_units(row.x, dpi), 1) << row.id << " at " << dpi;
            EXPECT_NEAR(rect.top, scale_units(row.y, dpi), 1) << row.id << " at " << dpi;
            EXPECT_NEAR(rect.right - rect.left, scale_units(row.w, dpi), 2) << row.id << " at " << dpi;
            EXPECT_NEAR(rect.bottom - rect.top, scale_units(row.h, dpi), 2) << row.id << " at " << dpi;
        }
        EXPECT_EQ(font(10), theme::dialog_font(dpi, theme::k_heading_size, theme::FontLine::Plain)) << dpi;
        EXPECT_EQ(font(11), theme::dialog_font(dpi, theme::k_text_size, theme::FontLine::Plain)) << dpi;
        EXPECT_EQ(font(19), theme::dialog_font(dpi, theme::k_text_size, theme::FontLine::Underlined)) << dpi;
        EXPECT_EQ(font(20), theme::dialog_font(dpi, theme::k_text_size, theme::FontLine::Plain)) << dpi;
    }
}

TEST_F(ControlsTest, GivesEachKindItsStyle) {
    ASSERT_TRUE(create_controls(parent_, k_table, 96));
    struct Case {
        int id;
        const wchar_t* class_name;
        LONG_PTR set;     // style bits that must be set
        LONG_PTR cleared; // style bits that must not be set
    };
    const std::vector<Case> cases = {
        {10, L"Static", WS_VISIBLE, SS_NOPREFIX},
        {12, L"Edit", WS_TABSTOP | ES_AUTOHSCROLL | ES_NUMBER, ES_MULTILINE},
        {13, L"Button", BS_AUTORADIOBUTTON | BS_MULTILINE | WS_GROUP | WS_TABSTOP, 0},
        {14, L"Button", BS_AUTORADIOBUTTON, WS_GROUP | WS_TABSTOP},
        {15, L"Button", BS_AUTOCHECKBOX | BS_MULTILINE | WS_GROUP | WS_TABSTOP, 0}, // ends the radio group
        {16, L"Edit", WS_TABSTOP | ES_UPPERCASE, WS_GROUP},
        {17, L"Edit", ES_READONLY | ES_MULTILINE | WS_VSCROLL | ES_AUTOVSCROLL, 0},
        {18, L"Static", SS_NOPREFIX | SS_PATHELLIPSIS, 0},
        {19, L"Button", BS_OWNERDRAW | WS_TABSTOP, 0},
        {20, L"Button", BS_OWNERDRAW | WS_TABSTOP, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        HWND child = ::GetDlgItem(parent_, c.id);
        ASSERT_NE(child, nullptr);
        wchar_t name[32] = {};
        ::GetClassNameW(child, name, 32);
        EXPECT_STREQ(name, c.class_name);
        EXPECT_EQ(style(c.id) & c.set, c.set);
        EXPECT_EQ(style(c.id) & c.cleared, 0);
    }
    EXPECT_EQ(::GetWindowLongPtrW(::GetDlgItem(parent_, 12), GWL_EXSTYLE) & WS_EX_CLIENTEDGE,
              WS_EX_CLIENTEDGE);
    EXPECT_EQ(::SendMessageW(::GetDlgItem(parent_, 12), EM_GETLIMITTEXT, 0, 0), 4);
    EXPECT_EQ(::SendMessageW(::GetDlgItem(parent_, 16), EM_GETLIMITTEXT, 0, 0), 8);
    // The viewer starts empty and takes any length.
    EXPECT_EQ(::GetWindowTextLengthW(::GetDlgItem(parent_, 17)), 0);
    EXPECT_GT(::SendMessageW(::GetDlgItem(parent_, 17), EM_GETLIMITTEXT, 0, 0), 1000000);
    EXPECT_TRUE(is_link(::GetDlgItem(parent_, 19)));
    EXPECT_FALSE(is_link(::GetDlgItem(parent_, 20)));
    EXPECT_FALSE(is_link(::GetDlgItem(parent_, 11)));
}

TEST_F(ControlsTest, CommonMessagesColorTheControls) {
    ASSERT_TRUE(create_controls(parent_, k_table, 96));
    for (ThemeChoice choice : {ThemeChoice::Dark, ThemeChoice::Light}) {
        theme::init_theme(choice);
        const theme::ThemeColors& colors = theme::theme_colors();
        Dib dib(40, 20);
        ASSERT_TRUE(dib.valid());
        struct Case {
            UINT msg;
            int id;
            HBRUSH brush;
            COLORREF text;
            COLORREF background;
        };
        const std::vector<Case> cases = {
            {WM_CTLCOLOREDIT, 12, colors.field_brush, colors.text, colors.field_background},
            {WM_CTLCOLORSTATIC, 11, colors.window_brush, colors.text, colors.background},
            // A read-only edit asks as a static but stays a field.
            {WM_CTLCOLORSTATIC, 17, colors.field_brush, colors.text, colors.field_background},
            {WM_CTLCOLORBTN, 15, colors.window_brush, colors.text, colors.background},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.id);
            ::SetTextColor(dib.dc(), RGB(1, 2, 3));
            ::SetBkColor(dib.dc(), RGB(1, 2, 3));
            auto result = common_window_message(parent_, c.msg, reinterpret_cast<WPARAM>(dib.dc()),
                                                reinterpret_cast<LPARAM>(::GetDlgItem(parent_, c.id)));
            ASSERT_TRUE(result.has_value());
            EXPECT_EQ(reinterpret_cast<HBRUSH>(*result), c.brush);
            EXPECT_EQ(::GetTextColor(dib.dc()), c.text);
            EXPECT_EQ(::GetBkColor(dib.dc()), c.background);
        }

        // The background is the window colour.
        dib.fill(RGB(255, 0, 255));
        auto erased = common_window_message(parent_, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dib.dc()), 0);
        ASSERT_TRUE(erased.has_value());
        EXPECT_EQ(dib.pixel(5, 5),
                  choice == ThemeChoice::Dark ? RGB(0x2D, 0x2D, 0x2D) : RGB(0xEC, 0xEC, 0xEC));
    }

    // The hand over links only.
    HWND link = ::GetDlgItem(parent_, 19);
    HWND button = ::GetDlgItem(parent_, 20);
    EXPECT_EQ(common_window_message(parent_, WM_SETCURSOR, reinterpret_cast<WPARAM>(link),
                                    MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              std::optional<LRESULT>(TRUE));
    EXPECT_EQ(common_window_message(parent_, WM_SETCURSOR, reinterpret_cast<WPARAM>(button),
                                    MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              std::nullopt);
    EXPECT_EQ(common_window_message(parent_, WM_MOUSEMOVE, 0, 0), std::nullopt);
}

TEST_F(ControlsTest, EnterPressesTheFocusedButton) {
    ASSERT_TRUE(create_controls(parent_, k_table, 96));
    ::ShowWindow(parent_, SW_SHOW);
    ::SetFocus(::GetDlgItem(parent_, 20));
    ASSERT_EQ(::GetFocus(), ::GetDlgItem(parent_, 20));
    EXPECT_EQ(common_window_message(parent_, DM_GETDEFID, 0, 0),
              std::optional<LRESULT>(MAKELRESULT(20, DC_HASDEFID)));
    // Elsewhere the window's own default (OK) stays.
    ::SetFocus(::GetDlgItem(parent_, 12));
    EXPECT_EQ(common_window_message(parent_, DM_GETDEFID, 0, 0), std::nullopt);
}

TEST(DialogWindow, HasACaptionNoSizingAndTheGivenOuterSize) {
    theme::init_theme(ThemeChoice::Light);
    HWND owner = testing::make_plain_window(300, 200);
    HWND dialog =
        create_dialog_window(L"QuarnTestDialog", L"Title", &testing::plain_window_proc, owner, 390, 144);
    ASSERT_NE(dialog, nullptr);
    // A second window of the class registers nothing anew.
    HWND second =
        create_dialog_window(L"QuarnTestDialog", L"Other", &testing::plain_window_proc, nullptr, 200, 100);
    ASSERT_NE(second, nullptr);

    LONG_PTR style = ::GetWindowLongPtrW(dialog, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD | WS_VISIBLE), 0);
    EXPECT_EQ(::GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_CONTROLPARENT, WS_EX_CONTROLPARENT);
    EXPECT_EQ(::GetWindow(dialog, GW_OWNER), owner);
    EXPECT_EQ(::GetWindow(second, GW_OWNER), nullptr);
    RECT outer{};
    ::GetWindowRect(dialog, &outer);
    UINT dpi = window_dpi(dialog);
    EXPECT_EQ(outer.right - outer.left, scale_units(390, dpi));
    EXPECT_EQ(outer.bottom - outer.top, scale_units(144, dpi));
    wchar_t title[16] = {};
    ::GetWindowTextW(dialog, title, 16);
    EXPECT_STREQ(title, L"Title");
    ::DestroyWindow(second);
    ::DestroyWindow(dialog);
    ::DestroyWindow(owner);
}

} // namespace
} // namespace quarn::controls
