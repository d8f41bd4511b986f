#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

#include "win/unique.hpp"

namespace quarn::testing {

// Drives a real copy of a program from a test: starts it, finds its windows
// by class name, sends messages and commands, reads texts, waits for its end.
class AppProcess {
  public:
    using Duration = std::chrono::milliseconds;

    // Starts `exe` with `arguments` (already quoted as the command line wants).
    static std::optional<AppProcess> start(const std::wstring& exe, const std::wstring& arguments = L"");

    AppProcess(AppProcess&&) noexcept = default;
    AppProcess& operator=(AppProcess&&) noexcept = default;
    ~AppProcess();

    [[nodiscard]] DWORD process_id() const noexcept { return process_id_; }
    [[nodiscard]] HANDLE handle() const noexcept { return process_.get(); }

    // Ends the program as a power cut or the kernel would: SIGKILL to the
    // Linux process that Wine runs it in, found by the mark `start` put in
    // its command line; no code of the program runs any more. Waits until
    // the process is gone. Nothing on success, else why it could not be
    // done (not under Wine, no /proc).
    [[nodiscard]] std::optional<std::string> kill_outright() const;

    // The first visible or hidden top-level window of this process with the
    // class, polled until it appears or the time is up.
    [[nodiscard]] HWND wait_for_window(const wchar_t* class_name, Duration timeout) const;

    // SendMessageTimeoutW, so that a hung program fails the test instead of
    // hanging it. Nothing when the program did not answer in time.
    [[nodiscard]] static std::optional<LRESULT> send(HWND window, UINT msg, WPARAM wparam = 0,
                                                     LPARAM lparam = 0, Duration timeout = Duration(10000));
    // A command as a menu would send it.
    static std::optional<LRESULT> command(HWND window, int id) { return send(window, WM_COMMAND, id, 0); }

    // The process answers messages again (polled with WM_NULL). A program
    // started for the first time in a fresh Wine prefix can be busy for many
    // seconds after its window appears (font caches, the desktop process).
    [[nodiscard]] static bool wait_until_responsive(HWND window, Duration timeout);

    // A child of `parent` with the control id, polled: a window appears
    // before the controls its creator adds to it.
    [[nodiscard]] static HWND wait_for_child(HWND parent, int id, Duration timeout);

    [[nodiscard]] static std::wstring window_text(HWND window);
    // The text of the last static control of `parent` that has one: the
    // message of a message box.
    [[nodiscard]] static std::wstring static_text(HWND parent);
    // The same, polled until it is not empty: a message box exists before
    // its creator has set its text.
    [[nodiscard]] static std::wstring wait_for_static_text(HWND parent, Duration timeout);
    // Polled until the window is gone; false when it is still there.
    [[nodiscard]] static bool wait_until_gone(HWND window, Duration timeout);
    [[nodiscard]] static std::wstring class_name(HWND window);

    // The exit code, or nothing when the process still runs after `timeout`.
    [[nodiscard]] std::optional<DWORD> wait_exit(Duration timeout) const;

  private:
    AppProcess() = default;

    win::UniqueHandle process_;
    DWORD process_id_ = 0;
    std::string mark_; // "{driver ...}" in the program's command line
};

// A program that lies beside the running test program (same bin folder).
std::wstring beside_this_program(const wchar_t* file_name);

} // namespace quarn::testing
