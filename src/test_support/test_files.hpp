#pragma once

// Files of the Windows tests: writing one and reading it back whole, and a
// folder of the test's own under the system's temporary folder.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace quarn::testing {

// The whole file as bytes; empty when it cannot be read.
inline std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes `bytes` as the whole file.
inline void write_file(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The folder `name` in the system's temporary folder, made when missing;
// the temporary folder itself without a name.
inline std::filesystem::path temp_folder(const std::filesystem::path& name = {}) {
    std::filesystem::path folder = std::filesystem::temp_directory_path() / name;
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

} // namespace quarn::testing
