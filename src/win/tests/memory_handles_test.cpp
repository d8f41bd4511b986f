#include "win/unique.hpp"

#include <gtest/gtest.h>

#include <objidl.h>

namespace quarn::win {
namespace {

TEST(GlobalMemory, LockedWhileTheGuardLivesAndFreedWithItsOwner) {
    HGLOBAL raw = nullptr;
    {
        UniqueGlobal block(::GlobalAlloc(GMEM_MOVEABLE, 16));
        ASSERT_TRUE(block);
        raw = block.get();
        {
            GlobalLockGuard locked(raw);
            ASSERT_NE(locked.get(), nullptr);
            EXPECT_EQ(::GlobalFlags(raw) & GMEM_LOCKCOUNT, 1u);
        }
        EXPECT_EQ(::GlobalFlags(raw) & GMEM_LOCKCOUNT, 0u);
    }
    // Freed: the handle no longer names a block.
    EXPECT_EQ(::GlobalSize(raw), 0u);
    GlobalLockGuard nothing(nullptr);
    EXPECT_EQ(nothing.get(), nullptr);
}

TEST(Clipboard, OnlyASuccessfulOpenIsClosed) {
    HWND window =
        ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    {
        ClipboardGuard clipboard(window);
        ASSERT_TRUE(clipboard.open());
        EXPECT_EQ(::GetOpenClipboardWindow(), window);
    }
    EXPECT_EQ(::GetOpenClipboardWindow(), nullptr);
    ::DestroyWindow(window);
}

TEST(SavedDcState, RestoresTheClipping) {
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    ASSERT_TRUE(dc);
    UniqueBitmap bitmap(::CreateCompatibleBitmap(dc.get(), 50, 50));
    SelectGuard selected(dc.get(), bitmap.get());
    RECT box{};
    {
        SavedDcState saved(dc.get());
        ::IntersectClipRect(dc.get(), 10, 10, 20, 20);
        ::GetClipBox(dc.get(), &box);
        EXPECT_EQ(box.right - box.left, 10);
    }
    ::GetClipBox(dc.get(), &box);
    EXPECT_EQ(box.right - box.left, 50);
}

// Counts references as a COM object does.
class Counted : public IUnknown {
  public:
    ULONG references = 1;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
};

TEST(UniqueCom, ReleasesItsOneReference) {
    Counted object;
    object.AddRef();
    {
        UniqueCom<Counted> owner(&object);
        UniqueCom<Counted> moved(std::move(owner));
        EXPECT_EQ(object.references, 2u);
    }
    EXPECT_EQ(object.references, 1u);
}

} // namespace
} // namespace quarn::win
