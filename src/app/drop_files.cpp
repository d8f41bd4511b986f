#include "app/drop_files.hpp"

#include <shellapi.h>

#include <utility>

#include "app/current_switch.hpp"
#include "app/document.hpp"
#include "app/drop_plan.hpp"
#include "app/switch_commands.hpp"
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
    if (files.empty()) return;
    try {
        open_import_with_files(state, files);
    } catch (...) {}
}

} // namespace quarn::app
