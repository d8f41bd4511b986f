#pragma once

#include <windows.h>

#include <algorithm>

#include "win/unique.hpp"

namespace quarn::render {

// Answers WM_PAINT without flicker: `paint(dc, width, height)` draws the
// whole client area into a memory bitmap, which then goes to the screen in
// one copy. Nothing is drawn when the bitmap cannot be made.
template <class Paint>
void paint_off_screen(HWND window, Paint&& paint) noexcept {
    win::PaintDc screen(window);
    RECT client{};
    ::GetClientRect(window, &client);
    int width = std::max<int>(1, client.right);
    int height = std::max<int>(1, client.bottom);
    win::UniqueMemoryDc memory(::CreateCompatibleDC(screen.get()));
    win::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
    if (!memory || !bitmap) return;
    win::SelectGuard keep_bitmap(memory.get(), bitmap.get());
    paint(memory.get(), width, height);
    ::BitBlt(screen.get(), 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
}

} // namespace quarn::render
