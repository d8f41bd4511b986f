#include "app/canvas_window.hpp"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/command_table.hpp"
#include "app/scroll.hpp"
#include "app/zoom.hpp"
#include "render/gdi_renderer.hpp"
#include "render/off_screen.hpp"
#include "win/unique.hpp"

namespace quarn::app {
namespace {

constexpr int k_drag_threshold = 3;
constexpr int k_line_step = 40;

bool key_down(int key) noexcept {
    return (::GetKeyState(key) & 0x8000) != 0;
}

} // namespace

bool CanvasWindow::register_class(HINSTANCE instance) noexcept {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = &CanvasWindow::window_proc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = k_canvas_class;
    return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool CanvasWindow::create(HWND parent, int id, HINSTANCE instance) noexcept {
    id_ = id;
    HWND hwnd = ::CreateWindowExW(
        0, k_canvas_class, L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | WS_CLIPSIBLINGS, 0, 0, 100, 100,
        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
    return hwnd != nullptr;
}

void CanvasWindow::set_content(const CanvasContent& content) noexcept {
    content_ = content;
    content_width_ = content.scene != nullptr ? content.scene->width() : 0.0f;
    content_height_ = content.scene != nullptr ? content.scene->height() : 0.0f;
    update_scroll_bars();
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void CanvasWindow::set_content(const CanvasContent& content, std::span<const Span> changed) noexcept {
    const bool same = content.scene != nullptr && content.scene == content_.scene &&
                      content.highlight == content_.highlight && content.background == content_.background &&
                      content.scene->width() == content_width_ && content.scene->height() == content_height_;
    if (!same) return set_content(content);
    content_ = content;
    // A stretch's rows of pixels, with a pixel more on both sides for
    // outlines and rounding.
    const float s = scale();
    const POINT size = client_size();
    for (const Span& stretch : changed) {
        const long top = std::lround(std::floor(stretch.top * s)) - scroll_y_ - 2;
        const long bottom = std::lround(std::ceil(stretch.bottom * s)) - scroll_y_ + 2;
        if (bottom < 0 || top > size.y) continue;
        RECT rows{0, static_cast<LONG>(top), size.x, static_cast<LONG>(bottom)};
        ::InvalidateRect(hwnd(), &rows, FALSE);
    }
}

float CanvasWindow::scale() const noexcept {
    return render::view_scale(::GetDpiForWindow(hwnd()), zoom_);
}

void CanvasWindow::set_zoom(float zoom, std::optional<POINT> anchor) noexcept {
    POINT size = client_size();
    POINT at = anchor.value_or(POINT{size.x / 2, size.y / 2});
    float fixed_x = scene_x(at.x);
    float fixed_y = scene_y(at.y);
    zoom_ = zoom;
    float s = scale();
    scroll_x_ = static_cast<int>(std::lround(fixed_x * s)) - at.x;
    scroll_y_ = static_cast<int>(std::lround(fixed_y * s)) - at.y;
    update_scroll_bars();
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

LRESULT CanvasWindow::handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
    switch (msg) {
    case WM_PAINT:
        on_paint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // painted whole from the off-screen buffer: nothing to erase
    case WM_SIZE:
        update_scroll_bars();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        on_button_down(lparam, msg == WM_LBUTTONDBLCLK);
        return 0;
    case WM_MOUSEMOVE:
        on_mouse_move(lparam);
        return 0;
    case WM_LBUTTONUP:
        on_button_up(wparam, lparam);
        return 0;
    case WM_CAPTURECHANGED:
        if (pressed_) {
            pressed_ = dragging_ = false;
            ::InvalidateRect(hwnd(), nullptr, FALSE);
        }
        return 0;
    case WM_KEYDOWN:
        if (on_key_down(wparam)) return 0;
        break;
    case WM_GETDLGCODE:
        // The main window's dialog navigation must leave arrows and letters
        // to the canvas; Tab still moves on.
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_HSCROLL:
        on_scroll(SB_HORZ, LOWORD(wparam));
        return 0;
    case WM_VSCROLL:
        on_scroll(SB_VERT, LOWORD(wparam));
        return 0;
    case WM_MOUSEWHEEL:
        on_wheel(wparam, lparam, WheelAxis::Vertical);
        return 0;
    case WM_MOUSEHWHEEL:
        on_wheel(wparam, lparam, WheelAxis::Horizontal);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return 0;
    default:
        break;
    }
    return default_proc(msg, wparam, lparam);
}

void CanvasWindow::on_paint() noexcept {
    // Only the items that meet the region to repaint are painted; the
    // screen keeps the rest.
    RECT dirty{};
    if (!::GetUpdateRect(hwnd(), &dirty, FALSE)) ::GetClientRect(hwnd(), &dirty);
    render::paint_off_screen(hwnd(), [this, &dirty](HDC memory, int width, int height) noexcept {
        paint_view(memory, width, height, dirty);
    });
}

void CanvasWindow::paint_view(HDC dc, int width, int height, const RECT& dirty) noexcept {
    win::UniqueBrush background(::CreateSolidBrush(content_.background));
    RECT all{0, 0, width, height};
    ::FillRect(dc, &all, background.get());

    render::ViewTransform view{scale(), static_cast<float>(scroll_x_), static_cast<float>(scroll_y_)};
    if (content_.scene != nullptr) {
        const Span stretch{scene_y(dirty.top) - 4.0f, scene_y(dirty.bottom) + 4.0f};
        render::paint_scene(dc, *content_.scene, view, stretch);
    }

    if (dragging_) {
        float x1 = scene_x(press_.x), y1 = scene_y(press_.y);
        float x2 = scene_x(current_.x), y2 = scene_y(current_.y);
        SceneItem band = Rect{std::min(x1, x2),
                              std::min(y1, y2),
                              std::abs(x2 - x1),
                              std::abs(y2 - y1),
                              std::nullopt,
                              content_.highlight,
                              1.0f};
        render::paint_scene(dc, std::span(&band, 1), view);
    }
}

void CanvasWindow::on_button_down(LPARAM lparam, bool double_click) noexcept {
    ::SetFocus(hwnd());
    ::SetCapture(hwnd());
    pressed_ = true;
    dragging_ = false;
    double_click_ = double_click;
    press_ = current_ = POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
}

void CanvasWindow::on_mouse_move(LPARAM lparam) noexcept {
    if (!pressed_) return;
    current_ = POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    if (!dragging_ && (std::abs(current_.x - press_.x) > k_drag_threshold ||
                       std::abs(current_.y - press_.y) > k_drag_threshold))
        dragging_ = true;
    if (dragging_) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void CanvasWindow::on_button_up(WPARAM wparam, LPARAM lparam) noexcept {
    if (!pressed_) return;
    current_ = POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    bool was_drag = dragging_;
    pressed_ = dragging_ = false;
    ::ReleaseCapture();

    bool ctrl = (wparam & MK_CONTROL) != 0;
    bool shift = (wparam & MK_SHIFT) != 0;
    // Only the switches under the band or the click are looked at.
    std::vector<HitRegion> hits;
    const float top = std::min(scene_y(press_.y), scene_y(current_.y)) - 1.0f;
    const float bottom = std::max(scene_y(press_.y), scene_y(current_.y)) + 1.0f;

    try {
        if (content_.scene != nullptr) hits = content_.scene->hits({top, bottom});
        if (was_drag) {
            auto touched = ports_touching(hits, scene_x(press_.x), scene_y(press_.y), scene_x(current_.x),
                                          scene_y(current_.y));
            // A box of the topology stands for its switch, not for a port.
            std::erase_if(touched, [](const PortRef& ref) { return ref.port_index == k_whole_switch; });
            selection_.drag(touched, ctrl ? DragMode::Add : DragMode::Replace);
        } else {
            ClickMode mode = ctrl ? ClickMode::Toggle : shift ? ClickMode::Extend : ClickMode::Replace;
            auto port = port_at(hits, scene_x(current_.x), scene_y(current_.y));
            if (port && port->port_index == k_whole_switch) {
                // The window decides what becomes of the port selection.
                chosen_switch_ = port->switch_index;
                notify_parent(double_click_ ? k_canvas_switch_opened : k_canvas_switch_chosen);
                return;
            }
            if (port)
                selection_.click(*port, mode);
            else
                selection_.click_nothing(mode);
        }
    } catch (...) {
        return; // out of memory: keep the old selection
    }
    ::InvalidateRect(hwnd(), nullptr, FALSE);
    notify_parent(k_canvas_selection_changed);
}

bool CanvasWindow::on_key_down(WPARAM key) noexcept {
    bool ctrl = key_down(VK_CONTROL);
    POINT size = client_size();
    std::uint8_t modifiers = (ctrl ? Ctrl : NoModifier) | (key_down(VK_SHIFT) ? Shift : NoModifier);
    if (int command = command_for_key(static_cast<std::uint16_t>(key), modifiers, KeyOwner::Canvas)) {
        send_command(command);
        return true;
    }
    switch (key) {
    case VK_UP:
        scroll_to(scroll_x_, scroll_y_ - k_line_step);
        return true;
    case VK_DOWN:
        scroll_to(scroll_x_, scroll_y_ + k_line_step);
        return true;
    case VK_LEFT:
        scroll_to(scroll_x_ - k_line_step, scroll_y_);
        return true;
    case VK_RIGHT:
        scroll_to(scroll_x_ + k_line_step, scroll_y_);
        return true;
    case VK_PRIOR:
        scroll_to(scroll_x_, scroll_y_ - size.y);
        return true;
    case VK_NEXT:
        scroll_to(scroll_x_, scroll_y_ + size.y);
        return true;
    case VK_HOME:
        scroll_to(0, 0);
        return true;
    default:
        return false;
    }
}

void CanvasWindow::on_scroll(int bar, WORD request) noexcept {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    ::GetScrollInfo(hwnd(), bar, &info);
    int position = info.nPos;
    int page = static_cast<int>(info.nPage);
    switch (request) {
    case SB_LINEUP:
        position -= k_line_step;
        break;
    case SB_LINEDOWN:
        position += k_line_step;
        break;
    case SB_PAGEUP:
        position -= page;
        break;
    case SB_PAGEDOWN:
        position += page;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        position = info.nTrackPos;
        break;
    case SB_TOP:
        position = 0;
        break;
    case SB_BOTTOM:
        position = info.nMax;
        break;
    default:
        return;
    }
    if (bar == SB_HORZ)
        scroll_to(position, scroll_y_);
    else
        scroll_to(scroll_x_, position);
}

void CanvasWindow::on_wheel(WPARAM wparam, LPARAM lparam, WheelAxis axis) noexcept {
    bool horizontal = axis == WheelAxis::Horizontal;
    int delta = GET_WHEEL_DELTA_WPARAM(wparam);
    bool ctrl = (GET_KEYSTATE_WPARAM(wparam) & MK_CONTROL) != 0;
    bool shift = (GET_KEYSTATE_WPARAM(wparam) & MK_SHIFT) != 0;
    if (ctrl && !horizontal) {
        // Fine-grained wheels send small deltas: zoom once per whole notch.
        wheel_rest_ += delta;
        POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
        ::ScreenToClient(hwnd(), &at);
        while (wheel_rest_ >= WHEEL_DELTA) {
            set_zoom(zoom_in(zoom_), at);
            wheel_rest_ -= WHEEL_DELTA;
        }
        while (wheel_rest_ <= -WHEEL_DELTA) {
            set_zoom(zoom_out(zoom_), at);
            wheel_rest_ += WHEEL_DELTA;
        }
        return;
    }
    int step = delta * k_line_step * 3 / WHEEL_DELTA;
    if (horizontal)
        scroll_to(scroll_x_ + step, scroll_y_);
    else if (shift)
        scroll_to(scroll_x_ - step, scroll_y_);
    else
        scroll_to(scroll_x_, scroll_y_ - step);
}

void CanvasWindow::update_scroll_bars() noexcept {
    POINT size = client_size();
    float s = scale();
    int content_w = 0, content_h = 0;
    if (content_.scene != nullptr) {
        content_w = static_cast<int>(std::ceil(content_.scene->width() * s));
        content_h = static_cast<int>(std::ceil(content_.scene->height() * s));
    }
    scroll_x_ = clamp_scroll(scroll_x_, content_w, size.x);
    scroll_y_ = clamp_scroll(scroll_y_, content_h, size.y);

    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = std::max(0, content_w - 1);
    info.nPage = static_cast<UINT>(std::max<LONG>(0, size.x));
    info.nPos = scroll_x_;
    ::SetScrollInfo(hwnd(), SB_HORZ, &info, TRUE);
    info.nMax = std::max(0, content_h - 1);
    info.nPage = static_cast<UINT>(std::max<LONG>(0, size.y));
    info.nPos = scroll_y_;
    ::SetScrollInfo(hwnd(), SB_VERT, &info, TRUE);
}

void CanvasWindow::scroll_into_view(float x, float y, float width, float height) noexcept {
    const float s = scale();
    const POINT view = client_size();
    auto axis = [](int scroll, int view_size, float from, float size) {
        const int start = static_cast<int>(std::floor(from));
        const int end = static_cast<int>(std::ceil(from + size));
        if (end > scroll + view_size) scroll = end - view_size;
        if (start < scroll) scroll = start;
        return scroll;
    };
    scroll_to(axis(scroll_x_, view.x, x * s, width * s), axis(scroll_y_, view.y, y * s, height * s));
}

void CanvasWindow::scroll_to(int x, int y) noexcept {
    int old_x = scroll_x_, old_y = scroll_y_;
    scroll_x_ = x;
    scroll_y_ = y;
    update_scroll_bars();
    if (scroll_x_ != old_x || scroll_y_ != old_y) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void CanvasWindow::notify_parent(WORD code) noexcept {
    ::SendMessageW(::GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(id_, code), reinterpret_cast<LPARAM>(hwnd()));
}

void CanvasWindow::send_command(int id) noexcept {
    ::SendMessageW(::GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

POINT CanvasWindow::client_size() const noexcept {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    return POINT{client.right, client.bottom};
}

float CanvasWindow::scene_x(int x) const noexcept {
    return (static_cast<float>(x) + scroll_x_) / scale();
}
float CanvasWindow::scene_y(int y) const noexcept {
    return (static_cast<float>(y) + scroll_y_) / scale();
}

} // namespace quarn::app
