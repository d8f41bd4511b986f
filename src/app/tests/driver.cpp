#include "driver.hpp"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace quarn::testing {

std::optional<AppProcess> AppProcess::start(const std::wstring& exe, const std::wstring& arguments) {
    // A mark no other process carries, in the first word of the command
    // line, which names the program for the reader's eyes only (the program
    // file is `exe`): kill_outright finds the program's Linux process by it,
    // as Wine shows the command line there.
    static std::atomic<unsigned> started{0};
    std::wstring mark =
        L"{driver " + std::to_wstring(::GetCurrentProcessId()) + L"." + std::to_wstring(++started) + L"}";
    std::wstring command_line = L"\"" + exe + L" " + mark + L"\"";
    if (!arguments.empty()) command_line += L" " + arguments;
    std::vector<wchar_t> buffer(command_line.begin(), command_line.end());
    buffer.push_back(L'\0');

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info))
        return std::nullopt;
    ::CloseHandle(info.hThread);
    AppProcess app;
    app.mark_ = std::string(mark.begin(), mark.end());
    app.process_.reset(info.hProcess);
    app.process_id_ = info.dwProcessId;
    return app;
}

AppProcess::~AppProcess() {
    // A test that failed half way must not leave the program behind.
    if (process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT)
        ::TerminateProcess(process_.get(), 99);
}

namespace {

struct WindowSearch {
    DWORD process_id;
    const wchar_t* class_name;
    HWND found;
};

BOOL CALLBACK match_window(HWND window, LPARAM lparam) {
    auto* search = reinterpret_cast<WindowSearch*>(lparam);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != search->process_id) return TRUE;
    if (AppProcess::class_name(window) != search->class_name) return TRUE;
    search->found = window;
    return FALSE;
}

} // namespace

namespace {

// The Linux process whose command line holds `mark`, read from /proc
// through Wine's drive Z:.
std::optional<unsigned long> linux_process_with(const std::string& mark) {
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW(L"Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<unsigned long> process;
    do {
        std::wstring name = found.cFileName;
        if (name.empty() || name.find_first_not_of(L"0123456789") != std::wstring::npos) continue;
        std::ifstream file(std::filesystem::path(L"Z:\\proc\\" + name + L"\\cmdline"), std::ios::binary);
        std::string words((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (words.find(mark) != std::string::npos) {
            process = std::stoul(name);
            break;
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return process;
}

} // namespace

std::optional<std::string> AppProcess::kill_outright() const {
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    if (ntdll == nullptr || ::GetProcAddress(ntdll, "wine_get_version") == nullptr)
        return "not under Wine: there is no Linux process to send SIGKILL to";
    auto process = linux_process_with(mark_);
    if (!process) return "the program's Linux process was not found in /proc";
    // Wine starts a Linux program named by its Linux path like any other.
    std::wstring command = L"/bin/kill -KILL " + std::to_wstring(*process);
    std::vector<wchar_t> buffer(command.begin(), command.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(L"Z:\\bin\\kill", buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info))
        return "/bin/kill could not be started: error " + std::to_string(::GetLastError());
    if (info.hThread != nullptr) ::CloseHandle(info.hThread);
    if (info.hProcess != nullptr) ::CloseHandle(info.hProcess);
    if (::WaitForSingleObject(process_.get(), 20000) != WAIT_OBJECT_0) return "the program outlived SIGKILL";
    return std::nullopt;
}

HWND AppProcess::wait_for_window(const wchar_t* class_name, Duration timeout) const {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        WindowSearch search{process_id_, class_name, nullptr};
        ::EnumWindows(&match_window, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) return search.found;
        if (std::chrono::steady_clock::now() >= deadline) return nullptr;
        if (::WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0) return nullptr;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

bool AppProcess::wait_until_responsive(HWND window, Duration timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (send(window, WM_NULL, 0, 0, Duration(1000))) return true;
        if (!::IsWindow(window)) return false;
    }
    return false;
}

HWND AppProcess::wait_for_child(HWND parent, int id, Duration timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (HWND child = ::GetDlgItem(parent, id)) return child;
        if (!::IsWindow(parent) || std::chrono::steady_clock::now() >= deadline) return nullptr;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

std::optional<LRESULT> AppProcess::send(HWND window, UINT msg, WPARAM wparam, LPARAM lparam,
                                        Duration timeout) {
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(window, msg, wparam, lparam, SMTO_ABORTIFHUNG,
                               static_cast<UINT>(timeout.count()), &result))
        return std::nullopt;
    return static_cast<LRESULT>(result);
}

std::wstring AppProcess::window_text(HWND window) {
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                          SMTO_ABORTIFHUNG, 5000, &copied);
    text.resize(copied);
    return text;
}

std::wstring AppProcess::static_text(HWND parent) {
    std::wstring found;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (class_name(child) != L"Static") continue;
        std::wstring text = window_text(child);
        if (!text.empty()) found = std::move(text);
    }
    return found;
}

std::wstring AppProcess::wait_for_static_text(HWND parent, Duration timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        std::wstring text = static_text(parent);
        if (!text.empty() || !::IsWindow(parent) || std::chrono::steady_clock::now() >= deadline) return text;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

bool AppProcess::wait_until_gone(HWND window, Duration timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (::IsWindow(window)) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

std::wstring AppProcess::class_name(HWND window) {
    wchar_t name[256] = {};
    int length = ::GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::optional<DWORD> AppProcess::wait_exit(Duration timeout) const {
    if (::WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    if (!::GetExitCodeProcess(process_.get(), &code)) return std::nullopt;
    return code;
}

std::wstring beside_this_program(const wchar_t* file_name) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    auto slash = path.find_last_of(L"\\/");
    return path.substr(0, slash == std::wstring::npos ? 0 : slash + 1) + file_name;
}

} // namespace quarn::testing
