#pragma once

#include <windows.h>

#include <objbase.h>
#include <winhttp.h>

#include <utility>

namespace quarn::win {

// A move-only owner of one platform handle. Traits give the handle type, the
// value that means "none", and the release function.
template <class Traits>
class Unique {
  public:
    using Handle = typename Traits::Handle;

    Unique() noexcept = default;
    explicit Unique(Handle handle) noexcept : handle_(handle) {}
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& other) noexcept : handle_(other.release()) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~Unique() { reset(); }

    [[nodiscard]] Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::none(); }

    [[nodiscard]] Handle release() noexcept { return std::exchange(handle_, Traits::none()); }

    void reset(Handle handle = Traits::none()) noexcept {
        Handle old = std::exchange(handle_, handle);
        if (old != Traits::none()) Traits::close(old);
    }

  private:
    Handle handle_ = Traits::none();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle none() noexcept { return nullptr; }
    static void close(Handle h) noexcept { ::CloseHandle(h); }
};

// CreateFileW reports failure with INVALID_HANDLE_VALUE rather than null.
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle none() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(Handle h) noexcept { ::CloseHandle(h); }
};

using UniqueHandle = Unique<KernelHandleTraits>;
using UniqueFile = Unique<FileHandleTraits>;

// Icons from LoadIconWithScaleDown or CreateIconIndirect; shared icons
// (LR_SHARED) belong to the system and are never put in one of these.
struct IconTraits {
    using Handle = HICON;
    static Handle none() noexcept { return nullptr; }
    static void close(Handle h) noexcept { ::DestroyIcon(h); }
};
using UniqueIcon = Unique<IconTraits>;

struct ModuleTraits {
    using Handle = HMODULE;
    static Handle none() noexcept { return nullptr; }
    static void close(Handle h) noexcept { ::FreeLibrary(h); }
};
using UniqueModule = Unique<ModuleTraits>;

// Pens, brushes, fonts and bitmaps the program created itself. Stock objects
// are never wrapped: deleting one is harmless on Windows but hides a bug.
template <class H>
struct GdiObjectTraits {
    using Handle = H;
    static Handle none() noexcept { return nullptr; }
    static void close(Handle h) noexcept { ::DeleteObject(h); }
};

using UniqueBrush = Unique<GdiObjectTraits<HBRUSH>>;
using UniquePen = Unique<GdiObjectTraits<HPEN>>;
using UniqueFont = Unique<GdiObjectTraits<HFONT>>;
using UniqueBitmap = Unique<GdiObjectTraits<HBITMAP>>;
using UniqueRegion = Unique<GdiObjectTraits<HRGN>>;

// Memory device contexts from CreateCompatibleDC. A DC from GetDC is not one
// of these: it goes back with ReleaseDC (WindowDc below).
struct MemoryDcTraits {
    using Handle = HDC;
    static Handle none() noexcept { return nullptr; }
    static void close(Handle h) noexcept { ::DeleteDC(h); }
};
using UniqueMemoryDc = Unique<MemoryDcTraits>;

// Menus built for one popup; a submenu appended to a menu belongs to it.
struct MenuTraits {
    using Handle = HMENU;
    static Handle none() noexcept { return nullptr; }
    static void close(Handle h) noexcept { ::DestroyMenu(h); }
};
using UniqueMenu = Unique<MenuTraits>;

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle none() noexcept { return nullptr; }
    static void close(Handle h) noexcept { ::RegCloseKey(h); }
};
using UniqueKey = Unique<RegistryKeyTraits>;

// WinHTTP session, connection and request handles. Closing a session or a
// connection does not close the handles opened from it, so each has its own
// owner, declared after its parent so that it is closed first.
struct InternetTraits {
    using Handle = HINTERNET;
    static Handle none() noexcept { return nullptr; }
    static void close(Handle h) noexcept { ::WinHttpCloseHandle(h); }
};
using UniqueInternet = Unique<InternetTraits>;

// Accelerator tables built with CreateAcceleratorTableW.
struct AcceleratorTraits {
    using Handle = HACCEL;
    static Handle none() noexcept { return nullptr; }
    static void close(Handle h) noexcept { ::DestroyAcceleratorTable(h); }
};
using UniqueAccelerators = Unique<AcceleratorTraits>;

