#include "export/file_read.hpp"

#include "model/map_file.hpp"

namespace quarn {

MapFileResult read_map_file(const std::filesystem::path& path) {
    auto bytes = read_whole_file(path);
    if (!bytes) return {Result<Map>::failure(bytes.error()), MapFileStep::Read};
    return {load_map(bytes.value()), MapFileStep::Load};
}

} // namespace quarn
