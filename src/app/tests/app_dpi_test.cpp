// Every window of the program at the prefix's DPI: nothing overlaps, nothing
// reaches out of its window, no text is cut. Under Wine a process reads the
// DPI once, at its start, from HKCU\Control Panel\Desktop LogPixels, so the
// larger scales run in child processes of this program started after the
// value is changed; the value is put back whatever happens (and by the
// cleanup run of this program, should a crash leave it changed).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cwchar>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/check_window.hpp"
#include "app/commands.hpp"
#include "app/find_window.hpp"
#include "app/main_window.hpp"
#include "app/message_loop.hpp"
#include "dialogs/about_window.hpp"
#include "dialogs/import_dialog.hpp"
#include "dialogs/lag_dialog.hpp"
#include "dialogs/message_box.hpp"
#include "dialogs/switch_dialog.hpp"
#include "dialogs/text_viewer.hpp"
#include "dialogs/uplink_dialog.hpp"
#include "dialogs/vlan_dialog.hpp"
#include "export/print_progress.hpp"
#include "main_window_fixture.hpp"
#include "maker-services/update/updates_window.hpp"
#include "test_support/script.hpp"
#include "test_support/test_files.hpp"
#include "test_support/test_window.hpp"
#include "test_support/window_fit.hpp"
#include "theme/theme.hpp"
#include "win/wide.hpp"

namespace quarn::app {
namespace {

constexpr wchar_t k_desktop_key[] = L"Control Panel\\Desktop";
constexpr wchar_t k_log_pixels[] = L"LogPixels";
// Where the value found before a run waits until it is put back; 0 stands
// for "there was none".
constexpr wchar_t k_saved_key[] = L"Software\\Brambleforge\\quarn-tests";
constexpr wchar_t k_saved_value[] = L"LogPixels before";
// Set in a child run: the DPI it must find, and the file it lists the
// windows it checked in.
constexpr wchar_t k_expect_dpi_variable[] = L"QUARN_EXPECT_DPI";
constexpr wchar_t k_report_variable[] = L"QUARN_DPI_REPORT";

std::optional<DWORD> read_dword(const wchar_t* key, const wchar_t* name) {
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (::RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

bool write_dword(const wchar_t* key, const wchar_t* name, DWORD value) {
    return ::RegSetKeyValueW(HKEY_CURRENT_USER, key, name, REG_DWORD, &value, sizeof(value)) == ERROR_SUCCESS;
}

// Puts back the value saved by an override; nothing when none is saved.
void restore_log_pixels() {
    std::optional<DWORD> saved = read_dword(k_saved_key, k_saved_value);
    if (!saved) return;
    if (*saved == 0)
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, k_desktop_key, k_log_pixels);
    else
        write_dword(k_desktop_key, k_log_pixels, *saved);
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, k_saved_key, k_saved_value);
}

// The prefix's DPI for the processes started while it lives. The first
// value saved stays saved: a run after a crash must not take the crash's
// value for the user's.
class LogPixelsOverride {
  public:
    explicit LogPixelsOverride(DWORD dpi) {
        if (!read_dword(k_saved_key, k_saved_value))
            write_dword(k_saved_key, k_saved_value, read_dword(k_desktop_key, k_log_pixels).value_or(0));
        set_ = write_dword(k_desktop_key, k_log_pixels, dpi);
    }
    LogPixelsOverride(const LogPixelsOverride&) = delete;
    LogPixelsOverride& operator=(const LogPixelsOverride&) = delete;
    ~LogPixelsOverride() { restore_log_pixels(); }
    [[nodiscard]] bool set() const noexcept { return set_; }

