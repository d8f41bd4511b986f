#pragma once

#include <windows.h>

#include <filesystem>

namespace quarn::install {

// Copies a file's contents (its unnamed stream) over `to`, made or
// replaced, and flushes it; 0 or the system's error code. CopyFileW would
// carry the download's alternate streams along, among them the mark of the
// web (Zone.Identifier), and Windows would then warn at every start of the
// installed copy as if it had just come from the internet.
[[nodiscard]] DWORD copy_contents(const std::filesystem::path& from,
                                  const std::filesystem::path& to) noexcept;

} // namespace quarn::install
