#pragma once

#include <vector>

namespace quarn::app {

struct ControlPlace {
    int id = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const ControlPlace&) const = default;
};

// Device pixels for 1/96-inch units: (value * dpi + 48) / 96, dpi 96 when
// the system reports none.
int scale_units(int value, unsigned dpi);

// Where every control of the main window goes for a client area (pixels) at
// a DPI. The left column (site, VLAN list) and the port panel on the right
// keep their widths; the canvas takes the rest, and the lists grow with the
// height.
std::vector<ControlPlace> main_layout(int client_width, int client_height, unsigned dpi);

// The smallest outer size of the main window, scaled by DPI.
int min_track_size(int units, unsigned dpi);

} // namespace quarn::app
