#include "win/unique.hpp"

#include <gtest/gtest.h>

namespace quarn::win {
namespace {

TEST(Unique, GdiWrappersReleaseAndGuardRestoresSelection) {
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    ASSERT_TRUE(dc);
    UniqueBrush brush(::CreateSolidBrush(RGB(1, 2, 3)));
    ASSERT_TRUE(brush);
    HGDIOBJ before = ::GetCurrentObject(dc.get(), OBJ_BRUSH);
    {
        SelectGuard guard(dc.get(), brush.get());
        EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BRUSH), brush.get());
    }
    EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BRUSH), before);
    HGDIOBJ raw = brush.get();
    brush.reset();
    EXPECT_EQ(::GetObjectType(raw), 0u); // deleted

    HKEY raw_key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\QuarnUniqueTest", 0, nullptr, 0,
                                KEY_ALL_ACCESS, nullptr, &raw_key, nullptr),
              ERROR_SUCCESS);
    UniqueKey key(raw_key);
    EXPECT_TRUE(key);
    key.reset();
    // A closed key takes no value any more.
    DWORD one = 1;
    EXPECT_EQ(::RegSetValueExW(raw_key, L"v", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof(one)),
              ERROR_INVALID_HANDLE);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QuarnUniqueTest");
}

TEST(Unique, WindowDcIsReleasedToItsWindow) {
    HWND window =
        ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    HDC raw = nullptr;
    {
        WindowDc dc(window);
        raw = dc.get();
        ASSERT_NE(raw, nullptr);
    }
    // Released already: a second release finds nothing to give back.
    EXPECT_EQ(::ReleaseDC(window, raw), 0);
    ::DestroyWindow(window);
}

} // namespace
} // namespace quarn::win
