#pragma once

#include <windows.h>

#include <span>

#include "draw/scene.hpp"
#include "draw/scene_parts.hpp"

namespace quarn::render {

// Scene units to device pixels: device = round(scene * scale - offset),
// halves away from zero.
struct ViewTransform {
    float scale = 1.0f;
    float x_offset = 0.0f;
    float y_offset = 0.0f;
};

[[nodiscard]] int device_x(const ViewTransform& view, float x) noexcept;
[[nodiscard]] int device_y(const ViewTransform& view, float y) noexcept;

// Device pixels per scene unit for a window DPI and zoom factor; a DPI of 0
// (not reported) counts as 96.
[[nodiscard]] float view_scale(unsigned dpi, float zoom) noexcept;

// Paints the items in list order. Leaves the DC's brush, pen and font as they
// were and its background mode transparent. Every pen, brush and font it
// makes is made once per distinct colour, width or size and deleted before
// it returns.
void paint_scene(HDC dc, std::span<const SceneItem> items, const ViewTransform& view) noexcept;
void paint_scene(HDC dc, const SceneItems& items, const ViewTransform& view) noexcept;
// Paints the parts that meet `stretch` (scene units, top to bottom), and the background.
void paint_scene(HDC dc, const SceneParts& parts, const ViewTransform& view, Span stretch) noexcept;

} // namespace quarn::render
