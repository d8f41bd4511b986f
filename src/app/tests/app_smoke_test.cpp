#include <gtest/gtest.h>

#include "app/main_window.hpp"
#include "driver.hpp"

namespace quarn {
namespace {

using namespace std::chrono_literals;
using testing::AppProcess;

TEST(AppSmoke, StartsAnswersAndClosesWithExitCodeZero) {
    auto app = AppProcess::start(testing::beside_this_program(L"quarn.exe"));
    ASSERT_TRUE(app.has_value()) << "quarn.exe did not start";

    HWND main = app->wait_for_window(app::k_main_window_class, 20s);
    ASSERT_NE(main, nullptr) << "no QuarnWnd window appeared";
    EXPECT_EQ(AppProcess::window_text(main), L"Quarn");
    EXPECT_EQ(AppProcess::send(main, WM_USER), app::k_identity_answer);

    RECT frame{};
    ASSERT_TRUE(::GetWindowRect(main, &frame));
    EXPECT_EQ(frame.right - frame.left, 1200);
    EXPECT_EQ(frame.bottom - frame.top, 720);
    EXPECT_TRUE(::GetWindowLongPtrW(main, GWL_STYLE) & WS_CLIPCHILDREN);

    ASSERT_TRUE(::PostMessageW(main, WM_CLOSE, 0, 0));
    EXPECT_EQ(app->wait_exit(20s), 0u);
}

} // namespace
} // namespace quarn
