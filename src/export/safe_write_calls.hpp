#pragma once

// The file system calls with which safe_write puts a file in place, behind a
// seam: tests replace them to meet the failures that only real Windows
// shows (a virus scanner, the search indexer or a sync client holding the
// new file for a moment), which no test bench can bring about on demand.

#include <windows.h>

namespace quarn::safe_write_detail {

struct FileCalls {
    decltype(&::ReplaceFileW) replace = &::ReplaceFileW;
    decltype(&::MoveFileExW) move = &::MoveFileExW;
    // The pause between tries while another program holds a file.
    void (*pause)(DWORD milliseconds) = [](DWORD milliseconds) { ::Sleep(milliseconds); };
};

// The calls in force; a test sets them and puts the defaults back.
FileCalls& file_calls() noexcept;

} // namespace quarn::safe_write_detail
