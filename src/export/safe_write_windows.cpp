#include "export/safe_write.hpp"

#include <windows.h>

#include "win/unique.hpp"
#include "win/wide.hpp"

namespace quarn {
namespace {

bool write_all(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD chunk = bytes.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return false;
        if (written == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

// ReplaceFileW keeps the target's identity, attributes and security, but
// some file systems (network shares, FAT and a few virtual file systems) do
// not offer it, and it refuses when it cannot carry the target's attributes
// or security over although the user may replace the file. In those cases a
// plain replacing move still swaps the files in one step, only without the
// old file's identity. Errors that a move would meet too (the file in use,
// the disk full) are reported as they are.
bool worth_moving_after(DWORD error) {
    switch (error) {
    case ERROR_INVALID_FUNCTION:
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_PARAMETER:
    case ERROR_ACCESS_DENIED:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
        return true;
    default:
        return false;
    }
}

// Moves the temporary file over the target; gives the error code or 0.
DWORD put_in_place(const std::wstring& target, const std::wstring& temporary) {
    DWORD attributes = GetFileAttributesW(target.c_str());
    // A folder is never replaced by a file, whatever the file system's
    // replacing move would do.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return ERROR_ACCESS_DENIED;
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND) return error;
        if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) return GetLastError();
        return 0;
    }
    if (!ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                      nullptr)) {
        DWORD error = GetLastError();
        if (!worth_moving_after(error)) return error;
        if (!MoveFileExW(temporary.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return error;
        return 0;
    }
    // ReplaceFileW does not promise that the new content has reached the
    // disk under the target's name.
    win::UniqueFile replaced(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!replaced) return GetLastError();
    if (!FlushFileBuffers(replaced.get())) return GetLastError();
    return 0;
}

} // namespace

std::optional<std::string> safe_write(const std::filesystem::path& target, std::string_view bytes) noexcept {
    try {
        // ReplaceFileW refuses paths with forward slashes ("Directory name
        // invalid"), so every path is made whole and native first.
        std::error_code ignored;
        std::filesystem::path full = std::filesystem::absolute(target, ignored);
        if (full.empty()) full = target;
        full.make_preferred();
        const std::wstring target_name = full.wstring();
        const std::wstring temporary = safe_write_temporary(full).wstring();

        win::UniqueFile file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return win::system_message(GetLastError());

        auto fail = [&](DWORD error) -> std::optional<std::string> {
            file.reset();
            DeleteFileW(temporary.c_str());
            return win::system_message(error);
        };

        if (!write_all(file.get(), bytes)) return fail(GetLastError());
        if (!FlushFileBuffers(file.get())) return fail(GetLastError());
        // Closing can still report a failed write of cached data.
        if (!CloseHandle(file.release())) return fail(GetLastError());
        if (DWORD error = put_in_place(target_name, temporary); error != 0) return fail(error);
        return std::nullopt;
    } catch (...) {
        return win::system_message(ERROR_NOT_ENOUGH_MEMORY);
    }
}

} // namespace quarn
