#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/result.hpp"
#include "model/map.hpp"

// The recovery copy of a changed map, as plain text and names: what the file
// holds, what it is called, which running copy of the program it belongs to
// and when the next copy is due. The Windows side (`app/recovery.hpp`) keeps
// the files and asks the user.
namespace quarn::app {

// Which run of the program wrote a recovery file: its process id and the
// moment the process was created, so that a later process that happens to
// get the same id is never taken for the writer.
struct RecoveryOwner {
    std::uint32_t process = 0;
    std::uint64_t started = 0; // the process's creation time as the system counts it

    bool operator==(const RecoveryOwner&) const = default;
};

// What a recovery file holds: the document's path (none for an untitled
// map), when the copy was written (UTC, "2026-12-10T00:01:02Z"), and the map
// as its own file would hold it.
struct RecoveryRecord {
    std::optional<std::string> document;
    std::string written;
    Map map;

    bool operator==(const RecoveryRecord&) const = default;
};

inline constexpr std::string_view k_recovery_extension = ".quarn-recovery";

// "{document file name}.{process}-{started in hex}.quarn-recovery", or
// "Untitled..." for a map without a path. Characters a file name may not
// hold are replaced by "_".
[[nodiscard]] std::string recovery_file_name(std::string_view document_name, const RecoveryOwner& owner);
// The owner named in a recovery file's name (the safe write's temporary and
// backup files, "...quarn-recovery.quarn-save" and ".quarn-backup", name
// their owner too); nothing for a name of another kind.
[[nodiscard]] std::optional<RecoveryOwner> recovery_file_owner(std::string_view file_name);
// The named marker a running copy holds while it may write recovery files:
// "Local\Quarn.Recovery.{process}-{started in hex}".
[[nodiscard]] std::string recovery_marker_name(const RecoveryOwner& owner);

[[nodiscard]] std::string write_recovery(const RecoveryRecord& record);
// A text that is not a recovery file gives a message naming what is wrong.
[[nodiscard]] Result<RecoveryRecord> read_recovery(std::string_view text);

// "2026-12-10T00:01:02Z"
[[nodiscard]] std::string utc_text(std::chrono::system_clock::time_point moment);

// "Quarn closed before the changes to {} were saved." with the document's
// path, or "Untitled".
[[nodiscard]] std::string recovery_offer_text(const RecoveryRecord& record);
// "The recovery file {file} cannot be read ({error}). It was moved to {aside}."
[[nodiscard]] std::string unreadable_recovery_text(std::string_view file, std::string_view error,
                                                   std::string_view aside);

// When the next recovery copy is due. Each change restarts a quiet wait, so
// that typing does not write on every keystroke, but the copy is never
// later than `longest` after the first change it does not hold yet, so
// that what a kill loses is never older than that.
struct RecoveryTiming {
    std::chrono::milliseconds quiet{2000};
    std::chrono::milliseconds longest{10000};
};
using RecoveryClock = std::chrono::steady_clock;
[[nodiscard]] std::chrono::milliseconds recovery_delay(const RecoveryTiming& timing,
                                                       RecoveryClock::time_point now,
                                                       RecoveryClock::time_point first_unwritten);
// The timing of the program: the quiet wait is a fifth of the longest wait.
// `longest_override_ms` is the test bench's shorter wait, when it sets one.
[[nodiscard]] RecoveryTiming recovery_timing(std::optional<std::string_view> longest_override_ms);

} // namespace quarn::app
