#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/result.hpp"

namespace quarn {

// The largest file read_whole_file takes: far above the biggest map anyone
// keeps (a campus of 10,000 ports is 3 MB), far below what a program may
// hold in memory without trouble.
inline constexpr std::uint64_t k_max_read_size = std::uint64_t{256} << 20;
inline constexpr std::string_view k_file_too_large_text = "It is larger than 256 MiB, too large for a map";

// The whole content of a regular file as bytes, or the system's own error
// text. A folder, a device or a pipe is refused without reading (a pipe
// would wait for a writer, a device might never end), and so is a file
// larger than k_max_read_size, before its content is read.
[[nodiscard]] Result<std::string> read_whole_file(const std::filesystem::path& path) noexcept;

} // namespace quarn
