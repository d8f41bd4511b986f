#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quarn {

// Writes `bytes` to `target` so that the target is never left half written:
// the content goes to target + ".quarn-save" first, is flushed to disk, and
// then takes the target's place in one step. Gives nothing on success or the
// system's own error text; on failure the target is as it was and the
// temporary file is gone. The one exception is a failure half way through
// the replacing step that leaves the previous file under another name and
// cannot put it back: then nothing is deleted, and the text says where both
// files are (`stranded_text`).
//
// The temporary file is always made new: whatever stands at its name (the
// leftover of a save that was killed, or a link planted there) is removed as
// an entry and never written through. Saves of one target from several
// threads or processes take turns, so each one either lands whole or fails
// and leaves the other's file whole. A target that is a link is followed and
// the file it leads to is replaced, keeping its permissions (and on POSIX
// its owner where the process may set it); a target that may not be written
// is refused.
[[nodiscard]] std::optional<std::string> safe_write(const std::filesystem::path& target,
                                                    std::string_view bytes) noexcept;

// The name of the temporary file that safe_write uses for `target` (the
// file itself, after any link has been followed).
std::filesystem::path safe_write_temporary(const std::filesystem::path& target);
// Where the previous file waits while the new one takes its place, so that
// a replace that fails half way never leaves the map under no name at all.
std::filesystem::path safe_write_backup(const std::filesystem::path& target);

// Refusals that have no system error text of their own, the same on every
// platform.
inline constexpr std::string_view k_is_folder_text = "It is a folder, not a file";
inline constexpr std::string_view k_target_ends_in_separator_text =
    "The name ends in a slash, so it names a folder, not a file";
inline constexpr std::string_view k_not_a_file_text = "It is a device or a pipe, not a file";
inline constexpr std::string_view k_save_busy_text = "Another save did not finish within 15 seconds";
// "{temporary} is a folder in the way of the temporary file"
std::string temporary_is_folder_text(const std::filesystem::path& temporary);
// When neither the new file could be put in place nor the old one put back:
// "{error} Nothing was deleted: the new map is {temporary}, the previous
// one is {backup}."
std::string stranded_text(std::string_view error, const std::filesystem::path& temporary,
                          const std::filesystem::path& backup);

} // namespace quarn
