#include "maker-services/install/command_line.hpp"

#include <algorithm>

namespace quarn::install {

CommandLine read_command_line(std::span<const std::wstring> arguments) {
    CommandLine line;
    if (arguments.size() < 2) return line;
    const std::wstring& first = arguments[1];
    if (first == L"--install")
        line.maintenance = Maintenance::Install;
    else if (first == L"--uninstall")
        line.maintenance = Maintenance::Uninstall;
    if (line.maintenance == Maintenance::None) {
        line.file = first;
        return line;
    }
    line.quiet = std::any_of(arguments.begin() + 1, arguments.end(),
                             [](const std::wstring& argument) { return argument == L"--quiet"; });
    return line;
}

int exit_code(Outcome outcome) noexcept {
    switch (outcome) {
    case Outcome::Done:
        return 0;
    case Outcome::Failed:
    case Outcome::Refused:
        return 1;
    case Outcome::Cancelled:
        break;
    }
    return 1223;
}

} // namespace quarn::install
