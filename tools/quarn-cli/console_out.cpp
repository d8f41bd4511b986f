#include "console_out.hpp"

#ifdef _WIN32
#include <io.h>

#include <algorithm>
#include <string>

#include "win/wide.hpp"
#endif

namespace quarn::cli {

#ifdef _WIN32
ConsoleWrite write_console(HANDLE handle, std::string_view utf8) {
    DWORD mode = 0;
    // GetConsoleMode fails for pipes and files: those take the bytes.
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || !::GetConsoleMode(handle, &mode))
        return ConsoleWrite::NotConsole;
    std::wstring wide = win::widen(utf8);
    std::size_t done = 0;
    while (done < wide.size()) {
        // Large writes to a console can fail with too little memory for
        // the console's buffer: a piece at a time.
        DWORD piece = static_cast<DWORD>(std::min<std::size_t>(wide.size() - done, 8192));
        DWORD written = 0;
        if (!::WriteConsoleW(handle, wide.data() + done, piece, &written, nullptr) || written == 0)
            return ConsoleWrite::Failed;
        done += written;
    }
    return ConsoleWrite::Written;
}
#endif

bool write_stream(std::FILE* stream, std::string_view utf8) {
#ifdef _WIN32
    // What was written through the C stream goes first.
    std::fflush(stream);
    auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stream)));
    switch (write_console(handle, utf8)) {
    case ConsoleWrite::Written:
        return true;
    case ConsoleWrite::Failed:
        return false;
    case ConsoleWrite::NotConsole:
        break;
    }
#endif
    return std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size() && std::fflush(stream) == 0;
}

} // namespace quarn::cli
