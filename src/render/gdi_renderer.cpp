#include "render/gdi_renderer.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <unordered_map>

#include "win/unique.hpp"
#include "win/wide.hpp"

namespace quarn::render {
namespace {

COLORREF colorref(Rgb c) noexcept {
    return RGB(c.red, c.green, c.blue);
}

std::uint32_t color_key(Rgb c) noexcept {
    return (std::uint32_t{c.red} << 16) | (std::uint32_t{c.green} << 8) | c.blue;
}

int round_away(float v) noexcept {
    return static_cast<int>(std::lround(v));
}

int stroke_pixels(float width, float scale) noexcept {
    return std::max(1, round_away(width * scale));
}

// The dash pattern of a dashed line in scene units, as the SVG writes it
// ("6 4"); in pixels at least one each, so the gaps never close up.
constexpr float k_dash = 6.0f;
constexpr float k_dash_gap = 4.0f;
constexpr int k_max_dash_pixels = 255;

int dash_pixels(float length, float scale) noexcept {
    return std::clamp(round_away(length * scale), 1, k_max_dash_pixels);
}

// The GDI objects of one paint call. Owned here, so each is deleted exactly
// once when the call ends, after the DC's own objects are back in place.
class GdiCache {
  public:
    HBRUSH brush(Rgb color) {
        auto& slot = brushes_[color_key(color)];
        if (!slot) slot.reset(::CreateSolidBrush(colorref(color)));
        return slot.get();
    }

    HPEN pen(Rgb color, int width) {
        auto key = (std::uint64_t{color_key(color)} << 32) | static_cast<std::uint32_t>(width);
        auto& slot = pens_[key];
        if (!slot) slot.reset(::CreatePen(PS_SOLID, width, colorref(color)));
        return slot.get();
    }

    // A cosmetic dashed pen is one pixel wide whatever it is asked for, and
    // its dashes keep their length at every zoom; a geometric pen with its
    // own dash lengths follows the zoom as the SVG's dash array does.
    HPEN dashed_pen(Rgb color, int width, int dash, int gap) {
        auto key = (std::uint64_t{color_key(color)} << 32) | (std::uint64_t(width & 0xFFFF) << 16) |
                   (std::uint64_t(dash & 0xFF) << 8) | std::uint64_t(gap & 0xFF);
        auto& slot = dashed_pens_[key];
        if (!slot) {
            const LOGBRUSH brush{BS_SOLID, colorref(color), 0};
            const DWORD lengths[2] = {static_cast<DWORD>(dash), static_cast<DWORD>(gap)};
            slot.reset(::ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT | PS_JOIN_MITER,
                                      static_cast<DWORD>(width), &brush, 2, lengths));
            // A device that refuses the pattern still gets the line, solid.
            if (!slot) return pen(color, width);
        }
        return slot.get();
    }

    HFONT font(int height, FontWeight weight) {
        const bool bold = weight == FontWeight::Bold;
        auto key = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(height)) << 1) | (bold ? 1u : 0u);
        auto& slot = fonts_[key];
        if (!slot) {
            slot.reset(::CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                     CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Segoe UI"));
        }
        return slot.get();
    }

  private:
    std::unordered_map<std::uint32_t, win::UniqueBrush> brushes_;
    std::unordered_map<std::uint64_t, win::UniquePen> pens_;
    std::unordered_map<std::uint64_t, win::UniquePen> dashed_pens_;
    std::unordered_map<std::uint64_t, win::UniqueFont> fonts_;
};

// The part of the device that painting can change, in device pixels, with a
// margin for strokes and glyphs that reach past an item's own coordinates.
// Items wholly outside it are skipped: a big campus has tens of thousands of
// items and a window shows a few hundred of them.
struct Visible {
    float left, top, right, bottom;

    bool span(float x1, float y1, float x2, float y2) const {
        return std::max(x1, x2) >= left && std::min(x1, x2) <= right && std::max(y1, y2) >= top &&
               std::min(y1, y2) <= bottom;
    }
};

class Painter {
  public:
    Painter(HDC dc, const ViewTransform& view, GdiCache& cache, const Visible& visible)
        : dc_(dc), view_(view), cache_(cache), visible_(visible) {}

    void operator()(const Rect& rect) {
        float pad = rect.outline ? rect.outline_width * view_.scale : 0.0f;
        if (!in_view(rect.x, rect.y, rect.x + rect.width, rect.y + rect.height, pad)) return;
        select(brush_, rect.fill ? cache_.brush(*rect.fill) : ::GetStockObject(NULL_BRUSH));
        select(pen_, rect.outline ? cache_.pen(*rect.outline, stroke_pixels(rect.outline_width, view_.scale))
                                  : ::GetStockObject(NULL_PEN));
        int left = device_x(view_, rect.x);
        int top = device_y(view_, rect.y);
        int right = device_x(view_, rect.x + rect.width);
        int bottom = device_y(view_, rect.y + rect.height);
        // GDI leaves out the right and bottom edge of a rectangle drawn with
        // the null pen; widen it so a plain fill covers what an outlined one
        // would.
        if (!rect.outline) {
            ++right;
            ++bottom;
        }
        ::Rectangle(dc_, left, top, right, bottom);
    }

