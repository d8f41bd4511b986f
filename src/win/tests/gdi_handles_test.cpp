#include "win/unique.hpp"

#include <gtest/gtest.h>

namespace quarn::win {
namespace {

TEST(IconAndModule, AreReleasedWhenTheirOwnerGoes) {
    BYTE and_mask[4 * 32] = {};
    BYTE xor_mask[4 * 32] = {};
    HICON icon_raw = nullptr;
    {
        UniqueIcon icon(::CreateIcon(nullptr, 32, 32, 1, 1, and_mask, xor_mask));
        ASSERT_TRUE(icon);
        icon_raw = icon.get();
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(icon_raw, &info));
        ::DeleteObject(info.hbmMask);
        if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
    }
    ICONINFO info{};
    EXPECT_FALSE(::GetIconInfo(icon_raw, &info));

    // A library nothing else in the test loads.
    ASSERT_EQ(::GetModuleHandleW(L"msimg32.dll"), nullptr);
    {
        UniqueModule module(::LoadLibraryExW(L"msimg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
        ASSERT_TRUE(module);
        EXPECT_EQ(::GetModuleHandleW(L"msimg32.dll"), module.get());
    }
    EXPECT_EQ(::GetModuleHandleW(L"msimg32.dll"), nullptr);
}

} // namespace
} // namespace quarn::win
