#include "export/file_read.hpp"

#include <windows.h>

#include "win/unique.hpp"
#include "win/wide.hpp"

namespace quarn {

Result<std::string> read_whole_file(const std::filesystem::path& path) noexcept {
    try {
        // Owned, so a failed allocation below cannot leak the handle.
        win::UniqueFile file(CreateFileW(path.wstring().c_str(), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return Result<std::string>::failure(win::system_message(GetLastError()));
        std::string content;
        LARGE_INTEGER size{};
        if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0)
            content.reserve(static_cast<std::size_t>(size.QuadPart));
        char buffer[65536];
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
                return Result<std::string>::failure(win::system_message(GetLastError()));
            }
            if (got == 0) break;
            content.append(buffer, got);
        }
        return content;
    } catch (...) {
        return Result<std::string>::failure(win::system_message(ERROR_NOT_ENOUGH_MEMORY));
    }
}

} // namespace quarn
