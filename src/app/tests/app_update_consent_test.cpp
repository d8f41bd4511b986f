// The first-start question about automatic update checks, in the real
// program. The test prefix starts with the question answered "no" (so that
// no other test goes on the network); this test clears the answer, and
// records today's check so that a "yes" starts no request either.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/main_window.hpp"
#include "dialogs/message_box.hpp"
#include "driver.hpp"
#include "identity/product.hpp"
#include "maker-services/update/update_registry.hpp"
#include "maker-services/update/update_status.hpp"
#include "message_box_answer.hpp"
#include "win/wide.hpp"

namespace quarn {
namespace {

using namespace std::chrono_literals;
using testing::answer_message_box;
using testing::AppProcess;

std::optional<std::wstring> consent_value() {
    wchar_t text[16];
    DWORD bytes = sizeof text;
    if (::RegGetValueW(HKEY_CURRENT_USER, update::update_registry_key().c_str(), L"UpdateCheck",
                       RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(text);
}

// Starts the program and answers its question with button `index`; gives
// the question's text ("<no message box>" when none came).
std::wstring answer_question(int index) {
    auto app = AppProcess::start(testing::beside_this_program(L"quarn.exe"));
    if (!app) return L"<not started>";
    std::wstring message = answer_message_box(*app, index);
    HWND main = app->wait_for_window(app::k_main_window_class, 20s);
    if (main != nullptr) ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(app->wait_exit(20s), 0u);
    return message;
}

TEST(AppGui, AsksOnceAboutUpdateChecksAndStoresTheAnswer) {
    const std::wstring question = win::widen(update::consent_question_text(identity::k_web_host));
    ASSERT_TRUE(update::record_update_check(update::local_today()));

    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, update::update_registry_key().c_str(), L"UpdateCheck");
    EXPECT_EQ(answer_question(0), question);
    EXPECT_EQ(consent_value(), L"on");

    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, update::update_registry_key().c_str(), L"UpdateCheck");
    EXPECT_EQ(answer_question(1), question);
    EXPECT_EQ(consent_value(), L"off");

    // Answered: the next start asks nothing and the main window is free.
    auto app = AppProcess::start(testing::beside_this_program(L"quarn.exe"));
    ASSERT_TRUE(app.has_value());
    HWND main = app->wait_for_window(app::k_main_window_class, 60s);
    ASSERT_NE(main, nullptr);
    // The question comes before the main loop, in a modal loop of its own;
    // the program answers another process's messages only from a loop. So
    // once the main window answers, the question is either up (its box
    // exists and the main window is disabled) or was not asked.
    ASSERT_TRUE(AppProcess::wait_until_responsive(main, 60s));
    EXPECT_EQ(app->wait_for_window(dialogs::k_message_window_class, 0s), nullptr) << "asked again";
    EXPECT_TRUE(::IsWindowEnabled(main));
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(app->wait_exit(20s), 0u);
    EXPECT_EQ(consent_value(), L"off");
}

} // namespace
} // namespace quarn
