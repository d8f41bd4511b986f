#include "export/clipboard.hpp"

#include <optional>

#include "win/unique.hpp"

namespace quarn {
namespace {

// Clipboard viewers and history tools open the clipboard for a moment after
// every change; one refused open is no reason to fail the copy. About 100 ms
// in all, as other programs wait.
constexpr int k_open_attempts = 10;
constexpr DWORD k_open_interval_ms = 10;

} // namespace

bool put_image_on_clipboard(HWND owner, const RasterImage& image) noexcept {
    const std::size_t size = dib_size(image);
    win::UniqueGlobal block(::GlobalAlloc(GMEM_MOVEABLE, size));
    if (!block) return false;
    {
        win::GlobalLockGuard locked(block.get());
        if (locked.get() == nullptr) return false;
        write_dib(image, {static_cast<std::uint8_t*>(locked.get()), size});
    }
    std::optional<win::ClipboardGuard> clipboard;
    for (int attempt = 0; attempt < k_open_attempts; ++attempt) {
        if (attempt > 0) ::Sleep(k_open_interval_ms);
        clipboard.emplace(owner);
        if (clipboard->open()) break;
    }
    if (!clipboard->open() || !::EmptyClipboard()) return false;
    if (::SetClipboardData(CF_DIB, block.get()) == nullptr) return false;
    (void)block.release(); // the clipboard's now
    return true;
}

} // namespace quarn
