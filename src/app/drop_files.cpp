#include "app/drop_files.hpp"

#include <shellapi.h>

#include <optional>
#include <utility>

#include "app/current_switch.hpp"
#include "app/document.hpp"
#include "app/drop_plan.hpp"
#include "app/edit_road.hpp"
#include "dialogs/import_dialog.hpp"
#include "dialogs/message_box.hpp"

namespace quarn::app {
namespace {

std::vector<std::filesystem::path> dropped_paths(HDROP drop) {
    std::vector<std::filesystem::path> paths;
    UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        UINT got = ::DragQueryFileW(drop, i, path.data(), length + 1);
        path.resize(got);
        if (!path.empty()) paths.emplace_back(std::move(path));
    }
    return paths;
}

BOOL CALLBACK find_import_window(HWND window, LPARAM found) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    if (std::wstring_view(name) != dialogs::k_import_window_class) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

} // namespace

void drop_files(AppState& state, HDROP drop) noexcept {
    DropPlan plan;
    try {
        plan = plan_drop(dropped_paths(drop));
    } catch (...) {
        ::DragFinish(drop);
        return;
    }
    // The dropping program waits for nothing that follows.
    ::DragFinish(drop);
    switch (plan.action) {
    case DropAction::Nothing:
        return;
    case DropAction::OpenMap:
        if (confirm_discard(state)) (void)open_document(state, plan.files.front());
        return;
    case DropAction::ImportConfigurations:
        import_dropped_files(state, plan.files);
        return;
    case DropAction::Refuse:
        dialogs::show_warning(state.main, plan.message);
        return;
    }
}

void import_dropped_files(AppState& state, const std::vector<std::filesystem::path>& files) noexcept {
    try {
        if (files.empty()) return;
        // The first press of Open File... reads the dropped file; a later
        // one asks as the button always does.
        std::optional<std::filesystem::path> first = files.front();
        dialogs::ConfigFileChooser choose = [&](HWND owner) -> std::optional<std::filesystem::path> {
            if (auto given = std::exchange(first, std::nullopt)) return given;
            return ask_config_path(owner);
        };
        dialogs::ImportDialogInput input{state.map, current_switch(state)};
        ::PostMessageW(state.main, k_import_dropped_message, 0, 0);
        auto form = dialogs::run_import_dialog(state.main, input, choose);
        if (!form) return;
        EditRule rule{.selection = SelectionFollow::NewSwitch};
        edit_map(state, rule, [&](Map& map) {
            if (auto applied = dialogs::apply_import_form(map, input.current_switch, *form))
                rule.to = applied->switch_index;
        });
    } catch (...) {}
}

void open_first_dropped_in_import(AppState&) noexcept {
    HWND import = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), find_import_window, reinterpret_cast<LPARAM>(&import));
    if (import == nullptr) return;
    ::SendMessageW(import, WM_COMMAND, MAKEWPARAM(dialogs::k_import_open, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(import, dialogs::k_import_open)));
}

} // namespace quarn::app
