#pragma once

#include <optional>
#include <span>
#include <vector>

#include "draw/scene.hpp"

namespace quarn::app {

// The port under a scene point, through the hit regions of the last scene.
std::optional<PortRef> port_at(std::span<const HitRegion> hits, float x, float y);

// Every port whose region the rectangle spanned by two scene points touches.
std::vector<PortRef> ports_touching(std::span<const HitRegion> hits, float x1, float y1, float x2, float y2);

enum class DragMode { Replace, Add };

enum class ClickMode {
    Replace, // plain click
    Toggle,  // Ctrl: add or remove the port
    Extend,  // Shift: every port of the switch from the anchor to this one
};

// The port selection of the canvas: a sorted list without repeats, plus the
// anchor that Shift+click extends from.
class Selection {
  public:
    [[nodiscard]] const std::vector<PortRef>& ports() const noexcept { return ports_; }
    [[nodiscard]] std::optional<PortRef> anchor() const noexcept { return anchor_; }

    void click(PortRef port, ClickMode mode);
    // A click on empty canvas clears the selection unless Ctrl or Shift is held.
    void click_nothing(ClickMode mode);
    // A finished drag: replaces the selection, or with Ctrl adds to it.
    void drag(std::span<const PortRef> touched, DragMode mode);
    void set(std::vector<PortRef> ports);
    void clear();

    // The switch of the selection when all its ports are on one switch.
    [[nodiscard]] std::optional<std::size_t> single_switch() const;

  private:
    void normalise();

    std::vector<PortRef> ports_;
    std::optional<PortRef> anchor_;
};

} // namespace quarn::app
