#include "dialogs/shell_open.hpp"

#include <shellapi.h>

#include "dialogs/message_box.hpp"
#include "win/wide.hpp"

namespace quarn::dialogs {
namespace {

ShellOpener& current_opener() noexcept {
    thread_local ShellOpener opener = nullptr;
    return opener;
}

DWORD shell_open(HWND owner, const std::wstring& target) noexcept {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    // No error box of the shell's own: the failure is reported below, once.
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = L"open";
    info.lpFile = target.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (::ShellExecuteExW(&info)) return 0;
    DWORD error = ::GetLastError();
    return error != 0 ? error : ERROR_NO_ASSOCIATION;
}

} // namespace

ShellOpener set_shell_opener(ShellOpener opener) noexcept {
    ShellOpener previous = current_opener();
    current_opener() = opener;
    return previous;
}

bool open_with_shell(HWND owner, const std::wstring& target) noexcept {
    ShellOpener opener = current_opener();
    DWORD error = opener != nullptr ? opener(owner, target) : shell_open(owner, target);
    if (error == 0) return true;
    show_warning(owner, "Could not open " + win::narrow(target) + ": " + win::system_message(error));
    return false;
}

} // namespace quarn::dialogs
