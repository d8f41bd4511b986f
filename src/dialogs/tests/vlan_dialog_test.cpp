#include "dialogs/vlan_dialog.hpp"

#include <gtest/gtest.h>

#include "dialogs/tests/dialog_test.hpp"
#include "test_support/dib.hpp"
#include "test_support/script.hpp"

namespace quarn::dialogs {
namespace {

using namespace testing;
using quarn::testing::Dib;
using quarn::testing::Script;

const Expected k_table[] = {
    {0, L"VLAN &ID:", 14, 16, 80, 18, L"Static"}, {101, L"10", 100, 12, 70, 24, L"Edit", 4},
    {0, L"&Name:", 14, 48, 80, 18, L"Static"},    {102, L"Office", 100, 44, 210, 24, L"Edit", 60},
    {0, L"&Colour:", 14, 80, 80, 18, L"Static"},  {103, L"", 100, 76, 70, 24, L"Button"},
    {1, L"OK", 146, 116, 80, 26, L"Button"},      {2, L"Cancel", 230, 116, 80, 26, L"Button"},
};

constexpr Rgb k_green{0x2E, 0x7D, 0x32};

HWND dialog() {
    return find(k_vlan_window_class);
}

Map office_map() {
    Map map;
    map.vlans = {{10, "Office", k_green}, {20, "Voice", {}}};
    return map;
}

using VlanDialogTest = DialogTest;

TEST_F(VlanDialogTest, ShowsTheTableAndDrawsTheSwatchInTheColorOnly) {
    Script script({[&] {
        HWND d = expect_open(k_vlan_window_class, L"Edit VLAN", {0, 0, 340, 192}, k_table);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(::GetFocus(), item(d, k_vlan_name));
        EXPECT_EQ(::GetWindowLongPtrW(item(d, k_vlan_id), GWL_STYLE) & ES_NUMBER, ES_NUMBER);
        EXPECT_EQ(::GetWindowLongPtrW(item(d, k_vlan_color), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
        // Focused or not, the swatch is its colour inside the border colour.
        for (UINT state : {0u, static_cast<UINT>(ODS_FOCUS)}) {
            Dib dib(70, 24);
            ASSERT_TRUE(dib.valid());
            DRAWITEMSTRUCT draw{ODT_BUTTON, k_vlan_color,          0,        ODA_DRAWENTIRE,
                                state,      item(d, k_vlan_color), dib.dc(), RECT{0, 0, 70, 24},
                                0};
            ::SendMessageW(d, WM_DRAWITEM, k_vlan_color, reinterpret_cast<LPARAM>(&draw));
            EXPECT_EQ(dib.count(RGB(0x2E, 0x7D, 0x32)), 68 * 22);
            EXPECT_EQ(dib.count(RGB(0xAD, 0xAD, 0xAD)), 70 * 24 - 68 * 22);
        }
        click(d, IDCANCEL);
    }});
    EXPECT_EQ(run_vlan_dialog(owner_, office_map().vlans[0], true, edit_vlan_check(office_map(), 10)),
              std::nullopt);
    EXPECT_TRUE(script.finished());
}

TEST_F(VlanDialogTest, OkReadsTheIdThenRunsTheCallersCheck) {
    Messages messages;
    auto retry = [](const wchar_t* id) {
        return [id] {
            HWND d = dialog();
            EXPECT_EQ(::GetFocus(), item(d, k_vlan_id)); // the field to correct
            type(d, k_vlan_id, id);
            click(d, IDOK);
        };
    };
    Script script({
        [] {
            HWND d = dialog();
            EXPECT_EQ(text_of(d), L"Add VLAN");
            type(d, k_vlan_id, L"");
            type(d, k_vlan_name, L"   ");
            click(d, IDOK);
        },
        messages.answer(0),
        retry(L"0"),
        messages.answer(0),
        retry(L"10"),
        messages.answer(0),
        retry(L"+7"),
    });
    Vlan initial = new_vlan(office_map());
    EXPECT_EQ(initial, (Vlan{21, "", {0x15, 0x65, 0xC0}}));
    auto vlan = run_vlan_dialog(owner_, initial, false, add_vlan_check(office_map()));
    EXPECT_EQ(messages.texts,
              (std::vector<std::wstring>{L"Enter a VLAN ID.", L"VLAN ID 0 is not between 1 and 4094.",
                                         L"VLAN 10 already exists."}));
    EXPECT_EQ(vlan, (Vlan{7, "", {0x15, 0x65, 0xC0}}));
}

TEST_F(VlanDialogTest, EditKeepsItsOwnIdAndAnEmptyCheckAccepts) {
    Script edit({[] {
        type(dialog(), k_vlan_name, L" Staff ");
        press_key(VK_RETURN);
    }});
    EXPECT_EQ(run_vlan_dialog(owner_, office_map().vlans[0], true, edit_vlan_check(office_map(), 10)),
              (Vlan{10, "Staff", k_green}));
    Script unchecked({[] { click(dialog(), IDOK); }});
    EXPECT_EQ(run_vlan_dialog(owner_, Vlan{4094, "x", {}}, false, {}), (Vlan{4094, "x", {}}));
}

// What the picker was handed, and what it answers.
struct Picker {
    COLORREF offered = 0;
    CustomColors custom{};
    bool confirm = false;
    int calls = 0;
};
Picker g_picker;

bool fake_picker(HWND owner, COLORREF& color, CustomColors& custom) noexcept {
    ++g_picker.calls;
    EXPECT_EQ(owner, dialog());
    g_picker.offered = color;
    g_picker.custom = custom;
    if (!g_picker.confirm) {
        color = RGB(0xFF, 0, 0); // a cancelled picker's leftovers count for nothing
        custom.fill(RGB(0xFF, 0, 0));
        return false;
    }
    color = RGB(1, 2, 3);
    custom[0] = RGB(9, 9, 9);
    custom[15] = RGB(8, 8, 8);
    return true;
}

TEST_F(VlanDialogTest, ThePickerKeepsItsCustomColorsAndCancellingKeepsTheColor) {
    ColorChooser previous = set_color_chooser(&fake_picker);
    CustomColors black{};
    EXPECT_EQ(custom_colors(), black);
    for (bool confirm : {true, false}) {
        SCOPED_TRACE(confirm ? "confirmed" : "cancelled");
        g_picker.confirm = confirm;
        Script choose({[] { click(dialog(), k_vlan_color); }, [] { click(dialog(), IDOK); }});
        auto chosen = run_vlan_dialog(owner_, Vlan{5, "", k_green}, false, {});
        EXPECT_EQ(g_picker.offered, RGB(0x2E, 0x7D, 0x32));
        // The custom colours of the confirmed picker are offered again.
        EXPECT_EQ(g_picker.custom[0], confirm ? RGB(0, 0, 0) : RGB(9, 9, 9));
        EXPECT_EQ(chosen, (Vlan{5, "", confirm ? Rgb{1, 2, 3} : k_green}));
        EXPECT_EQ(custom_colors()[0], RGB(9, 9, 9));
        EXPECT_EQ(custom_colors()[1], RGB(0, 0, 0));
        EXPECT_EQ(custom_colors()[15], RGB(8, 8, 8));
    }
    EXPECT_EQ(g_picker.calls, 2);
    set_color_chooser(previous);
}

} // namespace
} // namespace quarn::dialogs
