#include "export/clipboard.hpp"

#include "win/unique.hpp"

namespace quarn {

bool put_image_on_clipboard(HWND owner, const RasterImage& image) noexcept {
    const std::size_t size = dib_size(image);
    win::UniqueGlobal block(::GlobalAlloc(GMEM_MOVEABLE, size));
    if (!block) return false;
    {
        win::GlobalLockGuard locked(block.get());
        if (locked.get() == nullptr) return false;
        write_dib(image, {static_cast<std::uint8_t*>(locked.get()), size});
    }
    win::ClipboardGuard clipboard(owner);
    if (!clipboard.open() || !::EmptyClipboard()) return false;
    if (::SetClipboardData(CF_DIB, block.get()) == nullptr) return false;
    (void)block.release(); // the clipboard's now
    return true;
}

} // namespace quarn