    void operator()(const Line& line) {
        if (!in_view(line.x1, line.y1, line.x2, line.y2, line.width * view_.scale)) return;
        const int width = stroke_pixels(line.width, view_.scale);
        select(pen_, line.style == LineStyle::Dashed
                         ? cache_.dashed_pen(line.color, width, dash_pixels(k_dash, view_.scale),
                                             dash_pixels(k_dash_gap, view_.scale))
                         : cache_.pen(line.color, width));
        ::MoveToEx(dc_, device_x(view_, line.x1), device_y(view_, line.y1), nullptr);
        ::LineTo(dc_, device_x(view_, line.x2), device_y(view_, line.y2));
    }

    void operator()(const Text& text) { (*this)(text_ref(text)); }

    void operator()(const TextRef& text) {
        if (text.text.empty()) return;
        // Only the vertical extent of a text is known without measuring it.
        float half = text.size * view_.scale;
        float centre = text.y * view_.scale - view_.y_offset;
        if (centre + half < visible_.top || centre - half > visible_.bottom) return;
        select(font_, cache_.font(std::max(1, round_away(text.size * view_.scale)), text.weight));
        const COLORREF color = colorref(text.color);
        if (!text_color_ || *text_color_ != color) {
            ::SetTextColor(dc_, color);
            text_color_ = color;
        }
        std::wstring wide = win::widen(text.text);
        int x = device_x(view_, text.x);
        int y = device_y(view_, text.y);
        RECT at{x, y, x, y};
        UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP | DT_NOPREFIX |
                     (text.align == TextAlign::Centre ? DT_CENTER : 0);
        ::DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &at, flags);
    }

  private:
    // Neighbouring items mostly share their pen, brush, font and colour; a
    // big picture is painted faster without selecting them again.
    void select(HGDIOBJ& current, HGDIOBJ object) {
        if (current == object) return;
        ::SelectObject(dc_, object);
        current = object;
    }

    bool in_view(float x1, float y1, float x2, float y2, float pad) const {
        return visible_.span(x1 * view_.scale - view_.x_offset - pad, y1 * view_.scale - view_.y_offset - pad,
                             x2 * view_.scale - view_.x_offset + pad,
                             y2 * view_.scale - view_.y_offset + pad);
    }

    HDC dc_;
    HGDIOBJ brush_ = nullptr;
    HGDIOBJ pen_ = nullptr;
    HGDIOBJ font_ = nullptr;
    std::optional<COLORREF> text_color_;
    const ViewTransform& view_;
    GdiCache& cache_;
    const Visible& visible_;
};

Visible visible_area(HDC dc) {
    RECT clip{};
    if (::GetClipBox(dc, &clip) == ERROR) {
        constexpr float huge = 1e30f;
        return {-huge, -huge, huge, huge};
    }
    constexpr float margin = 4.0f;
    return {static_cast<float>(clip.left) - margin, static_cast<float>(clip.top) - margin,
            static_cast<float>(clip.right) + margin, static_cast<float>(clip.bottom) + margin};
}

} // namespace

int device_x(const ViewTransform& view, float x) noexcept {
    return round_away(x * view.scale - view.x_offset);
}
int device_y(const ViewTransform& view, float y) noexcept {
    return round_away(y * view.scale - view.y_offset);
}

float view_scale(unsigned dpi, float zoom) noexcept {
    if (dpi == 0) dpi = 96;
    return static_cast<float>(dpi) * zoom / 96.0f;
}

namespace {

// Sets the DC up, paints with `each` and puts the DC's objects back.
template <class Each>
void paint_with(HDC dc, const ViewTransform& view, Each&& each) noexcept {
    try {
        // Declared before the guards, so its objects are deleted only after
        // the DC's own brush, pen and font are back in place.
        GdiCache cache;
        win::SelectGuard keep_brush(dc, ::GetStockObject(NULL_BRUSH));
        win::SelectGuard keep_pen(dc, ::GetStockObject(NULL_PEN));
        win::SelectGuard keep_font(dc, cache.font(12, FontWeight::Normal));
        ::SetBkMode(dc, TRANSPARENT);

        Visible visible = visible_area(dc);
        Painter painter(dc, view, cache, visible);
        each(painter);
    } catch (...) {
        // Only allocation can throw here; a frame that could not be painted
        // is left as it is rather than taking the program down.
    }
}

} // namespace

void paint_scene(HDC dc, std::span<const SceneItem> items, const ViewTransform& view) noexcept {
    paint_with(dc, view, [&](Painter& painter) {
        for (const SceneItem& item : items) std::visit(painter, item);
    });
}

void paint_scene(HDC dc, const SceneItems& items, const ViewTransform& view) noexcept {
    paint_with(dc, view, [&](Painter& painter) { items.visit(painter); });
}

void paint_scene(HDC dc, const SceneParts& parts, const ViewTransform& view, Span stretch) noexcept {
    paint_with(dc, view, [&](Painter& painter) { parts.visit(painter, stretch); });
}

} // namespace quarn::render
