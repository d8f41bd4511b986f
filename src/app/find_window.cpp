#include "app/find_window.hpp"

#include <array>

#include "app/app_state.hpp"
#include "app/canvas_scene.hpp"
#include "app/field_text.hpp"
#include "app/port_commands.hpp"
#include "app/refresh.hpp"
#include "controls/common_message.hpp"
#include "controls/control_table.hpp"
#include "controls/create_controls.hpp"
#include "controls/dialog_window.hpp"
#include "win/wide.hpp"

namespace quarn::app {
namespace {

using controls::ControlKind;
using controls::ControlRow;

constexpr int k_width = 420;
constexpr int k_height = 360;

constexpr std::array k_controls{
    ControlRow{ControlKind::Label, 0, L"&Find:", 12, 14, 40, 20},
    ControlRow{ControlKind::TextEdit, k_find_query, L"", 56, 10, 336, 24, 200},
    ControlRow{ControlKind::ResultList, k_find_results, L"", 12, 44, 380, 236},
    ControlRow{ControlKind::Caption, k_find_count, L"", 12, 288, 380, 20},
};

// Where a found port or switch is drawn: its first hit region in the scene.
std::optional<HitRegion> place_of(const SceneParts& scene, const Found& found) {
    for (const HitRegion& hit : scene.hits()) {
        if (hit.switch_index != found.switch_index) continue;
        if (found.kind == FoundKind::Switch || hit.port_index == found.port_index) return hit;
    }
    return std::nullopt;
}

std::wstring count_text(const FindResults& results, bool searched) {
    if (!searched) return L"";
    if (results.total == 0) return L"Nothing found.";
    std::wstring text =
        std::to_wstring(results.total) + (results.total == 1 ? L" place found" : L" places found");
    if (results.found.size() < results.total)
        text += L"; the first " + std::to_wstring(results.found.size()) + L" are listed";
    return text + L".";
}

} // namespace

void go_to_found(AppState& state, const Found& found) noexcept {
    try {
        switch (found.kind) {
        case FoundKind::Vlan:
            state.selected_vlan = found.vlan;
            refresh_vlan_list(state);
            refresh_port_panel(state);
            if (state.highlight_vlan) rebuild_scene(state);
            return;
        case FoundKind::Switch:
            if (found.switch_index >= state.map.switches.size()) return;
            state.canvas.selection().clear();
            state.last_switch = found.switch_index;
            break;
        case FoundKind::Port:
            if (found.switch_index >= state.map.switches.size() ||
                found.port_index >= state.map.switches[found.switch_index].ports.size())
                return;
            state.canvas.selection().set({PortRef{found.switch_index, found.port_index}});
            break;
        }
        selection_changed(state);
        if (const std::optional<HitRegion> place = place_of(state.scene, found))
            state.canvas.scroll_into_view(place->x, place->y, place->width, place->height);
    } catch (...) {}
}

void FindWindow::show(AppState& state) noexcept {
    state_ = &state;
    if (hwnd() == nullptr) {
        HWND created = controls::create_dialog_window(k_find_window_class, L"Find", &FindWindow::window_proc,
                                                      state.main, k_width, k_height, this);
        if (created == nullptr) return;
        (void)controls::create_controls(created, k_controls);
        ::SetDlgItemTextW(created, k_find_query, win::widen(query_).c_str());
    }
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetForegroundWindow(hwnd());
    HWND query = ::GetDlgItem(hwnd(), k_find_query);
    ::SetFocus(query);
    ::SendMessageW(query, EM_SETSEL, 0, -1);
}

void FindWindow::search() noexcept {
    if (state_ == nullptr || hwnd() == nullptr) return;
    try {
        query_ = field_text(::GetDlgItem(hwnd(), k_find_query));
        results_ = find_in_map(state_->map, query_);
        current_ = 0;
        stepped_ = false;
        HWND list = ::GetDlgItem(hwnd(), k_find_results);
        ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
        for (const Found& found : results_.found) {
            std::wstring line = win::widen(found.what + "\t" + found.where);
            ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        }
        if (!results_.found.empty()) ::SendMessageW(list, LB_SETCURSEL, 0, 0);
        ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(list, nullptr, TRUE);
        ::SetDlgItemTextW(hwnd(), k_find_count, count_text(results_, !query_.empty()).c_str());
    } catch (...) {}
}

void FindWindow::go_to_chosen() noexcept {
    if (state_ == nullptr || results_.found.empty()) return;
    LRESULT chosen = ::SendDlgItemMessageW(hwnd(), k_find_results, LB_GETCURSEL, 0, 0);
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= results_.found.size()) chosen = 0;
    current_ = static_cast<std::size_t>(chosen);
    stepped_ = true;
    go_to_found(*state_, results_.found[current_]);
}

void FindWindow::step(AppState& state, int direction) noexcept {
    state_ = &state;
    if (query_.empty()) {
        show(state);
        return;
    }
    try {
        // The map may have changed since the search: its places are found
        // again, and the step goes on from the same position.
        results_ = find_in_map(state.map, query_);
        if (results_.found.empty()) return;
        const std::size_t count = results_.found.size();
        if (!stepped_) {
            current_ = direction > 0 ? 0 : count - 1;
        } else {
            current_ = direction > 0 ? (current_ + 1) % count : (current_ + count - 1) % count;
        }
        stepped_ = true;
        if (hwnd() != nullptr) ::SendDlgItemMessageW(hwnd(), k_find_results, LB_SETCURSEL, current_, 0);
        go_to_found(state, results_.found[current_]);
    } catch (...) {}
}

bool FindWindow::take_message(MSG& msg) noexcept {
    HWND window = hwnd();
    if (window == nullptr || (msg.hwnd != window && !::IsChild(window, msg.hwnd))) return false;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
        go_to_chosen();
        return true;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
        ::DestroyWindow(window);
        return true;
    }
    // Down and Up in the search field move through the list.
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_DOWN || msg.wParam == VK_UP) &&
        msg.hwnd == ::GetDlgItem(window, k_find_query)) {
        HWND list = ::GetDlgItem(window, k_find_results);
        LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
        LRESULT at = ::SendMessageW(list, LB_GETCURSEL, 0, 0) + (msg.wParam == VK_DOWN ? 1 : -1);
        if (count > 0) ::SendMessageW(list, LB_SETCURSEL, at < 0 ? 0 : at >= count ? count - 1 : at, 0);
        return true;
    }
    return ::IsDialogMessageW(window, &msg) != FALSE;
}

LRESULT FindWindow::handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wparam) == k_find_query && HIWORD(wparam) == EN_CHANGE) {
            search();
            return 0;
        }
        if (LOWORD(wparam) == k_find_results && HIWORD(wparam) == LBN_DBLCLK) {
            go_to_chosen();
            return 0;
        }
        if (LOWORD(wparam) == IDCANCEL) {
            ::DestroyWindow(hwnd());
            return 0;
        }
        break;
    case WM_CLOSE:
        ::DestroyWindow(hwnd());
        return 0;
    default:
        break;
    }
    if (auto handled = controls::common_window_message(hwnd(), msg, wparam, lparam)) return *handled;
    return default_proc(msg, wparam, lparam);
}

void find_command(AppState& state) noexcept {
    state.find.show(state);
}

void find_next_command(AppState& state) noexcept {
    state.find.step(state, 1);
}

void find_previous_command(AppState& state) noexcept {
    state.find.step(state, -1);
}

} // namespace quarn::app
