#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "app/app_state.hpp"
#include "app/canvas_scene.hpp"
#include "app/commands.hpp"
#include "app/menu_popup.hpp"
#include "app/message_loop.hpp"
#include "app/refresh.hpp"
#include "app/startup.hpp"
#include "main_window_fixture.hpp"
#include "render/gdi_renderer.hpp"
#include "test_support/dib.hpp"
#include "theme/theme.hpp"

namespace quarn::app {
namespace {

Map sample_map() {
    Map map = switches_map({"edge-1"});
    map.site = "Head office";
    return map;
}

using MainWindowTest = MainWindowFixture;

TEST_F(MainWindowTest, HasEveryControlWithItsIdAndClass) {
    struct Expected {
        int id;
        const wchar_t* class_name;
    };
    constexpr std::array expected{
        Expected{MenuFile, L"Button"},      Expected{MenuHelp, L"Button"},
        Expected{SiteField, L"Edit"},       Expected{VlanList, L"SysListView32"},
        Expected{VlanAdd, L"Button"},       Expected{VlanEdit, L"Button"},
        Expected{VlanRemove, L"Button"},    Expected{HighlightVlan, L"Button"},
        Expected{LabelField, L"Edit"},      Expected{DescriptionField, L"Edit"},
        Expected{RangeField, L"Edit"},      Expected{PortVlanList, L"ListBox"},
        Expected{StatusLine, L"Static"},    Expected{Canvas, L"QuarnCanvas"},
        Expected{DisabledCheck, L"Button"}, Expected{PanelToggleUntagged, L"Button"},
    };
    for (const Expected& e : expected) {
        HWND control = ::GetDlgItem(state_->main, e.id);
        ASSERT_NE(control, nullptr) << e.id;
        wchar_t name[64] = {};
        ::GetClassNameW(control, name, 64);
        EXPECT_EQ(::lstrcmpiW(name, e.class_name), 0) << e.id;
    }
    EXPECT_EQ(text_of(MenuSwitch), L"Switch");
    EXPECT_EQ(text_of(RangeLabel), L"Select Ports (e.g. 1-12,25):");
    EXPECT_EQ(text_of(StatusLine),
              L"Select ports, pick a VLAN in the list, then press Toggle Untagged (U) or Toggle Tagged (T).");
    EXPECT_EQ(text_of(PanelSelectionText), L"No Ports Selected");
    wchar_t title[64] = {};
    ::GetWindowTextW(state_->main, title, 64);
    EXPECT_STREQ(title, L"Untitled - Quarn");
}

TEST_F(MainWindowTest, AClickOnAPortSelectsItAndShowsItInThePanel) {
    load(sample_map());
    const std::vector<HitRegion> hits = state_->scene.hits();
    ASSERT_GE(hits.size(), 8u);
    const HitRegion& hit = hits[3];
    float scale = state_->canvas.scale();
    LPARAM at = MAKELPARAM(static_cast<int>((hit.x + 10) * scale), static_cast<int>((hit.y + 10) * scale));
    HWND canvas = state_->canvas.hwnd();
    ::SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(canvas, WM_LBUTTONUP, 0, at);
    ASSERT_EQ(state_->canvas.selection().ports().size(), 1u);
    EXPECT_EQ(state_->canvas.selection().ports()[0], (PortRef{hit.switch_index, hit.port_index}));
    EXPECT_EQ(text_of(PanelSelectionText), L"edge-1 port 4");
    EXPECT_EQ(text_of(LabelField), L"4");

    // Ctrl+click on another port adds it.
    const HitRegion& other = hits[0];
    LPARAM at_other =
        MAKELPARAM(static_cast<int>((other.x + 10) * scale), static_cast<int>((other.y + 10) * scale));
    ::SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, at_other);
    ::SendMessageW(canvas, WM_LBUTTONUP, MK_CONTROL, at_other);
    EXPECT_EQ(text_of(PanelSelectionText), L"2 Ports Selected");
}

TEST_F(MainWindowTest, ZoomCommandsChangeTheScaleWithinLimits) {
    load(sample_map());
    float start = state_->canvas.scale();
    ::SendMessageW(state_->main, WM_COMMAND, ViewZoomIn, 0);
    EXPECT_GT(state_->canvas.scale(), start);
    for (int i = 0; i < 40; ++i) ::SendMessageW(state_->main, WM_COMMAND, ViewZoomOut, 0);
    EXPECT_FLOAT_EQ(state_->canvas.zoom(), 0.25f);
    ::SendMessageW(state_->main, WM_COMMAND, ViewZoomReset, 0);
    EXPECT_FLOAT_EQ(state_->canvas.scale(), start);
}

TEST_F(MainWindowTest, AThemeChangeRebuildsTheSceneInTheNewPalette) {
    load(sample_map());
    theme::ThemeChoiceHooks hooks;
    hooks.dark_changed = [this](bool) { rebuild_scene(*state_); };
    (void)theme::apply_theme_choice(ThemeChoice::Dark, hooks);
    ASSERT_TRUE(theme::is_dark());
    const Rect background = std::get<Rect>(state_->scene.scene().items.front());
    EXPECT_EQ(background.fill, k_dark_palette.background);
    (void)theme::apply_theme_choice(ThemeChoice::Light, hooks);
    EXPECT_EQ(std::get<Rect>(state_->scene.scene().items.front()).fill, k_light_palette.background);
}

bool contrast_on() noexcept {
    return true;
}

// Windows announces a high-contrast theme with WM_SETTINGCHANGE; Wine has
// none to turn on, so the setting comes through the theme's reader and the
// colours are the system's own as Wine reports them.
TEST_F(MainWindowTest, HighContrastPaintsTheCanvasInTheSystemColoursAndKeepsTheVlans) {
    load(switches_map({"core"}));
    auto paint = [this](COLORREF color) {
        const Scene scene = state_->scene.scene();
        quarn::testing::Dib dib(static_cast<int>(scene.width) + 1, static_cast<int>(scene.height) + 1);
        render::paint_scene(dib.dc(), scene.items, render::ViewTransform{1.0f, 0.0f, 0.0f});
        return dib.count(color);
    };
    const COLORREF vlan_10 = RGB(0x1e, 0x88, 0xe5);
    const COLORREF own_panel =
        RGB(k_light_palette.panel.red, k_light_palette.panel.green, k_light_palette.panel.blue);
    ASSERT_GT(paint(own_panel), 0);

    (void)theme::set_high_contrast_reader(&contrast_on);
    ::SendMessageW(state_->main, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    EXPECT_EQ(paint(own_panel), 0);
    EXPECT_GT(paint(::GetSysColor(COLOR_WINDOW)), 0);
    EXPECT_GT(paint(::GetSysColor(COLOR_WINDOWTEXT)), 0); // frames and text
    EXPECT_GT(paint(vlan_10), 0);                         // the port in VLAN 10 keeps its colour

    (void)theme::set_high_contrast_reader(nullptr);
    ::SendMessageW(state_->main, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    EXPECT_GT(paint(own_panel), 0);
}

TEST_F(MainWindowTest, TypingInTheSiteFieldIsOneUndoStepPerVisit) {
    load(sample_map());
    HWND site = ::GetDlgItem(state_->main, SiteField);
    EXPECT_EQ(text_of(SiteField), L"Head office");
    ::SendMessageW(state_->main, WM_COMMAND, MAKEWPARAM(SiteField, EN_SETFOCUS),
                   reinterpret_cast<LPARAM>(site));
    ::SetWindowTextW(site, L"Head office 2"); // sends EN_CHANGE
    ::SetWindowTextW(site, L"Head office 22");
    ::SendMessageW(state_->main, WM_COMMAND, MAKEWPARAM(SiteField, EN_KILLFOCUS),
                   reinterpret_cast<LPARAM>(site));
    EXPECT_EQ(state_->map.site, "Head office 22");
    EXPECT_EQ(state_->history.undo_depth(), 1u);
    wchar_t title[64] = {};
    ::GetWindowTextW(state_->main, title, 64);
    EXPECT_STREQ(title, L"Untitled* - Quarn");

    // Texts the program puts in the field are not edits.
    state_->map.site = "Elsewhere";
    refresh_site(*state_);
    EXPECT_EQ(state_->history.undo_depth(), 1u);
}

TEST_F(MainWindowTest, TabGoesFromTheSiteRowToTheVlanListCanvasPanelAndStatusLine) {
    std::vector<int> order;
    for (HWND child = ::GetWindow(state_->main, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
        order.push_back(::GetDlgCtrlID(child));
    auto place = [&](int id) { return std::find(order.begin(), order.end(), id) - order.begin(); };
    const int reading[] = {MenuFile,   MenuHelp,         SiteField,           VlanList,
                           VlanAdd,    Canvas,           PanelToggleUntagged, RangeField,
                           LabelField, DescriptionField, PortVlanList,        StatusLine};
    for (std::size_t i = 1; i < std::size(reading); ++i)
        EXPECT_LT(place(reading[i - 1]), place(reading[i])) << reading[i - 1] << " before " << reading[i];
    EXPECT_LT(place(StatusLine), static_cast<std::ptrdiff_t>(order.size()));
}

// Enter posted as a key press and taken by the program's own message loop,
// so the dialog navigation of the main window is part of what is tested.
TEST_F(MainWindowTest, EnterInTheFieldsActsThroughTheMessageLoop) {
    load(sample_map());
    auto press_enter = [this](int id) {
        HWND field = ::GetDlgItem(state_->main, id);
        ::SendMessageW(state_->main, WM_COMMAND, MAKEWPARAM(id, EN_SETFOCUS),
                       reinterpret_cast<LPARAM>(field));
        return field;
    };
    auto run_posted = [this](HWND field) {
        ::PostMessageW(field, WM_KEYDOWN, VK_RETURN, 0x001C0001);
        ::PostMessageW(field, WM_KEYUP, VK_RETURN, 0xC01C0001);
        ::PostQuitMessage(0);
        EXPECT_EQ(run_message_loop(program_->window, nullptr), 0);
    };

    HWND range = press_enter(RangeField);
    ::SetWindowTextW(range, L"1-4");
    run_posted(range);
    EXPECT_EQ(state_->canvas.selection().ports().size(), 4u);
    EXPECT_EQ(text_of(PanelSelectionText), L"4 Ports Selected");

    HWND range_one = press_enter(RangeField);
    ::SetWindowTextW(range_one, L"2");
    run_posted(range_one);
    HWND label = press_enter(LabelField);
    ::SetWindowTextW(label, L"Gi2");
    run_posted(label);
    EXPECT_EQ(state_->map.switches[0].ports[1].label, "Gi2");

    // In the site field Enter ends the edit: typing on is a new undo step.
    std::size_t depth = state_->history.undo_depth();
    HWND site = press_enter(SiteField);
    ::SetWindowTextW(site, L"Head office 2");
    run_posted(site);
    ::SetWindowTextW(site, L"Head office 23");
    EXPECT_EQ(state_->history.undo_depth(), depth + 2);

    HWND description = press_enter(DescriptionField);
    ::SetWindowTextW(description, L"printer");
    run_posted(description);
    ::SetWindowTextW(description, L"printer 2");
    EXPECT_EQ(state_->history.undo_depth(), depth + 4);
    EXPECT_EQ(state_->map.switches[0].ports[1].description, "printer 2");
}

TEST(MenuPopup, ASubmenuThatCannotBeAppendedIsDestroyed) {
    // Windows counts a process's USER objects; Wine's count is always 0.
    DWORD before = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    if (before == 0)
        GTEST_SKIP() << "this system counts no USER objects (Wine gives 0), so a leak cannot be seen";
    HMENU gone = ::CreatePopupMenu();
    ASSERT_NE(gone, nullptr);
    ::DestroyMenu(gone);
    MenuItem recent{0, "Recent Files", true, false, {MenuItem{RecentFirst, "C:\\a.quarn", true, false, {}}}};
    for (int i = 0; i < 20; ++i) fill_menu(gone, {recent});
    EXPECT_EQ(::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS), before);
}

} // namespace
} // namespace quarn::app
