#include "export/safe_write.hpp"

#include "export/safe_write_calls.hpp"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>

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

// Errors of a file that another program holds for a moment: a virus
// scanner, the search indexer or a sync client opens a new file as soon as
// it appears. They pass within a second or so.
bool held_by_another(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_USER_MAPPED_FILE;
}

constexpr int k_tries = 20;
constexpr DWORD k_pause_ms = 50;

// Runs `call` until it succeeds or fails for another reason than a file
// held by another program; gives the error code or 0.
template <class Call>
DWORD with_retries(Call call) {
    for (int attempt = 1;; ++attempt) {
        if (call()) return 0;
        const DWORD error = GetLastError();
        if (!held_by_another(error) || attempt >= k_tries) return error;
        safe_write_detail::file_calls().pause(k_pause_ms);
    }
}

struct Placement {
    DWORD error = 0;
    // Neither the new file could take the target's name nor the previous
    // file get it back: both stay under their own names, and nothing may be
    // deleted.
    bool stranded = false;
};

// The previous file under the backup name goes once the target's name holds
// a file again; while it does not, the backup may be the only copy.
void drop_backup(const std::wstring& target, const std::wstring& backup) {
    if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) DeleteFileW(backup.c_str());
}

// Moves the temporary file over the target, read against ReplaceFileW's
// documented outcomes. With a backup name, every failure but one leaves
// both files under their own names; ERROR_UNABLE_TO_MOVE_REPLACEMENT_2
// leaves the previous file under the backup name and the new one under the
// temporary name, with nothing at the target: then the new file is moved in,
// or else the previous one back, and if neither can be, both stay.
Placement put_in_place(const std::wstring& target, const std::wstring& temporary, const std::wstring& backup,
                       bool exists) {
    const safe_write_detail::FileCalls& calls = safe_write_detail::file_calls();
    auto move = [&](const std::wstring& from, DWORD flags) {
        return with_retries([&] { return calls.move(from.c_str(), target.c_str(), flags); });
    };
    if (!exists) return {move(temporary, MOVEFILE_WRITE_THROUGH)};

    const DWORD error = with_retries([&] {
        return calls.replace(target.c_str(), temporary.c_str(), backup.c_str(),
                             REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
    });
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        if (move(temporary, MOVEFILE_WRITE_THROUGH) == 0) {
            drop_backup(target, backup);
            return {};
        }
        if (move(backup, MOVEFILE_WRITE_THROUGH) == 0) return {error};
        return {error, true};
    }
    if (error != 0) {
        drop_backup(target, backup);
        if (!worth_moving_after(error)) return {error};
        if (move(temporary, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) return {error};
        return {};
    }
    drop_backup(target, backup);
    // ReplaceFileW does not promise that the new content has reached the
    // disk under the target's name, so it is flushed once more. The new
    // content is in place by now: a failure here is no failure of the save,
    // and reporting one would leave the document marked as changed although
    // the file holds it.
    win::UniqueFile replaced(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (replaced) FlushFileBuffers(replaced.get());
    return {};
}

// The name of an existing file with every link on the way followed, or
// nothing when the system cannot tell.
std::optional<std::wstring> final_name(const std::wstring& name) {
    win::UniqueFile file(CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) return std::nullopt;
    std::wstring found(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetFinalPathNameByHandleW(file.get(), found.data(), static_cast<DWORD>(found.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) return std::nullopt;
        if (length < found.size()) {
            found.resize(length);
            break;
        }
        found.resize(length + 1);
    }
    // The name comes as \\?\C:\... or \\?\UNC\server\share\...
    return safe_write_detail::plain_name(found);
}

// The file a target stands for: a link is followed to the file it leads
// to, so that the real file is replaced and the link stays a link. A target
// that does not exist (or a link that leads nowhere) is written as named.
std::wstring real_target(const std::wstring& target) {
    bool network_drive = false;
    if (target.size() >= 3 && target[1] == L':') {
        const wchar_t root[] = {target[0], L':', L'\\', L'\0'};
        network_drive = GetDriveTypeW(root) == DRIVE_REMOTE;
    }
    return safe_write_detail::working_name(target, final_name(target).value_or(target), network_drive);
}

// Whether the entry at the temporary name is a link that the system does not
// mark as one. Wine shows a Unix symbolic link as a plain file, and deleting
// it there deletes the file it leads to; on Windows a link carries the
// reparse-point attribute and DeleteFileW removes the link itself.
bool unmarked_link(const std::wstring& temporary) {
    const DWORD attributes = GetFileAttributesW(temporary.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    if (attributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) return false;
    const auto found = final_name(temporary);
    const std::wstring plain = safe_write_detail::plain_name(temporary);
    return found && CompareStringOrdinal(found->c_str(), -1, plain.c_str(), -1, TRUE) != CSTR_EQUAL;
}

// Saves of one file take turns under a named mutex of the session, named
// for the file: while it is held, nobody else's temporary file is in the
// making, so whatever stands at the temporary name is a leftover and may
// go. The system releases the mutex of a process that dies. Without the
// mutex (the system refuses to make one) the save goes on alone.
class SaveTurn {
  public:
    explicit SaveTurn(const std::wstring& target) {
        // File names are compared without case.
        std::wstring key = target;
        CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
        std::uint64_t hash = 14695981039346656037ull;
        for (wchar_t c : key) {
            hash ^= static_cast<std::uint16_t>(c);
            hash *= 1099511628211ull;
        }
        std::wstring name = L"Local\\Quarn.Save.";
        for (int shift = 60; shift >= 0; shift -= 4) name += L"0123456789abcdef"[(hash >> shift) & 0xf];
        mutex_.reset(CreateMutexW(nullptr, FALSE, name.c_str()));
    }
    SaveTurn(const SaveTurn&) = delete;
    SaveTurn& operator=(const SaveTurn&) = delete;
    ~SaveTurn() {
        if (held_) ReleaseMutex(mutex_.get());
    }

    // False when another save kept the turn too long. An abandoned mutex
    // is the turn of a save that died: it is ours now.
    bool take() {
        if (!mutex_) return true;
        const DWORD waited = WaitForSingleObject(mutex_.get(), 15000);
        held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
        return held_ || waited != WAIT_TIMEOUT;
    }

  private:
    win::UniqueHandle mutex_;
    bool held_ = false;
};

// Removes the entry at the temporary name, never what it leads to:
// DeleteFileW deletes a link itself and one name of a hard-linked file.
std::optional<std::string> clear_temporary(const std::wstring& temporary,
                                           const std::filesystem::path& shown) {
    if (DeleteFileW(temporary.c_str())) return std::nullopt;
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::nullopt;
    const DWORD attributes = GetFileAttributesW(temporary.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return temporary_is_folder_text(shown);
    // A leftover marked read-only is still a leftover.
    if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_READONLY) &&
        SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL) && DeleteFileW(temporary.c_str()))
        return std::nullopt;
    return win::system_message(error);
}

} // namespace

safe_write_detail::FileCalls& safe_write_detail::file_calls() noexcept {
    static FileCalls calls;
    return calls;
}

namespace safe_write_detail {

std::wstring plain_name(const std::wstring& name) {
    if (name.starts_with(L"\\\\?\\UNC\\")) return L"\\\\" + name.substr(8);
    if (name.starts_with(L"\\\\?\\")) return name.substr(4);
    return name;
}

std::wstring working_name(const std::wstring& given, const std::wstring& final_name,
                          bool given_on_network_drive) {
    std::wstring chosen = final_name;
    if (given_on_network_drive && final_name.starts_with(L"\\\\") && given.size() > 2 && given[1] == L':') {
        // Z:\maps\site.quarn and \\server\share\dept\maps\site.quarn: the
        // same path after the drive's share.
        const std::wstring_view tail = std::wstring_view(given).substr(2);
        const std::wstring_view end =
            std::wstring_view(final_name)
                .substr(final_name.size() - std::min(final_name.size(), tail.size()));
        if (end.size() == tail.size() &&
            CompareStringOrdinal(end.data(), static_cast<int>(end.size()), tail.data(),
                                 static_cast<int>(tail.size()), TRUE) == CSTR_EQUAL)
            chosen = given;
    }
    // Room for the temporary and backup names made beside the target.
    constexpr std::size_t k_room = 32;
    if (chosen.size() + k_room >= MAX_PATH && !chosen.starts_with(L"\\\\?\\"))
        chosen = chosen.starts_with(L"\\\\") ? L"\\\\?\\UNC\\" + chosen.substr(2) : L"\\\\?\\" + chosen;
    return chosen;
}

} // namespace safe_write_detail

std::optional<std::string> safe_write(const std::filesystem::path& target, std::string_view bytes) noexcept {
    try {
        if (target.empty()) return win::system_message(ERROR_PATH_NOT_FOUND);
        const std::wstring& given = target.native();
        if (given.back() == L'\\' || given.back() == L'/')
            return std::string(k_target_ends_in_separator_text);

        // ReplaceFileW refuses paths with forward slashes ("Directory name
        // invalid"), so every path is made whole and native first.
        std::error_code ignored;
        std::filesystem::path full = std::filesystem::absolute(target, ignored);
        if (full.empty()) full = target;
        full.make_preferred();
        const std::filesystem::path real(real_target(full.wstring()));
        const std::wstring target_name = real.wstring();

        // The target is judged in turn too: another save may make it.
        SaveTurn turn(safe_write_detail::plain_name(target_name));
        if (!turn.take()) return std::string(k_save_busy_text);

        const DWORD attributes = GetFileAttributesW(target_name.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            const DWORD error = GetLastError();
            if (error != ERROR_FILE_NOT_FOUND) return win::system_message(error);
        }
        const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
        // A folder is never replaced by a file, whatever the file system's
        // replacing move would do; its own words are clearer than the access
        // error the move would give.
        if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return std::string(k_is_folder_text);
        // What ReplaceFileW and the move refuse on Windows; said before any
        // temporary file is made, and the same on file systems that would
        // let a read-only file be replaced.
        if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) return win::system_message(ERROR_ACCESS_DENIED);

        std::filesystem::path temporary_path = safe_write_temporary(real);
        // Such a link is left alone, never deleted: the save takes a name of
        // its own beside it.
        if (unmarked_link(temporary_path.wstring()))
            temporary_path += L"-" + std::to_wstring(GetCurrentProcessId());
        const std::wstring temporary = temporary_path.wstring();
        if (auto in_the_way = clear_temporary(temporary, temporary_path)) return in_the_way;
        // CREATE_NEW: nothing that appeared at the name since is written
        // through, a link included.
        win::UniqueFile file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return win::system_message(GetLastError());

        auto fail_with = [&](std::string text) -> std::optional<std::string> {
            file.reset();
            DeleteFileW(temporary.c_str());
            return text;
        };
        auto fail = [&](DWORD error) { return fail_with(win::system_message(error)); };

        if (!write_all(file.get(), bytes)) return fail(GetLastError());
        if (!FlushFileBuffers(file.get())) return fail(GetLastError());
        // Closing can still report a failed write of cached data.
        if (!CloseHandle(file.release())) return fail(GetLastError());
        const std::filesystem::path backup_path = safe_write_backup(real);
        const std::wstring backup = backup_path.wstring();
        // A backup left by a save that died goes, but only while the target
        // holds a map: else it may be the only copy.
        if (exists)
            if (auto in_the_way = clear_temporary(backup, backup_path)) return fail_with(*in_the_way);
        const Placement placed = put_in_place(target_name, temporary, backup, exists);
        if (placed.stranded) {
            file.reset();
            return stranded_text(win::system_message(placed.error), temporary_path, backup_path);
        }
        if (placed.error != 0) return fail(placed.error);
        return std::nullopt;
    } catch (...) {
        return win::system_message(ERROR_NOT_ENOUGH_MEMORY);
    }
}

} // namespace quarn
