#include "export/safe_write.hpp"

namespace quarn {

std::filesystem::path safe_write_temporary(const std::filesystem::path& target) {
    std::filesystem::path temporary = target;
    temporary += ".quarn-save";
    return temporary;
}

std::filesystem::path safe_write_backup(const std::filesystem::path& target) {
    std::filesystem::path backup = target;
    backup += ".quarn-backup";
    return backup;
}

namespace {

std::string text_of(const std::filesystem::path& path) {
    const std::u8string name = path.u8string();
    return std::string(name.begin(), name.end());
}

} // namespace

std::string temporary_is_folder_text(const std::filesystem::path& temporary) {
    return text_of(temporary) + " is a folder in the way of the temporary file";
}

std::string stranded_text(std::string_view error, const std::filesystem::path& temporary,
                          const std::filesystem::path& backup) {
    std::string text(error);
    if (!text.empty() && text.back() != '.') text += '.';
    return text + " Nothing was deleted: the new map is " + text_of(temporary) + ", the previous one is " +
           text_of(backup) + ".";
}

} // namespace quarn