// Blocks the system allocates for the caller with LocalAlloc, such as the
// argument array of CommandLineToArgvW.
template <class T>
struct LocalMemoryTraits {
    using Handle = T;
    static Handle none() noexcept { return nullptr; }
    static void close(Handle h) noexcept { ::LocalFree(reinterpret_cast<HLOCAL>(h)); }
};
template <class T>
using UniqueLocal = Unique<LocalMemoryTraits<T>>;

// Blocks the system allocates for the caller with CoTaskMemAlloc, such as the
// path SHGetKnownFolderPath returns (which must be freed even on failure).
template <class T>
struct CoTaskMemoryTraits {
    using Handle = T;
    static Handle none() noexcept { return nullptr; }
    static void close(Handle h) noexcept { ::CoTaskMemFree(h); }
};
template <class T>
using UniqueCoTaskMem = Unique<CoTaskMemoryTraits<T>>;

// Memory blocks from GlobalAlloc, as the clipboard and the print dialog hand
// them over. A block the clipboard took belongs to it: release() it then.
struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    static Handle none() noexcept { return nullptr; }
    static void close(Handle h) noexcept { ::GlobalFree(h); }
};
using UniqueGlobal = Unique<GlobalMemoryTraits>;

// GlobalLock / GlobalUnlock of a movable block for one scope.
class GlobalLockGuard {
  public:
    explicit GlobalLockGuard(HGLOBAL block) noexcept : block_(block), data_(::GlobalLock(block)) {}
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    ~GlobalLockGuard() {
        if (data_ != nullptr) ::GlobalUnlock(block_);
    }
    [[nodiscard]] void* get() const noexcept { return data_; }

  private:
    HGLOBAL block_;
    void* data_;
};

// A printer's device context from PrintDlgW or CreateDCW is deleted with
// DeleteDC, as a memory DC is.
using UniquePrinterDc = Unique<MemoryDcTraits>;

// One reference to a COM object, given up with Release.
template <class T>
struct ComTraits {
    using Handle = T*;
    static Handle none() noexcept { return nullptr; }
    static void close(Handle h) noexcept { h->Release(); }
};
template <class T>
using UniqueCom = Unique<ComTraits<T>>;

// OpenClipboard / CloseClipboard: only a successful open is closed.
class ClipboardGuard {
  public:
    explicit ClipboardGuard(HWND owner) noexcept : open_(::OpenClipboard(owner) != FALSE) {}
    ClipboardGuard(const ClipboardGuard&) = delete;
    ClipboardGuard& operator=(const ClipboardGuard&) = delete;
    ~ClipboardGuard() {
        if (open_) ::CloseClipboard();
    }
    [[nodiscard]] bool open() const noexcept { return open_; }

  private:
    bool open_;
};

// SaveDC / RestoreDC around a stretch that changes a DC's clipping or
// selections.
class SavedDcState {
  public:
    explicit SavedDcState(HDC dc) noexcept : dc_(dc), saved_(::SaveDC(dc)) {}
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;
    ~SavedDcState() {
        if (saved_ != 0) ::RestoreDC(dc_, saved_);
    }

  private:
    HDC dc_;
    int saved_;
};

// COM on this thread for the owner's lifetime. Only a successful
// initialisation (S_OK or S_FALSE) is paired with CoUninitialize; a thread
// already in another apartment model keeps it and is not uninitialised.
class ComApartment {
  public:
    explicit ComApartment(DWORD model) noexcept : result_(::CoInitializeEx(nullptr, model)) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (SUCCEEDED(result_)) ::CoUninitialize();
    }
    [[nodiscard]] HRESULT result() const noexcept { return result_; }

  private:
    HRESULT result_;
};

// GetDC / ReleaseDC: the release needs the window too.
class WindowDc {
  public:
    explicit WindowDc(HWND window) noexcept : window_(window), dc_(::GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_ != nullptr) ::ReleaseDC(window_, dc_);
    }
    [[nodiscard]] HDC get() const noexcept { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// BeginPaint / EndPaint for one WM_PAINT.
class PaintDc {
  public:
    explicit PaintDc(HWND window) noexcept : window_(window) { dc_ = ::BeginPaint(window, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { ::EndPaint(window_, &paint_); }
    [[nodiscard]] HDC get() const noexcept { return dc_; }
    [[nodiscard]] const PAINTSTRUCT& paint() const noexcept { return paint_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_ = nullptr;
};

// Selects an object into a DC and puts the previous one back on scope exit,
// so that an owned object is never deleted while still selected.
class SelectGuard {
  public:
    SelectGuard(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(::SelectObject(dc, object)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
    }

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace quarn::win
