#pragma once

#include <windows.h>

#include <optional>
#include <span>

#include "app/selection.hpp"
#include "draw/scene.hpp"
#include "draw/scene_parts.hpp"
#include "win/window_base.hpp"

namespace quarn::app {

inline constexpr wchar_t k_canvas_class[] = L"QuarnCanvas";

// Notification code the canvas sends to its parent in WM_COMMAND (with its
// own control id) when the user changed the port selection.
inline constexpr WORD k_canvas_selection_changed = 1;
// A click on a switch's box in the topology (the switch is `chosen_switch`),
// and a double-click on one.
inline constexpr WORD k_canvas_switch_chosen = 2;
inline constexpr WORD k_canvas_switch_opened = 3;

// What the canvas shows; owned by the application state, borrowed here.
struct CanvasContent {
    const SceneParts* scene = nullptr;
    Rgb highlight;           // selection rectangle while dragging
    COLORREF background = 0; // fills what lies beyond the picture
};

// The drawing area: paints the scene off screen, scrolls, zooms, and turns
// clicks, drags and keys into selections and commands for its parent.
class CanvasWindow : public win::WindowBase<CanvasWindow> {
  public:
    [[nodiscard]] static bool register_class(HINSTANCE instance) noexcept;
    [[nodiscard]] bool create(HWND parent, int id, HINSTANCE instance) noexcept;

    // The scene or its colours changed: refit the scroll bars and repaint.
    void set_content(const CanvasContent& content) noexcept;
    // The scene changed in the stretches given (scene units, top to
    // bottom): only those are repainted when nothing else changed.
    void set_content(const CanvasContent& content, std::span<const Span> changed) noexcept;

    [[nodiscard]] Selection& selection() noexcept { return selection_; }
    [[nodiscard]] const Selection& selection() const noexcept { return selection_; }
    // The switch of the last click on a box that stands for a whole switch.
    [[nodiscard]] std::optional<std::size_t> chosen_switch() const noexcept { return chosen_switch_; }
    [[nodiscard]] float zoom() const noexcept { return zoom_; }
    // Keeps the scene point under `anchor` (client pixels) in place; the
    // centre of the view when no anchor is given.
    void set_zoom(float zoom, std::optional<POINT> anchor = std::nullopt) noexcept;

    [[nodiscard]] float scale() const noexcept;

    // Scrolls as little as needed for a scene rectangle to be in view, its
    // top left first when it is larger than the view.
    void scroll_into_view(float x, float y, float width, float height) noexcept;

    LRESULT handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept;

  private:
    void on_paint() noexcept;
    void paint_view(HDC dc, int width, int height, const RECT& dirty) noexcept;
    void on_button_down(LPARAM lparam, bool double_click) noexcept;
    void on_mouse_move(LPARAM lparam) noexcept;
    void on_button_up(WPARAM wparam, LPARAM lparam) noexcept;
    bool on_key_down(WPARAM key) noexcept;
    void on_scroll(int bar, WORD request) noexcept;
    enum class WheelAxis { Vertical, Horizontal };
    void on_wheel(WPARAM wparam, LPARAM lparam, WheelAxis axis) noexcept;

    void update_scroll_bars() noexcept;
    void scroll_to(int x, int y) noexcept;
    void notify_parent(WORD code) noexcept;
    void send_command(int id) noexcept;
    [[nodiscard]] POINT client_size() const noexcept;
    // Scene coordinates of a client pixel.
    [[nodiscard]] float scene_x(int x) const noexcept;
    [[nodiscard]] float scene_y(int y) const noexcept;

    CanvasContent content_;
    float content_width_ = 0.0f;
    float content_height_ = 0.0f;
    Selection selection_;
    float zoom_ = 1.0f;
    int scroll_x_ = 0;
    int scroll_y_ = 0;
    int id_ = 0;

    // Mouse drag, in client pixels; a press becomes a drag once it moves a
    // few pixels, so a slightly shaky click still selects one port.
    bool pressed_ = false;
    bool dragging_ = false;
    bool double_click_ = false; // the press is the second of a double-click
    std::optional<std::size_t> chosen_switch_;
    POINT press_{};
    POINT current_{};
    int wheel_rest_ = 0;
};

} // namespace quarn::app
