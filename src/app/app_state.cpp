#include "app/app_state.hpp"

namespace quarn::app {
namespace {

thread_local AppState* t_state = nullptr;

} // namespace

AppState* current_state() noexcept {
    return t_state;
}

void set_current_state(AppState* state) noexcept {
    t_state = state;
}

AppState& app_state() noexcept {
    if (t_state == nullptr) ::FatalAppExitW(0, L"the main window exists");
    return *t_state;
}

} // namespace quarn::app
