#pragma once

#include <cstdio>
#include <string_view>

#ifdef _WIN32
#include <windows.h>
#endif

namespace quarn::cli {

// Writes UTF-8 text to a standard stream and flushes it; false when that
// failed. A Windows console reads the bytes written to it in its own
// (OEM) code page, which garbles arrows and names beyond ASCII: there the
// text goes as UTF-16 through WriteConsoleW, which every code page shows.
// To a pipe or a file it goes as UTF-8 bytes, unchanged.
[[nodiscard]] bool write_stream(std::FILE* stream, std::string_view utf8);

#ifdef _WIN32
enum class ConsoleWrite { NotConsole, Written, Failed };

// The console part alone: writes to `handle` when it is a console.
[[nodiscard]] ConsoleWrite write_console(HANDLE handle, std::string_view utf8);
#endif

} // namespace quarn::cli
