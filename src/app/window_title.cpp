#include "app/window_title.hpp"

#include "win/wide.hpp"

namespace quarn::app {

std::string window_title(const AppState& state) {
    std::string name = "Untitled";
    if (state.path) name = win::narrow(state.path->filename().wstring());
    return name + (state.map != state.saved ? "*" : "") + " - Quarn";
}

void refresh_title(AppState& state) noexcept {
    try {
        std::wstring title = win::widen(window_title(state));
        ::SetWindowTextW(state.main, title.c_str());
    } catch (...) {}
}

} // namespace quarn::app
