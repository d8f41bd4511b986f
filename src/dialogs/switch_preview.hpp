#pragma once

#include <windows.h>

#include <optional>

#include "model/map.hpp"

namespace quarn::dialogs {

inline constexpr wchar_t k_preview_class[] = L"QuarnPreview";

// Registers the preview's window class once; false when that failed.
bool register_preview_class() noexcept;

// The one-switch map the previews of this thread show, until the next
// refresh replaces it or the thread ends.
const std::optional<Map>& preview_model() noexcept;
void set_preview_model(Map map) noexcept;

// What the preview paints into a device context of `width` by `height`
// pixels: the window background of the theme, then the model's front panel
// in the theme's palette from the top left, shrunk to fit but never
// enlarged beyond its size on the canvas at 100 percent.
void paint_preview(HDC dc, int width, int height, UINT dpi) noexcept;

} // namespace quarn::dialogs
