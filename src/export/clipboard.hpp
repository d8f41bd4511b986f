#pragma once

#include <windows.h>

#include "export/raster.hpp"

namespace quarn {

// Puts the image on the clipboard as CF_DIB (bottom-up, 24 bits) in one
// movable block. False when the memory, the lock, the clipboard or the
// setting fails; the block is freed on every path on which the clipboard
// did not take it.
[[nodiscard]] bool put_image_on_clipboard(HWND owner, const RasterImage& image) noexcept;

} // namespace quarn
