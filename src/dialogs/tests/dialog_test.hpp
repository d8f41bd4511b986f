#pragma once

// What the program's dialog tests share beyond the general driver and the
// message box reader: the fixture of every dialog test.

#include <windows.h>

#include <gtest/gtest.h>

#include "dialogs/testing/message_box_reader.hpp"
#include "test_support/dialog_driver.hpp"
#include "test_support/test_window.hpp"
#include "theme/theme.hpp"

namespace quarn::dialogs::testing {

using namespace quarn::testing;

// Every dialog test: the light theme and a visible owner.
class DialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        theme::init_theme(ThemeChoice::Light);
        owner_ = quarn::testing::make_plain_window(400, 300, true);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override { ::DestroyWindow(owner_); }

    HWND owner_ = nullptr;
};

} // namespace quarn::dialogs::testing
