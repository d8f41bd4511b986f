#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdlib>

#include "win/unique.hpp"

namespace quarn::testing {

// A 32-bit top-down DIB section selected into a memory DC: paint into it,
// then read its pixels.
class Dib {
  public:
    Dib(int width, int height) : width_(width), height_(height), dc_(::CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_.reset(::CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<std::uint32_t*>(bits);
        previous_ = ::SelectObject(dc_.get(), bitmap_.get());
    }
    Dib(const Dib&) = delete;
    Dib& operator=(const Dib&) = delete;
    ~Dib() { ::SelectObject(dc_.get(), previous_); }

    [[nodiscard]] bool valid() const noexcept { return dc_ && bitmap_ && bits_ != nullptr; }
    [[nodiscard]] HDC dc() const noexcept { return dc_.get(); }

    [[nodiscard]] COLORREF pixel(int x, int y) const noexcept {
        ::GdiFlush();
        std::uint32_t value = bits_[y * width_ + x];
        return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
    }

    void fill(COLORREF color) noexcept {
        win::UniqueBrush brush(::CreateSolidBrush(color));
        RECT all{0, 0, width_, height_};
        ::FillRect(dc_.get(), &all, brush.get());
    }

    // Pixels in `area` within `tolerance` of `colour` in every channel.
    [[nodiscard]] int count(COLORREF color, RECT area, int tolerance = 0) const noexcept {
        int found = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (close_to(pixel(x, y), color, tolerance)) ++found;
        return found;
    }
    [[nodiscard]] int count(COLORREF color, int tolerance = 0) const noexcept {
        return count(color, RECT{0, 0, width_, height_}, tolerance);
    }

    static bool close_to(COLORREF a, COLORREF b, int tolerance) noexcept {
        return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
               std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
               std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
    }

  private:
    int width_;
    int height_;
    win::UniqueMemoryDc dc_;
    win::UniqueBitmap bitmap_;
    std::uint32_t* bits_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

} // namespace quarn::testing
