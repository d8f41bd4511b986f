#include "export/safe_write.hpp"

namespace quarn {

std::filesystem::path safe_write_temporary(const std::filesystem::path& target) {
    std::filesystem::path temporary = target;
    temporary += ".quarn-save";
    return temporary;
}

} // namespace quarn
