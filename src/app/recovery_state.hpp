#pragma once

#include <filesystem>
#include <optional>

#include "app/recovery_file.hpp"
#include "win/unique.hpp"

namespace quarn::app {

// This run's part in keeping recovery copies. Without a folder (the tests
// that make a main window in their own process, or no LOCALAPPDATA) nothing
// is written or offered.
struct RecoveryState {
    std::optional<std::filesystem::path> folder; // %LOCALAPPDATA%\Quarn\Recovery
    RecoveryOwner owner;
    // Held while this run lives: another copy that sees it leaves this run's
    // recovery files alone.
    win::UniqueHandle marker;
    RecoveryTiming timing;
    std::optional<std::filesystem::path> written; // this run's recovery file, when there is one
    // The first change the recovery file does not hold yet.
    std::optional<RecoveryClock::time_point> first_unwritten;
};

} // namespace quarn::app
