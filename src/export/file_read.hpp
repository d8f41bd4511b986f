#pragma once

#include <filesystem>
#include <string>

#include "common/result.hpp"

namespace quarn {

// The whole content of a file as bytes, or the system's own error text.
[[nodiscard]] Result<std::string> read_whole_file(const std::filesystem::path& path) noexcept;

} // namespace quarn
