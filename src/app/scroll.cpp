#include "app/scroll.hpp"

#include <algorithm>

namespace quarn::app {

int clamp_scroll(int position, int content, int view) {
    int limit = std::max(0, content - view);
    return std::clamp(position, 0, limit);
}

} // namespace quarn::app
