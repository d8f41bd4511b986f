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

TEST(Unique, OwnsWinHttpHandles) {
    UniqueInternet session(::WinHttpOpen(L"unique test", WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                                         WINHTTP_NO_PROXY_BYPASS, 0));
    ASSERT_TRUE(session);
    UniqueInternet connection(::WinHttpConnect(session.get(), L"127.0.0.1", 9, 0));
    ASSERT_TRUE(connection);
    HINTERNET raw_connection = connection.get();
    HINTERNET raw_session = session.get();
    DWORD timeout = 0;
    DWORD size = sizeof timeout;
    EXPECT_TRUE(::WinHttpQueryOption(raw_session, WINHTTP_OPTION_CONNECT_TIMEOUT, &timeout, &size));

    UniqueInternet moved(std::move(connection));
    EXPECT_FALSE(connection);
    moved.reset();
    session.reset();
    // Both handles are gone: asking them anything fails with an invalid handle.
    for (HINTERNET gone : {raw_connection, raw_session}) {
        size = sizeof timeout;
        EXPECT_FALSE(::WinHttpQueryOption(gone, WINHTTP_OPTION_CONNECT_TIMEOUT, &timeout, &size));
        EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    }
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