  private:
    bool set_ = false;
};

std::wstring environment(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    DWORD length = ::GetEnvironmentVariableW(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(value, length) : std::wstring();
}

// This program again with `filter`, its output in ours; its exit code, or
// -1 when it could not start or did not end within two minutes.
int run_child(const std::wstring& filter) {
    wchar_t exe[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring line = L"\"" + std::wstring(exe) + L"\" --gtest_filter=" + filter;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                          &process))
        return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (::WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(process.hProcess, &code);
    else
        ::TerminateProcess(process.hProcess, 1);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

// Every window the program opens, each checked while it is open and closed
// again; the names of those checked go to the report file of a child run.
class EveryWindowTest : public MainWindowFixture {
  protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        load(campus_map());
        ::ShowWindow(state_->main, SW_SHOWNOACTIVATE);
        state_->selected_vlan = 10;
        select({{0, 2}, {0, 3}});
    }

    void TearDown() override {
        std::wstring report = environment(k_report_variable);
        if (!report.empty()) {
            std::wofstream out{std::filesystem::path(report)};
            for (const std::wstring& name : checked_) out << name << L"\n";
        }
        MainWindowFixture::TearDown();
    }

    void check(const std::wstring& name, HWND window) {
        ASSERT_NE(window, nullptr) << win::narrow(name);
        checked_.push_back(name);
        std::vector<std::wstring> faults = quarn::testing::window_fit_faults(window);
        // The whole window on the screen: a window larger than its monitor's
        // work area has parts no one can reach.
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
        RECT outer{};
        ::GetWindowRect(window, &outer);
        if (outer.right - outer.left > monitor.rcWork.right - monitor.rcWork.left ||
            outer.bottom - outer.top > monitor.rcWork.bottom - monitor.rcWork.top)
            faults.push_back(L"larger than the screen");
        EXPECT_EQ(faults, std::vector<std::wstring>{})
            << win::narrow(name) << " at " << ::GetDpiForWindow(window);
    }

    // A modal window, checked from inside its loop and closed as by its
    // close box.
    void check_modal(const wchar_t* window_class, const std::function<void()>& open) {
        quarn::testing::Script script({[&] {
            HWND window = ::FindWindowW(window_class, nullptr);
            check(window_class, window);
            if (window != nullptr) ::PostMessageW(window, WM_CLOSE, 0, 0);
        }});
        open();
        EXPECT_TRUE(script.finished()) << win::narrow(window_class);
    }

    std::vector<std::wstring> checked_;
};

// The windows in the order EveryWindowTest checks them.
const std::vector<std::wstring> k_every_window = {
    k_main_window_class,
    dialogs::k_switch_window_class,
    dialogs::k_switch_window_class,
    dialogs::k_vlan_window_class,
    dialogs::k_lag_window_class,
    dialogs::k_uplink_window_class,
    dialogs::k_import_window_class,
    dialogs::k_message_window_class,
    k_find_window_class,
    k_check_window_class,
    dialogs::k_text_viewer_class,
    dialogs::k_about_window_class,
    update::k_updates_window_class,
    k_print_progress_class,
};

TEST_F(EveryWindowTest, NothingOverlapsNothingIsCutNothingLeavesItsWindow) {
    std::wstring expected = environment(k_expect_dpi_variable);
    if (!expected.empty()) {
        ASSERT_EQ(::GetDpiForSystem(), std::wcstoul(expected.c_str(), nullptr, 10));
    }

    check(k_main_window_class, state_->main);
    check_modal(dialogs::k_switch_window_class, [this] { command(SwitchAdd); });
    check_modal(dialogs::k_switch_window_class, [this] { command(SwitchEdit); });
    check_modal(dialogs::k_vlan_window_class, [this] { command(VlanAdd); });
    check_modal(dialogs::k_lag_window_class, [this] { command(EditLag); });
    select({{0, 2}});
    check_modal(dialogs::k_uplink_window_class, [this] { command(EditUplink); });
    check_modal(dialogs::k_import_window_class, [this] { command(SwitchImport); });
    check_modal(dialogs::k_message_window_class, [this] {
        (void)dialogs::show_message({state_->main,
                                     dialogs::MessageIcon::Warning,
                                     "Save changes to \"a campus with a long name.quarn\" before closing?",
                                     {"Save", "Don't Save", "Cancel"},
                                     0,
                                     2});
    });

    command(EditFind);
    check(k_find_window_class, state_->find.hwnd());
    command(ViewCheckMap);
    check(k_check_window_class, state_->check.hwnd());
    command(ViewWhereIsVlan);
    check(dialogs::k_text_viewer_class, state_->viewer.hwnd());
    command(HelpAbout);
    check(dialogs::k_about_window_class, state_->about.hwnd());
    command(HelpCheckUpdates);
    check(update::k_updates_window_class, state_->update->window().hwnd());
    {
        PrintProgress progress(state_->main, 25);
        (void)progress.page(3);
        check(k_print_progress_class, ::FindWindowW(k_print_progress_class, nullptr));
    }
    EXPECT_EQ(checked_, k_every_window);
}

bool contrast_on() noexcept {
    return true;
}

// Run by hand for a picture: the main window, Check Map and About with high
// contrast on through the theme's reader (Wine never reports it), left open
// for QUARN_PICTURE_SECONDS (default 20) while the picture is taken. The
// colours are whatever the prefix's Control Panel\Colors make them.
TEST_F(EveryWindowTest, DISABLED_StaysOpenInHighContrastForAPicture) {
    (void)theme::set_high_contrast_reader(&contrast_on);
    ::SendMessageW(state_->main, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    // Beside the main window rather than on it: without a window manager
    // every window opens at the screen's corner.
    RECT main{};
    ::GetWindowRect(state_->main, &main);
    command(ViewCheckMap);
    ::SetWindowPos(state_->check.hwnd(), nullptr, main.right + 8, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    command(HelpAbout);
    RECT check{};
    ::GetWindowRect(state_->check.hwnd(), &check);
    ::SetWindowPos(state_->about.hwnd(), nullptr, main.right + 8, check.bottom + 8, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER);
    std::wstring seconds = environment(L"QUARN_PICTURE_SECONDS");
    const ULONGLONG end =
        ::GetTickCount64() + 1000ull * (seconds.empty() ? 20 : std::wcstoul(seconds.c_str(), nullptr, 10));
    while (::GetTickCount64() < end) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (take_message(state_, nullptr, msg)) continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(20);
    }
    (void)theme::set_high_contrast_reader(nullptr);
}

// The larger scales, each in a child run started with the prefix at that
// DPI (the run above is the prefix's own, 96 on the test bench).
TEST(PrefixDpiTest, EveryWindowAtLogPixels144And192) {
    if (!environment(k_expect_dpi_variable).empty()) GTEST_SKIP() << "a child run";
    std::filesystem::path report = quarn::testing::temp_folder("dpi") / "checked.txt";
    for (DWORD dpi : {144u, 192u}) {
        std::filesystem::remove(report);
        int code = -1;
        {
            LogPixelsOverride override(dpi);
            ASSERT_TRUE(override.set());
            ::SetEnvironmentVariableW(k_expect_dpi_variable, std::to_wstring(dpi).c_str());
            ::SetEnvironmentVariableW(k_report_variable, report.wstring().c_str());
            code = run_child(L"EveryWindowTest.*");
            ::SetEnvironmentVariableW(k_expect_dpi_variable, nullptr);
            ::SetEnvironmentVariableW(k_report_variable, nullptr);
        }
        EXPECT_EQ(code, 0) << "at " << dpi;
        std::vector<std::wstring> checked;
        std::wifstream in{report};
        for (std::wstring name; std::getline(in, name);) checked.push_back(name);
        EXPECT_EQ(checked, k_every_window) << "at " << dpi;
    }
    EXPECT_EQ(read_dword(k_saved_key, k_saved_value), std::nullopt) << "the value was put back";
}

// Run alone by the test bench after the tests, whatever became of them.
TEST(PrefixDpiTest, PutsBackWhatAnInterruptedRunChanged) {
    restore_log_pixels();
    EXPECT_EQ(read_dword(k_saved_key, k_saved_value), std::nullopt);
}

// The check itself, on controls planted in a plain window at 96 DPI.
TEST(WindowFitTest, FindsOverlapsControlsOutsideAndCutTexts) {
    struct Planted {
        const wchar_t* klass;
        DWORD style;
        const wchar_t* text;
        RECT place; // left, top, right, bottom
        bool visible = true;
    };
    struct Case {
        const char* what;
        std::vector<Planted> controls;
        std::vector<std::wstring> faults;
    };
    constexpr DWORD label = SS_LEFT;
    constexpr DWORD button = BS_PUSHBUTTON;
    const Case cases[] = {
        {"side by side, texts fit",
         {{WC_STATICW, label, L"Name:", {10, 10, 90, 30}}, {WC_BUTTONW, button, L"OK", {100, 10, 180, 36}}},
         {}},
        {"overlap by one pixel",
         {{WC_STATICW, label, L"A", {10, 10, 60, 30}}, {WC_STATICW, label, L"B", {59, 10, 100, 30}}},
         {L"#1 \"A\" overlaps #2 \"B\""}},
        {"out of the window",
         {{WC_STATICW, label, L"", {250, 10, 320, 30}}},
         {L"#1 \"\" reaches out of its parent's 300x200"}},
        {"a button too narrow for its text",
         {{WC_BUTTONW, button, L"Import Configuration", {10, 10, 40, 36}}},
         {L"#1 \"Import Configuration\" needs "}},
        {"a label whose second line is cut",
         {{WC_STATICW, label, L"Several words that wrap onto more lines", {10, 10, 60, 30}}},
         {L"#1 \"Several words that wrap ...\" needs "}},
        {"an ellipsis label may be cut",
         {{WC_STATICW,
           SS_LEFT | SS_ENDELLIPSIS,
           L"Several words that wrap onto more lines",
           {10, 10, 60, 30}}},
         {}},
        {"a field lower than its line", {{WC_EDITW, WS_BORDER, L"", {10, 10, 100, 14}}}, {L"#1 \"\" shows "}},
        {"hidden controls are not there",
         {{WC_STATICW, label, L"A", {10, 10, 60, 30}}, {WC_STATICW, label, L"B", {20, 10, 60, 30}, false}},
         {}},
    };
    for (const Case& c : cases) {
        HWND window = quarn::testing::make_plain_window(400, 300);
        ASSERT_NE(window, nullptr);
        RECT frame{0, 0, 300, 200};
        ::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
        ::SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                       SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
        int id = 0;
        for (const Planted& p : c.controls) {
            ++id;
            ::CreateWindowExW(
                0, p.klass, p.text, WS_CHILD | (p.visible ? WS_VISIBLE : 0) | p.style, p.place.left,
                p.place.top, p.place.right - p.place.left, p.place.bottom - p.place.top, window,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
        }
        std::vector<std::wstring> faults = quarn::testing::window_fit_faults(window);
        // The sizes a text needs depend on the font: compare up to them.
        for (std::wstring& fault : faults) {
            for (const wchar_t* cut : {L" needs ", L" shows "}) {
                auto at = fault.find(cut);
                if (at != std::wstring::npos) fault.resize(at + std::wcslen(cut));
            }
        }
        EXPECT_EQ(faults, c.faults) << c.what;
        ::DestroyWindow(window);
    }
}

} // namespace
} // namespace quarn::app
