#include "app/scroll.hpp"
#include "app/zoom.hpp"

#include <gtest/gtest.h>

namespace quarn::app {
namespace {

TEST(CanvasZoom, StepsStayWithinTheLimitsAndScrollIsClamped) {
    EXPECT_EQ(zoom_in(1.0f), 1.1f);
    EXPECT_EQ(zoom_out(1.0f), 0.9f);
    EXPECT_EQ(zoom_in(4.0f), 4.0f);
    EXPECT_EQ(zoom_out(0.25f), 0.25f);
    EXPECT_EQ(zoom_in(1.05f), 1.1f); // a zoom between steps goes to the next one
    float zoom = 1.0f;
    for (int i = 0; i < 30; ++i) zoom = zoom_in(zoom);
    for (int i = 0; i < 30; ++i) zoom = zoom_out(zoom);
    EXPECT_EQ(zoom, 0.25f);

    EXPECT_EQ(clamp_scroll(-5, 1000, 300), 0);
    EXPECT_EQ(clamp_scroll(900, 1000, 300), 700);
    EXPECT_EQ(clamp_scroll(50, 200, 300), 0);
}

} // namespace
} // namespace quarn::app
