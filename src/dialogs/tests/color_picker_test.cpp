// Needs a display: the picker paints its colour fields straight onto the
// screen, so only the screen shows whether the dark theme left them alone.
#include <gtest/gtest.h>

#include <set>

#include "dialogs/tests/dialog_test.hpp"
#include "dialogs/vlan_dialog.hpp"
#include "test_support/script.hpp"
#include "theme/theme.hpp"
#include "win/unique.hpp"

namespace quarn::dialogs {
namespace {

using namespace testing;
using quarn::testing::Script;

constexpr int k_basic_colors = 0x2D0; // the picker's field of basic colours

// The number of distinct colours the screen shows inside a window.
std::size_t colors_on_screen(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    win::WindowDc screen(nullptr);
    std::set<COLORREF> seen;
    for (int y = rect.top; y < rect.bottom; y += 2)
        for (int x = rect.left; x < rect.right; x += 2) seen.insert(::GetPixel(screen.get(), x, y));
    return seen.size();
}

using ColorPickerTest = DialogTest;

// The system's picker opens owned by the dialog, shows its colours in both
// themes and, confirmed, gives back the colour it was opened on.
TEST_F(ColorPickerTest, ShowsItsColorsInBothThemes) {
    for (bool dark : {false, true}) {
        SCOPED_TRACE(dark ? "dark" : "light");
        theme::init_theme(dark ? ThemeChoice::Dark : ThemeChoice::Light);
        std::size_t colors = 0;
        HWND picker = nullptr;
        HWND picker_owner = nullptr;
        HWND vlan_dialog = nullptr;
        Script script({
                          [&] {
                              vlan_dialog = find(k_vlan_window_class);
                              click(vlan_dialog, k_vlan_color);
                          },
                          [&] {
                              picker = ::FindWindowW(L"#32770", nullptr);
                              ASSERT_NE(picker, nullptr);
                              picker_owner = ::GetWindow(picker, GW_OWNER);
                              ::UpdateWindow(picker);
                          },
                          [&] {
                              HWND field = ::GetDlgItem(picker, k_basic_colors);
                              ASSERT_NE(field, nullptr);
                              colors = colors_on_screen(field);
                              ::PostMessageW(picker, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                                             reinterpret_cast<LPARAM>(::GetDlgItem(picker, IDOK)));
                          },
                          [] { click(find(k_vlan_window_class), IDOK); },
                      },
                      200);
        EXPECT_EQ(run_vlan_dialog(owner_, Vlan{8, "", {0x12, 0x34, 0x56}}, false, {}),
                  (Vlan{8, "", {0x12, 0x34, 0x56}}));
        EXPECT_TRUE(script.finished());
        EXPECT_EQ(picker_owner, vlan_dialog);
        // 48 basic colours, give or take the frames.
        EXPECT_GE(colors, 40u);
    }
    theme::init_theme(ThemeChoice::Light);
}

} // namespace
} // namespace quarn::dialogs
