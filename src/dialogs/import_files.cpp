#include "dialogs/import_files.hpp"

#include <algorithm>
#include <system_error>

#include "export/file_read.hpp"

namespace quarn::dialogs {

std::string shown_file_name(const std::filesystem::path& path) {
    std::u8string name = path.filename().u8string();
    return {name.begin(), name.end()};
}

std::vector<std::filesystem::path> import_file_list(std::span<const std::filesystem::path> paths) {
    std::vector<std::filesystem::path> files;
    for (const std::filesystem::path& path : paths) {
        std::error_code error;
        if (!std::filesystem::is_directory(path, error)) {
            // A file that is gone by now is still listed: reading it says why.
            files.push_back(path);
            continue;
        }
        std::vector<std::filesystem::path> inside;
        for (std::filesystem::directory_iterator it(path, error), end; !error && it != end;
             it.increment(error)) {
            std::error_code kind_error;
            if (!it->is_regular_file(kind_error)) continue;
            if (shown_file_name(it->path()).starts_with('.')) continue;
            inside.push_back(it->path());
        }
        std::sort(inside.begin(), inside.end());
        files.insert(files.end(), inside.begin(), inside.end());
    }
    return files;
}

Result<std::string> read_config_file(const std::filesystem::path& path) {
    std::error_code error;
    auto size = std::filesystem::file_size(path, error);
    if (!error && size > k_max_config_bytes)
        return Result<std::string>::failure(std::string(k_config_too_large_text));
    auto bytes = read_whole_file(path);
    if (!bytes) return bytes;
    return config_file_text(std::move(bytes).value());
}

std::vector<ImportSource> read_import_sources(std::span<const std::filesystem::path> paths) {
    std::vector<ImportSource> sources;
    for (const std::filesystem::path& file : import_file_list(paths)) {
        ImportSource source{shown_file_name(file), "", ""};
        auto text = read_config_file(file);
        if (text)
            source.text = std::move(text).value();
        else
            source.refused = text.error();
        sources.push_back(std::move(source));
    }
    return sources;
}

} // namespace quarn::dialogs
