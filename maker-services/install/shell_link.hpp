#pragma once

#include <windows.h>

#include <filesystem>

namespace quarn::install {

// Saves a shell link to `target` as the file `link`, replacing one that is
// there. Needs COM on the calling thread.
[[nodiscard]] HRESULT create_shell_link(const std::filesystem::path& target,
                                        const std::filesystem::path& link) noexcept;

} // namespace quarn::install
