#include "app/main_layout.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/commands.hpp"

namespace quarn::app {
namespace {

ControlPlace find(const std::vector<ControlPlace>& places, int id) {
    auto it = std::find_if(places.begin(), places.end(), [id](const ControlPlace& p) { return p.id == id; });
    EXPECT_NE(it, places.end()) << id;
    return it == places.end() ? ControlPlace{} : *it;
}

bool overlap(const ControlPlace& a, const ControlPlace& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

TEST(MainLayout, FixedPlacesScaleWithDpi) {
    EXPECT_EQ(scale_units(80, 144), 120);
    EXPECT_EQ(scale_units(26, 144), 39);
    EXPECT_EQ(scale_units(26, 0), 26);
    EXPECT_EQ(scale_units(800, 120), 1000);

    auto at96 = main_layout(1184, 681, 96);
    EXPECT_EQ(find(at96, VlanList), (ControlPlace{VlanList, 8, 124, 220, find(at96, VlanList).height}));
    EXPECT_GE(find(at96, VlanList).height, 300);
    auto at144 = main_layout(1776, 1022, 144);
    EXPECT_EQ(find(at144, VlanList).x, 12);
    EXPECT_EQ(find(at144, VlanList).y, 186);
    EXPECT_EQ(find(at144, VlanList).width, 330);
}

TEST(MainLayout, NothingOverlapsAndTheCanvasTakesTheRest) {
    for (auto [w, h, dpi] :
         {std::tuple{1184, 681, 96u}, std::tuple{784, 521, 96u}, std::tuple{1776, 1021, 144u},
          std::tuple{2368, 1362, 192u}, std::tuple{2400, 1400, 192u}}) {
        auto places = main_layout(w, h, dpi);
        for (std::size_t i = 0; i < places.size(); ++i) {
            EXPECT_GE(places[i].x, 0);
            EXPECT_LE(places[i].x + places[i].width, w) << places[i].id;
            EXPECT_LE(places[i].y + places[i].height, h) << places[i].id;
            for (std::size_t j = i + 1; j < places.size(); ++j)
                EXPECT_FALSE(overlap(places[i], places[j])) << places[i].id << " and " << places[j].id;
        }
        auto canvas = find(places, Canvas);
        auto panel = find(places, PanelSelectionText);
        EXPECT_EQ(canvas.x + canvas.width + scale_units(8, dpi), panel.x);
        auto status = find(places, StatusLine);
        EXPECT_EQ(status.y + status.height + scale_units(8, dpi), h);
    }
}

// The window opens at its size in 1/96 inch for the monitor's DPI, so that
// at 150% and 200% its controls have the room they have at 100%.
TEST(MainLayout, TheWindowOpensAtItsSizeForTheMonitorsDpi) {
    struct Case {
        unsigned dpi;
        int work_width;
        int work_height;
        WindowSize size;
    };
    const Case cases[] = {
        {96, 1920, 1040, {1200, 720}},   {120, 1920, 1040, {1500, 900}},  {144, 2880, 1560, {1800, 1080}},
        {192, 3840, 2080, {2400, 1440}}, {192, 1920, 1040, {1920, 1040}}, // a small monitor at 200%
        {144, 0, 0, {1800, 1080}},                                        // no work area known
    };
    for (const Case& c : cases)
        EXPECT_EQ(initial_window_size(c.dpi, c.work_width, c.work_height), c.size)
            << c.dpi << " " << c.work_width;
}

} // namespace
} // namespace quarn::app
