#pragma once

// The file system calls with which safe_write puts a file in place, behind a
// seam: tests replace them to meet the failures that only real Windows
// shows (a virus scanner, the search indexer or a sync client holding the
// new file for a moment), which no test bench can bring about on demand.

#include <windows.h>

#include <string>

namespace quarn::safe_write_detail {

struct FileCalls {
    decltype(&::ReplaceFileW) replace = &::ReplaceFileW;
    decltype(&::MoveFileExW) move = &::MoveFileExW;
    // The pause between tries while another program holds a file.
    void (*pause)(DWORD milliseconds) = [](DWORD milliseconds) { ::Sleep(milliseconds); };
};

// The calls in force; a test sets them and puts the defaults back.
FileCalls& file_calls() noexcept;

// The name a save works on, from the full path the user gave and the name
// its links lead to (the plain form). The user's own path when the two name
// the same file through a mapped network drive, whose share the system puts
// in place of the letter: the drive stays the user's, and the share's name
// may be longer. A name too long for the plain calls then takes the long
// form (\\?\), which every call takes whatever the system's path limit.
[[nodiscard]] std::wstring working_name(const std::wstring& given, const std::wstring& final_name,
                                        bool given_on_network_drive);

// The plain form of a name: without the long form's \\?\ (or \\?\UNC\).
[[nodiscard]] std::wstring plain_name(const std::wstring& name);

} // namespace quarn::safe_write_detail
