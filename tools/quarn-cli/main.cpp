#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "commands.hpp"

namespace {

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
    std::vector<std::string_view> args(argv + 1, argv + argc);
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
