#pragma once

#include <windows.h>

#include <optional>

#include "model/map.hpp"
#include "win/window_base.hpp"

namespace quarn::dialogs {

inline constexpr wchar_t k_preview_class[] = L"QuarnPreview";

// The switch dialog's picture of the switch as it would be added: a child
// window that owns the one-switch map it shows. The dialog keeps the object
// and hands it to the window at creation (the Custom row of its table).
class SwitchPreview : public win::WindowBase<SwitchPreview> {
  public:
    // Registers the window class once; false when that failed.
    [[nodiscard]] static bool register_class() noexcept;

    // The preview of a window of this class, null for any other window.
    [[nodiscard]] static const SwitchPreview* of(HWND window) noexcept;

    [[nodiscard]] const std::optional<Map>& model() const noexcept { return model_; }
    // Shows `map` from the next paint on.
    void show(Map map) noexcept;

    LRESULT handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept;

  private:
    std::optional<Map> model_;
};

// What the preview paints into a device context of `width` by `height`
// pixels: the window background of the theme, then the map's front panel
// (none when `map` is null) in the theme's palette from the top left, shrunk
// to fit but never enlarged beyond its size on the canvas at 100 percent.
void paint_preview(HDC dc, const Map* map, int width, int height, UINT dpi) noexcept;

} // namespace quarn::dialogs
