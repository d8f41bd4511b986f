#include "theme/theme_state.hpp"

namespace quarn::theme::detail {

ThemeState& state() noexcept {
    thread_local ThemeState theme_state;
    return theme_state;
}

} // namespace quarn::theme::detail
