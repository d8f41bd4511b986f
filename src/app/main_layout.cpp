#include "app/main_layout.hpp"

#include <algorithm>

#include "app/commands.hpp"

namespace quarn::app {

std::vector<ControlPlace> main_layout(int client_width, int client_height, unsigned dpi) {
    auto u = [dpi](int value) { return scale_units(value, dpi); };
    // Everything below is in 1/96 inch, converted at the end of each line.
    const int width = client_width;
    const int height = client_height;
    const int margin = u(8);
    const int status_height = u(18);
    const int status_y = height - margin - status_height;
    const int bottom = status_y - u(6); // lowest edge of the content above the status line

    std::vector<ControlPlace> places;
    auto place = [&](int id, int x, int y, int w, int h) {
        places.push_back({id, x, y, std::max(0, w), std::max(0, h)});
    };

    // Menu bar buttons along the top.
    for (int i = 0; i < 5; ++i) place(MenuFile + i, margin + i * u(68), u(4), u(64), u(26));

    // Left column.
    place(SiteLabel, margin, u(42), u(220), u(18));
    place(SiteField, margin, u(62), u(220), u(24));
    place(VlansLabel, margin, u(102), u(220), u(18));
    const int check_y = bottom - u(22);
    const int buttons_y = check_y - u(32);
    const int list_bottom = std::max(u(124) + u(300), buttons_y - u(6));
    place(VlanList, margin, u(124), u(220), list_bottom - u(124));
    const int buttons_top = list_bottom + u(6);
    place(VlanAdd, margin, buttons_top, u(70), u(26));
    place(VlanEdit, margin + u(75), buttons_top, u(70), u(26));
    place(VlanRemove, margin + u(150), buttons_top, u(70), u(26));
    place(HighlightVlan, margin, buttons_top + u(32), u(220), u(22));

    // Port panel on the right.
    const int panel_w = u(240);
    const int px = width - margin - panel_w;
    const int half = (panel_w - u(4)) / 2;
    place(PanelSelectionText, px, u(42), panel_w, u(20));
    place(PanelVlanText, px, u(62), panel_w, u(20));
    place(PanelToggleUntagged, px, u(88), half, u(26));
    place(PanelToggleTagged, px + half + u(4), u(88), half, u(26));
    place(PanelClear, px, u(118), half, u(26));
    const int third = (half - u(4)) / 2;
    place(PanelLag, px + half + u(4), u(118), third, u(26));
    place(PanelUplink, px + half + u(8) + third, u(118), half - third - u(4), u(26));
    place(RangeLabel, px, u(154), panel_w, u(18));
    place(RangeField, px, u(174), panel_w - u(66), u(24));
    place(RangeSelect, px + panel_w - u(62), u(174), u(62), u(24));
    place(LabelLabel, px, u(212), u(84), u(18));
    place(LabelField, px + u(88), u(208), panel_w - u(88), u(24));
    place(DescriptionLabel, px, u(242), u(84), u(18));
    place(DescriptionField, px + u(88), u(238), panel_w - u(88), u(24));
    place(DisabledCheck, px, u(270), panel_w, u(22));
    place(PortVlansLabel, px, u(300), panel_w, u(18));
    place(PortVlanList, px, u(320), panel_w, std::max(u(80), bottom - u(320)));

    // The canvas between the two columns.
    const int canvas_x = margin + u(220) + margin;
    place(Canvas, canvas_x, u(38), px - margin - canvas_x, bottom - u(38));

    place(StatusLine, margin, status_y, width - 2 * margin, status_height);
    return places;
}

WindowSize initial_window_size(unsigned dpi, int work_width, int work_height) noexcept {
    constexpr int k_width = 1200;
    constexpr int k_height = 720;
    WindowSize size{scale_units(k_width, dpi), scale_units(k_height, dpi)};
    if (work_width > 0 && size.width > work_width) size.width = work_width;
    if (work_height > 0 && size.height > work_height) size.height = work_height;
    return size;
}

} // namespace quarn::app
