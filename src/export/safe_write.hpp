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
// temporary file is gone.
[[nodiscard]] std::optional<std::string> safe_write(const std::filesystem::path& target,
                                                    std::string_view bytes) noexcept;

// The name of the temporary file that safe_write uses for `target`.
std::filesystem::path safe_write_temporary(const std::filesystem::path& target);

} // namespace quarn
