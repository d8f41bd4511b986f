#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "commands.hpp"

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>

#include "win/wide.hpp"
#endif

namespace {

// The commands take UTF-8 paths. On Windows the narrow argv is in the ANSI
// code page, which cannot hold every file name, so the arguments are read
// again from the wide command line.
std::vector<std::string> utf8_arguments(int argc, char** argv) {
#ifdef _WIN32
    int count = 0;
    if (LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
        std::vector<std::string> arguments;
        for (int i = 1; i < count; ++i) arguments.push_back(quarn::win::narrow(wide[i]));
        ::LocalFree(wide);
        return arguments;
    }
#endif
    return std::vector<std::string>(argv + 1, argv + argc);
}

void print_help(std::FILE* out) {
    std::fputs("Usage: quarn-cli COMMAND ARGS...\n\n"
               "Works on Quarn map files (*.quarn) without the program.\n\n"
               "Commands:\n",
               out);
    for (const auto& entry : quarn::cli::commands()) {
        std::fprintf(out, "  %-44.*s %.*s\n", static_cast<int>(entry.usage.size()), entry.usage.data(),
                     static_cast<int>(entry.summary.size()), entry.summary.data());
    }
    std::fputs("\nOUT may be - for standard output.\n", out);
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> owned = utf8_arguments(argc, argv);
    std::vector<std::string_view> args(owned.begin(), owned.end());
    if (args.empty()) {
        print_help(stderr);
        return 2;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        print_help(stdout);
        return 0;
    }
    for (const auto& entry : quarn::cli::commands()) {
        if (entry.name == args[0]) return entry.run(std::span(args).subspan(1));
    }
    std::fprintf(stderr, "Unknown command %.*s. Try quarn-cli --help.\n", static_cast<int>(args[0].size()),
                 args[0].data());
    return 2;
}
