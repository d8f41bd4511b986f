#include "app/selection.hpp"

#include <gtest/gtest.h>

namespace quarn::app {
namespace {

// Two switches: switch 0 with ports 0..3 in a row, switch 1 with port 0 below.
const std::vector<HitRegion> k_hits{
    {24, 40, 38, 40, 0, 0},  {65, 40, 38, 40, 0, 1},  {106, 40, 38, 40, 0, 2},
    {147, 40, 38, 40, 0, 3}, {24, 200, 38, 40, 1, 0},
};

TEST(CanvasSelection, FindsThePortUnderAPointAndThePortsARectangleTouches) {
    EXPECT_EQ(port_at(k_hits, 24, 40), (PortRef{0, 0}));
    EXPECT_EQ(port_at(k_hits, 61.9f, 79.9f), (PortRef{0, 0}));
    EXPECT_EQ(port_at(k_hits, 62.5f, 50), std::nullopt); // in the gap
    EXPECT_EQ(port_at(k_hits, 30, 210), (PortRef{1, 0}));

    EXPECT_EQ(ports_touching(k_hits, 110, 60, 70, 50), (std::vector<PortRef>{{0, 1}, {0, 2}}));
    EXPECT_EQ(ports_touching(k_hits, 100, 60, 70, 50), (std::vector<PortRef>{{0, 1}}));
    EXPECT_EQ(ports_touching(k_hits, 0, 0, 500, 500).size(), 5u);
    EXPECT_TRUE(ports_touching(k_hits, 0, 100, 500, 150).empty());
}

TEST(CanvasSelection, ClicksReplaceToggleAndExtendAlongOneSwitch) {
    Selection selection;
    selection.click({0, 1}, ClickMode::Replace);
    selection.click({0, 3}, ClickMode::Toggle);
    EXPECT_EQ(selection.ports(), (std::vector<PortRef>{{0, 1}, {0, 3}}));
    selection.click({0, 1}, ClickMode::Toggle);
    EXPECT_EQ(selection.ports(), (std::vector<PortRef>{{0, 3}}));

    // Ctrl+click moved the anchor to 0/1 even though it took the port out.
    selection.click({0, 3}, ClickMode::Extend);
    EXPECT_EQ(selection.ports(), (std::vector<PortRef>{{0, 1}, {0, 2}, {0, 3}}));
    selection.click({0, 0}, ClickMode::Replace);
    selection.click({0, 3}, ClickMode::Extend);
    EXPECT_EQ(selection.ports(), (std::vector<PortRef>{{0, 0}, {0, 1}, {0, 2}, {0, 3}}));
    EXPECT_EQ(selection.single_switch(), 0u);

    selection.click({1, 0}, ClickMode::Toggle);
    EXPECT_EQ(selection.single_switch(), std::nullopt);
    selection.click({0, 2}, ClickMode::Extend); // anchor is on switch 1: start afresh
    EXPECT_EQ(selection.ports(), (std::vector<PortRef>{{0, 2}}));

    selection.click_nothing(ClickMode::Toggle);
    EXPECT_EQ(selection.ports().size(), 1u);
    selection.click_nothing(ClickMode::Replace);
    EXPECT_TRUE(selection.ports().empty());

    std::vector<PortRef> touched{{0, 2}, {0, 1}};
    selection.drag(touched, DragMode::Replace);
    selection.drag(std::vector<PortRef>{{1, 0}, {0, 1}}, DragMode::Add);
    EXPECT_EQ(selection.ports(), (std::vector<PortRef>{{0, 1}, {0, 2}, {1, 0}}));
}

} // namespace
} // namespace quarn::app
