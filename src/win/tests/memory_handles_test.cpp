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

// Counts the blocks CoTaskMemFree gives back while it is registered.
class FreeCounter final : public IMallocSpy {
  public:
    int frees = 0;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (id == IID_IUnknown || id == IID_IMallocSpy) {
            *out = static_cast<IMallocSpy*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T size) override { return size; }
    void* STDMETHODCALLTYPE PostAlloc(void* block) override { return block; }
    void* STDMETHODCALLTYPE PreFree(void* block, BOOL) override {
        if (block != nullptr) ++frees;
        return block;
    }
    void STDMETHODCALLTYPE PostFree(BOOL) override {}
    SIZE_T STDMETHODCALLTYPE PreRealloc(void* block, SIZE_T size, void** out, BOOL) override {
        *out = block;
        return size;
    }
    void* STDMETHODCALLTYPE PostRealloc(void* block, BOOL) override { return block; }
    void* STDMETHODCALLTYPE PreGetSize(void* block, BOOL) override { return block; }
    SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T size, BOOL) override { return size; }
    void* STDMETHODCALLTYPE PreDidAlloc(void* block, BOOL) override { return block; }
    int STDMETHODCALLTYPE PostDidAlloc(void*, BOOL, int result) override { return result; }
    void STDMETHODCALLTYPE PreHeapMinimize() override {}
    void STDMETHODCALLTYPE PostHeapMinimize() override {}
};

TEST(UniqueCoTaskMem, FreesItsBlockOnceAcrossMoves) {
    FreeCounter spy;
    ASSERT_EQ(::CoRegisterMallocSpy(&spy), S_OK);
    {
        UniqueCoTaskMem<wchar_t*> owner(static_cast<wchar_t*>(::CoTaskMemAlloc(16)));
        ASSERT_TRUE(owner);
        UniqueCoTaskMem<wchar_t*> moved(std::move(owner));
        EXPECT_FALSE(owner);
        EXPECT_EQ(spy.frees, 0);
        moved.reset(static_cast<wchar_t*>(::CoTaskMemAlloc(16)));
        EXPECT_EQ(spy.frees, 1);
    }
    EXPECT_EQ(spy.frees, 2);
    EXPECT_EQ(::CoRevokeMallocSpy(), S_OK);
}

} // namespace
} // namespace quarn::win
