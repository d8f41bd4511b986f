#include "export/file_read.hpp"

#include <windows.h>

#include "export/safe_write.hpp"
#include "win/unique.hpp"
#include "win/wide.hpp"

namespace quarn {

Result<std::string> read_whole_file(const std::filesystem::path& path) noexcept {
    try {
        const std::wstring name = path.wstring();
        // A folder cannot be opened as a file; its own words are clearer than
        // the access error that opening it would give.
        const DWORD attributes = GetFileAttributesW(name.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return Result<std::string>::failure(std::string(k_is_folder_text));
        // Owned, so a failed allocation below cannot leak the handle.
        win::UniqueFile file(CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return Result<std::string>::failure(win::system_message(GetLastError()));
        // A device or a pipe might never end or wait for a writer forever.
        if (GetFileType(file.get()) != FILE_TYPE_DISK)
            return Result<std::string>::failure(std::string(k_not_a_file_text));
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(file.get(), &size))
            return Result<std::string>::failure(win::system_message(GetLastError()));
        if (static_cast<std::uint64_t>(size.QuadPart) > k_max_read_size)
            return Result<std::string>::failure(std::string(k_file_too_large_text));
        std::string content;
        if (size.QuadPart > 0) content.reserve(static_cast<std::size_t>(size.QuadPart));
        char buffer[65536];
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
                return Result<std::string>::failure(win::system_message(GetLastError()));
            }
            if (got == 0) break;
            // A file that grows while it is read is held to the same limit.
            if (content.size() + got > k_max_read_size)
                return Result<std::string>::failure(std::string(k_file_too_large_text));
            content.append(buffer, got);
        }
        return content;
    } catch (...) {
        return Result<std::string>::failure(win::system_message(ERROR_NOT_ENOUGH_MEMORY));
    }
}

} // namespace quarn
