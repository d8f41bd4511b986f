#pragma once

namespace quarn::app {

// A scroll position kept inside 0 .. content - view (0 when the view is
// larger than the content).
int clamp_scroll(int position, int content, int view);

} // namespace quarn::app
