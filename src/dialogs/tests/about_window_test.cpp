#include "dialogs/about_window.hpp"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "dialogs/license_texts.hpp"
#include "dialogs/shell_open.hpp"
#include "dialogs/tests/dialog_test.hpp"
#include "dialogs/text_viewer.hpp"
#include "identity/product.hpp"
#include "identity/version.h"
#include "test_support/script.hpp"
#include "test_support/test_files.hpp"
#include "win/wide.hpp"

namespace quarn::dialogs {
namespace {

using namespace testing;
using quarn::testing::read_file;
using quarn::testing::Script;

void press(HWND window, int id) {
    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

// What the shell was asked to open, instead of opening it.
std::vector<std::wstring> g_opened;
DWORD g_open_error = 0;
DWORD record_open(HWND, const std::wstring& target) noexcept {
    g_opened.push_back(target);
    return g_open_error;
}

class AboutTest : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        set_shell_opener(&record_open);
        g_opened.clear();
        g_open_error = 0;
    }
    void TearDown() override {
        set_shell_opener(nullptr);
        DialogTest::TearDown(); // the owner takes the About window and viewer with it
        EXPECT_EQ(about_.hwnd(), nullptr);
        EXPECT_EQ(viewer_.hwnd(), nullptr);
    }

    // The main message loop's steps for the two windows.
    bool take_message(MSG& msg) { return about_.take_message(msg) || viewer_.take_message(msg); }

    TextViewer viewer_;
    AboutWindow about_{viewer_};
};

TEST(LicenseTexts, AreTheFilesByteForByte) {
    EXPECT_EQ(license_text(), read_file(QUARN_LICENSE_PATH));
    EXPECT_EQ(third_party_notices_text(), read_file(QUARN_NOTICES_PATH));
    EXPECT_NE(license_text().find("Copyright (c) 2026 Brambleforge"), std::string_view::npos);
}

TEST(TextViewer, LineEndsBecomeCrLf) {
    struct Case {
        std::wstring in;
        std::wstring out;
    };
    for (const Case& c : std::vector<Case>{{L"", L""},
                                           {L"a\nb", L"a\r\nb"},
                                           {L"a\r\nb\r\n", L"a\r\nb\r\n"},
                                           {L"a\rb\n\nc", L"a\r\nb\r\n\r\nc"}}) {
        EXPECT_EQ(with_crlf(c.in), c.out);
    }
}

TEST_F(AboutTest, OpensOnceAndShowsItsTexts) {
    HWND about = about_.show(owner_);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about_.show(owner_), about);
    EXPECT_EQ(about_.hwnd(), about);
    EXPECT_EQ(count_windows(k_about_window_class), 1);
    EXPECT_EQ(text_of(about), L"About Quarn");
    EXPECT_EQ(::GetWindow(about, GW_OWNER), owner_);
    EXPECT_TRUE(::IsWindowEnabled(owner_)); // modeless

    const std::map<int, std::wstring> texts = {
        {k_about_heading, L"Quarn " + win::widen(QUARN_VERSION_TEXT)},
        {k_about_notice, L"Copyright \u00A9 2026 Brambleforge"},
        {k_about_homepage_label, L"Homepage:"},
        {k_about_homepage_link, win::widen(identity::k_homepage_url)},
        {k_about_description, L"Maps which VLANs run over which switch ports, for any switch brand. You fill "
                              L"the map in by hand; Quarn "
                              L"never connects to a switch and changes nothing on your network.\r\n\r\nA map "
                              L"is a file of your own. "
                              L"Check what it shows against the switch before you rely on it."},
        {k_about_updates_label, L"Updates:"},
        {k_about_settings_label, L"Settings:"},
        {k_about_license, L"License"},
        {k_about_third_party, L"Third-Party Licenses"},
    };
    for (const auto& [id, text] : texts) EXPECT_EQ(text_of(::GetDlgItem(about, id)), text) << id;
}

