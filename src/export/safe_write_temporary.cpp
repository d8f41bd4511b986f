#include "export/safe_write.hpp"

namespace quarn {

std::filesystem::path safe_write_temporary(const std::filesystem::path& target) {
    std::filesystem::path temporary = target;
    temporary += ".quarn-save";
    return temporary;
}

std::string temporary_is_folder_text(const std::filesystem::path& temporary) {
    const std::u8string name = temporary.u8string();
    return std::string(name.begin(), name.end()) + " is a folder in the way of the temporary file";
}

} // namespace quarn
