#include "app/file_commands.hpp"

#include "app/app_state.hpp"
#include "app/document.hpp"
#include "win/wide.hpp"

namespace quarn::app {

void new_command(AppState& state) noexcept {
    if (confirm_discard(state)) new_document(state);
}

void open_command(AppState& state) noexcept {
    if (!confirm_discard(state)) return;
    if (auto path = ask_open_path(state.main)) (void)open_document(state, *path);
}

void save_command(AppState& state) noexcept {
    (void)save_document(state);
}

void save_as_command(AppState& state) noexcept {
    (void)save_document_as(state);
}

void exit_command(AppState& state) noexcept {
    ::SendMessageW(state.main, WM_CLOSE, 0, 0);
}

void open_recent(AppState& state, std::size_t index) noexcept {
    try {
        if (index >= state.config.recent.size()) return;
        if (!confirm_discard(state)) return;
        std::filesystem::path path(win::widen(state.config.recent[index]));
        (void)open_document(state, path);
    } catch (...) {}
}

} // namespace quarn::app
