#include <gtest/gtest.h>

#include <array>

#include "controls/common_message.hpp"
#include "controls/create_controls.hpp"
#include "controls/dialog_window.hpp"
#include "controls/modal.hpp"
#include "test_support/script.hpp"
#include "test_support/test_window.hpp"
#include "theme/theme.hpp"
#include "win/window_base.hpp"

namespace quarn::controls {
namespace {

using testing::Script;

constexpr std::array<ControlRow, 3> k_controls{{
    {ControlKind::TextEdit, 100, L"", 12, 12, 200, 24, 10},
    {ControlKind::PushButton, IDOK, L"OK", 12, 48, 84, 26, 0},
    {ControlKind::PushButton, IDCANCEL, L"Cancel", 104, 48, 84, 26, 0},
}};

class TestDialog : public win::WindowBase<TestDialog> {
  public:
    LRESULT handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
        if (auto handled = dialog_result_message(hwnd(), msg, wparam)) return *handled;
        if (auto handled = common_window_message(hwnd(), msg, wparam, lparam)) return *handled;
        return default_proc(msg, wparam, lparam);
    }
};

class ModalTest : public ::testing::Test {
  protected:
    void SetUp() override {
        theme::init_theme(ThemeChoice::Light);
        owner_ = testing::make_plain_window(300, 200, true);
        ASSERT_NE(owner_, nullptr);
        open();
    }
    void open() {
        dialog_ = create_dialog_window(L"QuarnModalDialog", L"Dialog", &TestDialog::window_proc, owner_, 300,
                                       140, &object_);
        ASSERT_NE(dialog_, nullptr);
        ASSERT_TRUE(create_controls(dialog_, k_controls));
    }
    void TearDown() override { ::DestroyWindow(owner_); }

    void press(int id) { ::PostMessageW(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    void key(UINT vk) { ::PostMessageW(::GetFocus(), WM_KEYDOWN, vk, 0); }

    HWND owner_ = nullptr;
    HWND dialog_ = nullptr;
    TestDialog object_;
};

TEST_F(ModalTest, FocusesTheGivenControlAndStaysOpenWhileTheHandlerRefuses) {
    int calls = 0;
    HWND edit = ::GetDlgItem(dialog_, 100);
    HWND focus = nullptr;
    bool owner_disabled = false;
    Script script({
        [&] {
            focus = ::GetFocus();
            owner_disabled = !::IsWindowEnabled(owner_);
            key(VK_RETURN); // Enter is OK
        },
        [&] { press(IDOK); },
    });
    EXPECT_TRUE(run_modal(dialog_, owner_, 100, [&] { return ++calls == 2; }));
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(focus, edit);
    EXPECT_TRUE(owner_disabled);
    EXPECT_TRUE(::IsWindowEnabled(owner_));
    EXPECT_FALSE(::IsWindow(dialog_));
}

TEST_F(ModalTest, EscapeCancelTheCloseBoxAndQuitReturnFalse) {
    for (int way = 0; way < 4; ++way) {
        SCOPED_TRACE(way);
        if (way > 0) open();
        int calls = 0;
        Script script({
            [&] {
                if (way == 0) key(VK_ESCAPE);
                if (way == 1) press(IDCANCEL);
                if (way == 2) ::PostMessageW(dialog_, WM_CLOSE, 0, 0);
                if (way == 3) ::PostQuitMessage(7);
            },
        });
        EXPECT_FALSE(run_modal(dialog_, owner_, 100, [&] { return ++calls > 0; }));
        EXPECT_EQ(calls, 0);
        EXPECT_TRUE(::IsWindowEnabled(owner_));
        EXPECT_FALSE(::IsWindow(dialog_));
        // The quit is posted again for the loop outside.
        MSG msg{};
        EXPECT_EQ(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE, way == 3);
        EXPECT_EQ(msg.wParam, way == 3 ? 7u : 0u);
    }
}

TEST_F(ModalTest, AnInnerDialogLeavesTheOuterResultAlone) {
    // The outer OK handler runs a whole inner dialog that ends with OK; the
    // outer dialog must then stay open (its handler refused) rather than see
    // the inner "OK pressed".
    int outer_calls = 0;
    bool inner_result = false;
    Script script({
        [&] { press(IDOK); },
        [&] {
            // Inner dialog running: accept it.
            HWND inner = ::FindWindowW(L"QuarnModalDialog", L"Inner");
            if (inner != nullptr) ::PostMessageW(inner, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        },
        [] {},
        [&] { press(IDCANCEL); },
    });
    bool accepted = run_modal(dialog_, owner_, 100, [&] {
        ++outer_calls;
        TestDialog inner_object;
        HWND inner = create_dialog_window(L"QuarnModalDialog", L"Inner", &TestDialog::window_proc, dialog_,
                                          200, 100, &inner_object);
        inner_result = run_modal(inner, dialog_, 0, {});
        return false;
    });
    EXPECT_TRUE(inner_result);
    EXPECT_FALSE(accepted);
    EXPECT_EQ(outer_calls, 1);
}

} // namespace
} // namespace quarn::controls
