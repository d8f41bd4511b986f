#pragma once

namespace quarn::app {

// The state the commands act on, named without <windows.h>, so that the
// command table and the headers of the command functions build on every
// platform.
struct AppState;

} // namespace quarn::app