TEST_F(AboutTest, ViewersShowTheLicenseFilesAndEscapeClosesThem) {
    HWND about = about_.show(owner_);
    ASSERT_NE(about, nullptr);
    struct Case {
        int button;
        const wchar_t* title;
        const char* file;
    };
    HWND first_viewer = nullptr;
    for (const Case& c : {Case{k_about_license, L"License", QUARN_LICENSE_PATH},
                          Case{k_about_third_party, L"Third-Party Licenses", QUARN_NOTICES_PATH}}) {
        SCOPED_TRACE(c.file);
        press(about, c.button);
        HWND viewer = viewer_.hwnd();
        ASSERT_NE(viewer, nullptr);
        if (first_viewer == nullptr) first_viewer = viewer;
        EXPECT_EQ(viewer, first_viewer); // one viewer, refilled
        EXPECT_EQ(count_windows(k_text_viewer_class), 1);
        EXPECT_EQ(text_of(viewer), c.title);
        HWND edit = ::GetDlgItem(viewer, k_text_viewer_edit_id);
        std::wstring expected = with_crlf(win::widen(read_file(c.file)));
        EXPECT_GT(expected.size(), 500u);
        EXPECT_EQ(text_of(edit), expected);
        EXPECT_EQ(::GetWindowLongPtrW(edit, GWL_STYLE) & ES_READONLY, ES_READONLY);
    }

    // Escape in the viewer closes it and leaves About open; other keys are
    // the viewer's own.
    HWND edit = ::GetDlgItem(viewer_.hwnd(), k_text_viewer_edit_id);
    MSG down{edit, WM_KEYDOWN, VK_DOWN, 0, 0, {}};
    EXPECT_TRUE(take_message(down)); // dispatched to the edit by the dialog navigation
    EXPECT_NE(viewer_.hwnd(), nullptr);
    MSG escape{edit, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_TRUE(take_message(escape));
    EXPECT_EQ(viewer_.hwnd(), nullptr);
    EXPECT_EQ(about_.hwnd(), about);

    // Escape in About closes it; a message of another window is not taken.
    MSG elsewhere{owner_, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_FALSE(take_message(elsewhere));
    MSG about_escape{::GetDlgItem(about, k_about_homepage_link), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_TRUE(take_message(about_escape));
    EXPECT_EQ(about_.hwnd(), nullptr);
    // And it opens again afterwards.
    EXPECT_NE(about_.show(owner_), nullptr);
}

// Records the commands the owner receives.
std::vector<WPARAM> g_owner_commands;
WNDPROC g_owner_proc = nullptr;
LRESULT CALLBACK recording_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == WM_COMMAND) g_owner_commands.push_back(wparam);
    return ::CallWindowProcW(g_owner_proc, hwnd, msg, wparam, lparam);
}

TEST_F(AboutTest, UpdatesRowShowsTheStateAndSendsItsCommandToTheOwner) {
    g_owner_proc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(owner_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&recording_proc)));
    g_owner_commands.clear();
    HWND about = about_.show(owner_, {L"Checked automatically once a day.", 241});
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(text_of(::GetDlgItem(about, k_about_updates_text)), L"Checked automatically once a day.");
    press(about, k_about_updates_text);
    EXPECT_EQ(g_owner_commands, std::vector<WPARAM>{241});
    ::DestroyWindow(about);

    // Without a command the row is only a text.
    about = about_.show(owner_);
    EXPECT_EQ(text_of(::GetDlgItem(about, k_about_updates_text)),
              L"Automatic update checks are not set up yet.");
    press(about, k_about_updates_text);
    EXPECT_EQ(g_owner_commands.size(), 1u);
    ::DestroyWindow(about);
    ::SetWindowLongPtrW(owner_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_owner_proc));
}

TEST_F(AboutTest, LinksOpenTheHomepageAndTheSettingsFolder) {
    HWND about = about_.show(owner_);
    ASSERT_NE(about, nullptr);
    press(about, k_about_homepage_link);
    press(about, k_about_settings_link);
    std::wstring folder = settings_folder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.substr(folder.size() - 6), L"\\Quarn");
    EXPECT_EQ(g_opened, (std::vector<std::wstring>{L"https://www.brambleforge.com/quarn", folder}));
    // The folder exists before the shell is asked to open it.
    DWORD attributes = ::GetFileAttributesW(folder.c_str());
    EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(AboutTest, AFailedOpenIsReportedWithTheSystemsMessage) {
    HWND about = about_.show(owner_);
    ASSERT_NE(about, nullptr);
    g_open_error = ERROR_FILE_NOT_FOUND;
    Messages messages;
    Script script({messages.answer(0)});
    press(about, k_about_homepage_link);
    EXPECT_EQ(messages.texts,
              std::vector<std::wstring>{L"Could not open https://www.brambleforge.com/quarn: " +
                                        win::widen(win::system_message(ERROR_FILE_NOT_FOUND))});
}

} // namespace
} // namespace quarn::dialogs
