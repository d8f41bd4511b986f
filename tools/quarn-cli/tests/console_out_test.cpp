// Output of the command-line tool on a Windows console and into pipes.
#include <windows.h>

#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "tools/quarn-cli/console_out.hpp"

namespace quarn::cli {
namespace {

// Characters a console code page such as 437 or 850 cannot take from UTF-8
// bytes: an arrow, accented letters, a Greek letter.
constexpr char k_text[] = "core \xE2\x86\x92 Caf\xC3\xA9 \xCE\xB1";
constexpr wchar_t k_shown[] = L"core \u2192 Caf\u00E9 \u03B1";

TEST(ConsoleOut, AConsoleShowsTheCharactersAndAPipeGetsTheBytes) {
    // A console of the test's own, in an OEM code page, as a command prompt
    // opens with.
    ::FreeConsole();
    if (!::AllocConsole()) GTEST_SKIP() << "no console can be made here (error " << ::GetLastError() << ")";
    ::SetConsoleOutputCP(437);
    HANDLE console = ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(console, INVALID_HANDLE_VALUE);
    CONSOLE_SCREEN_BUFFER_INFO before{};
    ASSERT_TRUE(::GetConsoleScreenBufferInfo(console, &before));
    EXPECT_EQ(write_console(console, k_text), ConsoleWrite::Written);
    wchar_t shown[64] = {};
    DWORD read = 0;
    ASSERT_TRUE(::ReadConsoleOutputCharacterW(console, shown, static_cast<DWORD>(std::size(k_shown) - 1),
                                              before.dwCursorPosition, &read));
    EXPECT_EQ(std::wstring(shown, read), k_shown);
    ::CloseHandle(console);
    ::FreeConsole();

    // A pipe is no console: the bytes go as they are, UTF-8.
    HANDLE reader = nullptr;
    HANDLE writer = nullptr;
    ASSERT_TRUE(::CreatePipe(&reader, &writer, nullptr, 0));
    EXPECT_EQ(write_console(writer, k_text), ConsoleWrite::NotConsole);
    ::CloseHandle(reader);
    ::CloseHandle(writer);
}

} // namespace
} // namespace quarn::cli
