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

bool SwitchPreview::register_class() noexcept {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (::GetClassInfoExW(instance, k_preview_class, &existing)) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &SwitchPreview::window_proc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = k_preview_class;
    return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

const SwitchPreview* SwitchPreview::of(HWND window) noexcept {
    wchar_t name[32] = {};
    if (window == nullptr || ::GetClassNameW(window, name, 32) == 0 || ::lstrcmpW(name, k_preview_class) != 0)
        return nullptr;
    return object_of(window);
}

void SwitchPreview::show(Map map) noexcept {
    model_ = std::move(map);
    if (hwnd() != nullptr) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

LRESULT SwitchPreview::handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1; // the paint covers every pixel
    case WM_PAINT:
        render::paint_off_screen(hwnd(), [this](HDC memory, int width, int height) noexcept {
            paint_preview(memory, model_ ? &*model_ : nullptr, width, height, ::GetDpiForWindow(hwnd()));
        });
        return 0;
    default:
        return default_proc(msg, wparam, lparam);
    }
}

void paint_preview(HDC dc, const Map* map, int width, int height, UINT dpi) noexcept {
    RECT all{0, 0, width, height};
    ::FillRect(dc, &all, theme::theme_colors().window_brush);
    if (map == nullptr) return;
    try {
        SceneOptions options;
        options.palette = theme::scene_palette();
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
