#include "win/unique.hpp"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <thread>

namespace quarn::win {
namespace {

// Counts closes instead of closing real handles.
struct CountingTraits {
    using Handle = int;
    static inline int closed = 0;
    static inline int last = 0;
    static Handle none() noexcept { return 0; }
    static void close(Handle h) noexcept {
        ++closed;
        last = h;
    }
};
using Counted = Unique<CountingTraits>;

TEST(Unique, ClosesExactlyOnceAcrossMovesResetsAndRelease) {
    CountingTraits::closed = 0;
    {
        Counted a(7);
        Counted b(std::move(a));
        EXPECT_FALSE(a);
        EXPECT_EQ(b.get(), 7);
        Counted c;
        c = std::move(b);
        EXPECT_EQ(CountingTraits::closed, 0);
        c.reset(9);
        EXPECT_EQ(CountingTraits::closed, 1);
        EXPECT_EQ(CountingTraits::last, 7);
        Counted d(11);
        EXPECT_EQ(d.release(), 11);
    }
    // 9 closed by c's destructor; 11 was released and is the caller's.
    EXPECT_EQ(CountingTraits::closed, 2);
    EXPECT_EQ(CountingTraits::last, 9);
}

TEST(Unique, OwnsRealKernelAndFileHandles) {
    UniqueHandle event(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(event);
    HANDLE raw = event.get();
    event.reset();
    EXPECT_FALSE(event);
    // The handle is gone: waiting on it fails.
    EXPECT_EQ(::WaitForSingleObject(raw, 0), WAIT_FAILED);

    UniqueFile missing(::CreateFileW(L"Z:\\no\\such\\folder\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_FALSE(missing);
}

} // namespace
} // namespace quarn::win

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

TEST(Unique, AcceleratorsLocalBlocksAndComArePairedWithTheirRelease) {
    ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'S', 1}};
    UniqueAccelerators table(::CreateAcceleratorTableW(keys, 1));
    ASSERT_TRUE(table);
    HACCEL raw = table.get();
    EXPECT_EQ(::CopyAcceleratorTableW(raw, nullptr, 0), 1);
    table.reset();
    EXPECT_EQ(::CopyAcceleratorTableW(raw, nullptr, 0), 0);

    int count = 0;
    UniqueLocal<LPWSTR*> argv(::CommandLineToArgvW(L"quarn.exe \"C:\\R&D\\x.quarn\"", &count));
    ASSERT_TRUE(argv);
    ASSERT_EQ(count, 2);
    EXPECT_STREQ(argv.get()[1], L"C:\\R&D\\x.quarn");

    // On a thread of its own, so the test program's apartment is not touched:
    // after the owner ends, the thread can be initialised afresh (S_OK, not
    // S_FALSE), so it was uninitialised.
    HRESULT first = E_FAIL;
    HRESULT again = E_FAIL;
    std::thread thread([&] {
        {
            ComApartment com(COINIT_APARTMENTTHREADED);
            first = com.result();
        }
        again = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (SUCCEEDED(again)) ::CoUninitialize();
    });
    thread.join();
    EXPECT_EQ(first, S_OK);
    EXPECT_EQ(again, S_OK);
}

} // namespace
} // namespace quarn::win

namespace quarn::win {
namespace {

TEST(Unique, MenuOwnsItsSubmenus) {
    UniqueMenu menu(::CreatePopupMenu());
    ASSERT_TRUE(menu);
    HMENU sub = ::CreatePopupMenu();
    ASSERT_TRUE(::AppendMenuW(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"Sub"));
    menu.reset();
    EXPECT_FALSE(::IsMenu(sub)); // destroyed with its parent
}

} // namespace
} // namespace quarn::win
