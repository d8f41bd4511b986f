#include "export/file_read.hpp"

#include <windows.h>

#include "export/windows_error.hpp"

namespace quarn {

Result<std::string> read_whole_file(const std::filesystem::path& path) noexcept {
    try {
        HANDLE file = CreateFileW(path.wstring().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return Result<std::string>::failure(windows_error_text(GetLastError()));
        std::string content;
        LARGE_INTEGER size{};
        if (GetFileSizeEx(file, &size) && size.QuadPart > 0)
            content.reserve(static_cast<std::size_t>(size.QuadPart));
        char buffer[65536];
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
                DWORD error = GetLastError();
                CloseHandle(file);
                return Result<std::string>::failure(windows_error_text(error));
            }
            if (got == 0) break;
            content.append(buffer, got);
        }
        CloseHandle(file);
        return content;
    } catch (...) {
        return Result<std::string>::failure(windows_error_text(ERROR_NOT_ENOUGH_MEMORY));
    }
}

} // namespace quarn
