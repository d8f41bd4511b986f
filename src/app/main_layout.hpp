#pragma once

#include <vector>

#include "common/dpi.hpp"

namespace quarn::app {

struct ControlPlace {
    int id = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const ControlPlace&) const = default;
};

// Where every control of the main window goes for a client area (pixels) at
// a DPI. The left column (site, VLAN list) and the port panel on the right
// keep their widths; the canvas takes the rest, and the lists grow with the
// height.
std::vector<ControlPlace> main_layout(int client_width, int client_height, unsigned dpi);

struct WindowSize {
    int width = 0;
    int height = 0;

    bool operator==(const WindowSize&) const = default;
};

// The main window's outer size when it opens: 1200 by 720 in 1/96 inch at
// the DPI of the monitor it opens on, and no larger than that monitor's
// work area (pixels).
[[nodiscard]] WindowSize initial_window_size(unsigned dpi, int work_width, int work_height) noexcept;
} // namespace quarn::app
