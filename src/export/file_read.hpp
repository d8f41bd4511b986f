#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/result.hpp"
#include "model/map.hpp"

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

// The step of opening a map file that failed.
enum class MapFileStep : std::uint8_t { Read, Load };

// A map read from its file and loaded with every check, or the message of
// the step that failed: the system's text when the file could not be read
// (read_whole_file), the loader's when its bytes are no map (load_map).
// `failed` tells which, for callers that word the two apart.
struct MapFileResult {
    Result<Map> map;
    MapFileStep failed = MapFileStep::Load;
};

[[nodiscard]] MapFileResult read_map_file(const std::filesystem::path& path);

} // namespace quarn
