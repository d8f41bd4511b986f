#include "listview/vlan_list.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace quarn::listview {
namespace {

class VlanListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&init);
        parent_ = ::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 400, nullptr, nullptr,
                                    nullptr, nullptr);
        ASSERT_NE(parent_, nullptr);
        list_ = create_vlan_list(parent_, 111, nullptr, 96);
        ASSERT_NE(list_, nullptr);
    }
    void TearDown() override { ::DestroyWindow(parent_); }

    std::wstring cell(int row, int column) {
        wchar_t text[64] = {};
        ListView_GetItemText(list_, row, column, text, 64);
        return text;
    }

    HWND parent_ = nullptr;
    HWND list_ = nullptr;
};

TEST_F(VlanListTest, ShowsIdAndNameAndKeepsTheSelectedVlan) {
    std::vector<Vlan> vlans{
        {10, "Data", {0, 0x66, 0xcc}}, {20, "Voice", {0xff, 0xee, 0x58}}, {99, "Mgmt", {}}};
    fill_vlan_list(list_, vlans, 20);
    ASSERT_EQ(ListView_GetItemCount(list_), 3);
    EXPECT_EQ(cell(0, 0), L"10");
    EXPECT_EQ(cell(1, 1), L"Voice");
    EXPECT_EQ(selected_vlan(list_), 20);
    EXPECT_EQ(ListView_GetColumnWidth(list_, 0), 100);
    EXPECT_EQ(ListView_GetColumnWidth(list_, 1), 100);

    fill_vlan_list(list_, vlans, std::nullopt);
    EXPECT_EQ(selected_vlan(list_), std::nullopt);
    fill_vlan_list(list_, vlans, 55); // not in the list
    EXPECT_EQ(selected_vlan(list_), std::nullopt);

    set_vlan_list_dpi(list_, 144);
    EXPECT_EQ(ListView_GetColumnWidth(list_, 0), 150);
}

TEST(VlanListColors, IdTextIsBlackOnLightAndWhiteOnDark) {
    EXPECT_EQ(id_text_color({255, 255, 255}), RGB(0, 0, 0));
    EXPECT_EQ(id_text_color({0, 0, 0}), RGB(255, 255, 255));
    EXPECT_EQ(id_text_color({0xff, 0xee, 0x58}), RGB(0, 0, 0));
    EXPECT_EQ(id_text_color({0x1a, 0x23, 0x7e}), RGB(255, 255, 255));
}

} // namespace
} // namespace quarn::listview
