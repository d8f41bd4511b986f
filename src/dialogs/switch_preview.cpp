#include "dialogs/switch_preview.hpp"

#include <algorithm>

#include "dialogs/switch_form.hpp"
#include "draw/scene.hpp"
#include "render/gdi_renderer.hpp"
#include "render/off_screen.hpp"
#include "theme/theme.hpp"
#include "theme/theme_colors.hpp"
#include "win/unique.hpp"

namespace quarn::dialogs {
namespace {

std::optional<Map>& model() noexcept {
    thread_local std::optional<Map> map;
    return map;
}

void on_paint(HWND window) noexcept {
    render::paint_off_screen(window, [window](HDC memory, int width, int height) noexcept {
        paint_preview(memory, width, height, ::GetDpiForWindow(window));
    });
}

LRESULT CALLBACK preview_proc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1; // the paint covers every pixel
    case WM_PAINT:
        on_paint(window);
        return 0;
    default:
        return ::DefWindowProcW(window, msg, wparam, lparam);
    }
}

} // namespace

bool register_preview_class() noexcept {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (::GetClassInfoExW(instance, k_preview_class, &existing)) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &preview_proc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = k_preview_class;
    return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

const std::optional<Map>& preview_model() noexcept {
    return model();
}

void set_preview_model(Map map) noexcept {
    model() = std::move(map);
}

void paint_preview(HDC dc, int width, int height, UINT dpi) noexcept {
    RECT all{0, 0, width, height};
    ::FillRect(dc, &all, theme::theme_colors().window_brush);
    const std::optional<Map>& map = model();
    if (!map) return;
    try {
        SceneOptions options;
        options.palette = theme::is_dark() ? k_dark_palette : k_light_palette;
        options.show_site_title = false;
        Scene scene = build_scene(*map, options);
        float scale = preview_scale(static_cast<float>(width), static_cast<float>(height), scene.width,
                                    scene.height, render::view_scale(dpi, 1.0f));
        // Nothing outside the window's pixels: a scene shrunk to fit ends
        // exactly at the edge.
        int saved = ::SaveDC(dc);
        ::IntersectClipRect(dc, 0, 0, width, height);
        render::paint_scene(dc, scene.items, render::ViewTransform{scale, 0.0f, 0.0f});
        ::RestoreDC(dc, saved);
    } catch (...) {
        // Out of memory: the background alone.
    }
}

} // namespace quarn::dialogs
