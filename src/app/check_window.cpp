#include "app/check_window.hpp"

#include <algorithm>
#include <array>
#include <cstring>

#include "app/app_state.hpp"
#include "app/port_commands.hpp"
#include "controls/common_message.hpp"
#include "controls/control_table.hpp"
#include "controls/create_controls.hpp"
#include "validate/check_map.hpp"
#include "win/unique.hpp"
#include "win/wide.hpp"

namespace quarn::app {
namespace {

using controls::ControlKind;
using controls::ControlRow;

constexpr controls::ModelessFrame k_frame{k_check_window_class, L"Check Map", 760, 380, 0};

constexpr std::array k_controls{
    ControlRow{ControlKind::ResultList, k_check_problems, L"", 12, 12, 720, 256},
    ControlRow{ControlKind::Caption, k_check_count, L"", 12, 278, 720, 20},
    ControlRow{ControlKind::PushButton, k_check_copy, L"Copy Report", 512, 306, 120, 26},
    ControlRow{ControlKind::PushButton, IDCANCEL, L"Close", 642, 306, 90, 26},
};

constexpr std::string_view k_none_text = "No problems found.";

std::wstring count_text(const std::vector<Problem>& problems) {
    if (problems.empty()) return L"";
    std::wstring text =
        problems.size() == 1 ? L"1 problem." : std::to_wstring(problems.size()) + L" problems.";
    bool selects = std::any_of(problems.begin(), problems.end(),
                               [](const Problem& problem) { return !problem.ports.empty(); });
    if (selects) text += L" Enter or a double-click selects the ports a problem names.";
    return text;
}

// Plain text on the clipboard, as every program pastes it.
bool put_text_on_clipboard(HWND owner, const std::wstring& text) noexcept {
    const std::size_t size = (text.size() + 1) * sizeof(wchar_t);
    win::UniqueGlobal block(::GlobalAlloc(GMEM_MOVEABLE, size));
    if (!block) return false;
    {
        win::GlobalLockGuard locked(block.get());
        if (locked.get() == nullptr) return false;
        std::memcpy(locked.get(), text.c_str(), size);
    }
    win::ClipboardGuard clipboard(owner);
    if (!clipboard.open() || !::EmptyClipboard()) return false;
    if (::SetClipboardData(CF_UNICODETEXT, block.get()) == nullptr) return false;
    (void)block.release(); // the clipboard's now
    return true;
}

} // namespace

bool go_to_problem(AppState& state, const Problem& problem) noexcept {
    try {
        std::vector<PortRef> ports;
        for (const PortRef& port : problem.ports)
            if (port.switch_index < state.map.switches.size() &&
                port.port_index < state.map.switches[port.switch_index].ports.size())
                ports.push_back(port);
        if (ports.empty()) return false;
        std::sort(ports.begin(), ports.end());
        state.canvas.selection().set(ports);
        selection_changed(state);
        // The smallest rectangle of the scene that holds every port.
        float left = 0, top = 0, right = 0, bottom = 0;
        bool any = false;
        for (const HitRegion& hit : state.scene.hits()) {
            if (!std::binary_search(ports.begin(), ports.end(), PortRef{hit.switch_index, hit.port_index}))
                continue;
            if (!any) {
                left = hit.x, top = hit.y, right = hit.x + hit.width, bottom = hit.y + hit.height;
                any = true;
                continue;
            }
            left = std::min(left, hit.x);
            top = std::min(top, hit.y);
            right = std::max(right, hit.x + hit.width);
            bottom = std::max(bottom, hit.y + hit.height);
        }
        if (any) state.canvas.scroll_into_view(left, top, right - left, bottom - top);
        return true;
    } catch (...) {
        return false;
    }
}

void CheckWindow::show(AppState& state) noexcept {
    state_ = &state;
    try {
        problems_ = check_map(state.map);
        auto [window, created] = open(state.main, k_frame);
        if (window == nullptr) return;
        HWND list = nullptr;
        if (created) {
            (void)controls::create_controls(window, k_controls);
            // Messages name switches and ports at length: the list scrolls sideways.
            list = ::GetDlgItem(window, k_check_problems);
            ::SetWindowLongPtrW(list, GWL_STYLE, ::GetWindowLongPtrW(list, GWL_STYLE) | WS_HSCROLL);
            ::SetWindowPos(list, nullptr, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        }
        list = ::GetDlgItem(window, k_check_problems);
        ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
        if (problems_.empty()) {
            std::wstring none = win::widen(k_none_text);
            ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(none.c_str()));
        }
        // The widest message, measured in the list's own font, is how far it scrolls.
        win::WindowDc dc(list);
        win::SelectGuard font(dc.get(), reinterpret_cast<HGDIOBJ>(::SendMessageW(list, WM_GETFONT, 0, 0)));
        LONG widest = 0;
        for (const Problem& problem : problems_) {
            std::wstring line = win::widen(problem_message(problem));
            ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
            SIZE size{};
            if (::GetTextExtentPoint32W(dc.get(), line.c_str(), static_cast<int>(line.size()), &size))
                widest = std::max(widest, size.cx);
        }
        ::SendMessageW(list, LB_SETCURSEL, 0, 0);
        ::SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
        ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(list, nullptr, TRUE);
        ::SetDlgItemTextW(window, k_check_count, count_text(problems_).c_str());
        ::ShowWindow(window, SW_SHOWNORMAL);
        ::SetForegroundWindow(window);
        ::SetFocus(list);
    } catch (...) {}
}

std::string CheckWindow::report() const {
    if (problems_.empty()) return std::string(k_none_text);
    std::string text;
    for (const Problem& problem : problems_) text += problem_message(problem) + "\n";
    return text;
}

void CheckWindow::go_to_chosen() noexcept {
    if (state_ == nullptr || problems_.empty()) return;
    LRESULT chosen = ::SendDlgItemMessageW(hwnd(), k_check_problems, LB_GETCURSEL, 0, 0);
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= problems_.size()) return;
    (void)go_to_problem(*state_, problems_[static_cast<std::size_t>(chosen)]);
}

void CheckWindow::copy_report() noexcept {
    try {
        (void)put_text_on_clipboard(hwnd(), win::with_crlf(win::widen(report())));
    } catch (...) {}
}

bool CheckWindow::take_message(MSG& msg) noexcept {
    HWND window = hwnd();
    if (window == nullptr) return false;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN &&
        msg.hwnd == ::GetDlgItem(window, k_check_problems)) {
        go_to_chosen();
        return true;
    }
    return ModelessWindow::take_message(msg);
}

LRESULT CheckWindow::handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
    if (msg == WM_COMMAND && LOWORD(wparam) == k_check_problems && HIWORD(wparam) == LBN_DBLCLK) {
        go_to_chosen();
        return 0;
    }
    if (msg == WM_COMMAND && LOWORD(wparam) == k_check_copy && HIWORD(wparam) == BN_CLICKED) {
        copy_report();
        return 0;
    }
    if (auto handled = modeless_message(msg, wparam)) return *handled;
    if (auto handled = controls::common_window_message(hwnd(), msg, wparam, lparam)) return *handled;
    return default_proc(msg, wparam, lparam);
}

} // namespace quarn::app
