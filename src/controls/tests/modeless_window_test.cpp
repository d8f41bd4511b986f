#include "controls/modeless_window.hpp"

#include <gtest/gtest.h>

#include <array>

#include "controls/common_message.hpp"
#include "controls/create_controls.hpp"
#include "test_support/dialog_driver.hpp"
#include "test_support/test_window.hpp"
#include "theme/theme.hpp"

namespace quarn::controls {
namespace {

constexpr wchar_t k_class[] = L"QuarnModelessTestWnd";
constexpr int k_first = 101;
constexpr int k_second = 102;

constexpr std::array<ControlRow, 3> k_controls{{
    {ControlKind::PushButton, k_first, L"First", 12, 12, 84, 26, 0},
    {ControlKind::PushButton, k_second, L"Second", 104, 12, 84, 26, 0},
    {ControlKind::PushButton, IDCANCEL, L"Close", 196, 12, 84, 26, 0},
}};

// The smallest one-instance window: three buttons.
class TestWindow : public ModelessWindow<TestWindow> {
  public:
    HWND show(HWND owner) noexcept {
        auto [window, created] = open(owner, {k_class, L"Modeless", 300, 120});
        if (created) {
            ++made;
            (void)create_controls(window, k_controls);
            ::ShowWindow(window, SW_SHOW);
        }
        return window;
    }

    LRESULT handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
        if (auto handled = modeless_message(msg, wparam)) return *handled;
        if (auto handled = common_window_message(hwnd(), msg, wparam, lparam)) return *handled;
        return default_proc(msg, wparam, lparam);
    }

    int made = 0;
};

class ModelessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        theme::init_theme(ThemeChoice::Light);
        owner_ = testing::make_plain_window(400, 300, true);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override {
        ::DestroyWindow(owner_); // takes the owned window with it
        EXPECT_EQ(window_.hwnd(), nullptr);
    }

    HWND owner_ = nullptr;
    TestWindow window_;
};

TEST_F(ModelessTest, OpensOnceAndComesBackToTheFrontRestored) {
    HWND shown = window_.show(owner_);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(::GetWindow(shown, GW_OWNER), owner_);
    ::ShowWindow(shown, SW_MINIMIZE);
    EXPECT_EQ(window_.show(owner_), shown);
    EXPECT_FALSE(::IsIconic(shown));
    EXPECT_EQ(window_.made, 1);
    EXPECT_EQ(testing::count_windows(k_class), 1);

    // Closed by its Close button, it opens anew.
    ::SendMessageW(::GetDlgItem(shown, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_EQ(window_.hwnd(), nullptr);
    EXPECT_NE(window_.show(owner_), nullptr);
    EXPECT_EQ(window_.made, 2);
    EXPECT_EQ(testing::count_windows(k_class), 1);
}

TEST_F(ModelessTest, KeepsTheFocusedControlAcrossActivations) {
    HWND shown = window_.show(owner_);
    ASSERT_NE(shown, nullptr);
    ::SetActiveWindow(owner_);
    ::SetActiveWindow(shown);
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(shown, k_first)) << "nothing remembered: the first control";

    ::SetFocus(::GetDlgItem(shown, k_second));
    ::SetActiveWindow(owner_);
    EXPECT_EQ(::GetActiveWindow(), owner_);
    ::SetActiveWindow(shown);
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(shown, k_second));
}

TEST_F(ModelessTest, TheLoopStepTakesItsOwnKeysAndEscapeCloses) {
    MSG owners{owner_, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_FALSE(window_.take_message(owners)) << "closed";
    HWND shown = window_.show(owner_);
    ASSERT_NE(shown, nullptr);
    EXPECT_FALSE(window_.take_message(owners));

    HWND first = ::GetDlgItem(shown, k_first);
    ::SetFocus(first);
    MSG tab{first, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_TRUE(window_.take_message(tab));
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(shown, k_second));

    MSG escape{::GetDlgItem(shown, k_second), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_TRUE(window_.take_message(escape));
    EXPECT_EQ(window_.hwnd(), nullptr);
    EXPECT_FALSE(::IsWindow(shown));
}

TEST_F(ModelessTest, AnOpenWindowClosesWithItsObject) {
    HWND shown = nullptr;
    {
        TestWindow window;
        shown = window.show(owner_);
        ASSERT_NE(shown, nullptr);
    }
    EXPECT_FALSE(::IsWindow(shown));
    EXPECT_EQ(testing::count_windows(k_class), 0);
}

} // namespace
} // namespace quarn::controls
