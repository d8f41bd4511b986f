#include "cli_io.hpp"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "common/message_text.hpp"
#include "console_out.hpp"
#include "export/file_read.hpp"
#include "export/safe_write.hpp"

namespace quarn::cli {
namespace {

std::filesystem::path utf8_path(std::string_view path) {
    std::u8string text(path.begin(), path.end());
    return std::filesystem::path(text);
}

std::string could_not_open(std::string_view path, const std::string& why) {
    return "Could not open " + std::string(path) + ": " + why;
}

} // namespace

void report(std::string_view message) {
    // Messages quote names and paths, which may hold escape sequences.
    const std::string shown = terminal_text(message, LineFeeds::Escape) + '\n';
    (void)write_stream(stderr, shown); // nowhere left to say that it failed
}

Result<std::string> read_file(std::string_view path) {
    auto content = read_whole_file(utf8_path(path));
    if (!content) return Result<std::string>::failure(could_not_open(path, content.error()));
    return content;
}

int write_output(std::string_view out, std::string_view bytes) {
    if (out == "-") {
#ifdef _WIN32
        _setmode(_fileno(stdout), _O_BINARY);
#endif
        if (!write_stream(stdout, bytes)) {
            report(std::string("Could not write to standard output: ") + std::strerror(errno));
            return 2;
        }
        return 0;
    }
    if (auto error = safe_write(utf8_path(out), bytes)) {
        report("Could not save " + std::string(out) + ": " + *error);
        return 2;
    }
    return 0;
}

std::optional<Map> load_or_report(std::string_view path, LoadMessage load_message) {
    auto read = read_map_file(utf8_path(path));
    if (read.map) return std::move(read.map).value();
    if (read.failed == MapFileStep::Read)
        report(could_not_open(path, read.map.error()));
    else if (load_message == LoadMessage::AfterPath)
        report(std::string(path) + ": " + read.map.error());
    else
        report(read.map.error());
    return std::nullopt;
}

std::optional<std::uint16_t> vlan_id(std::string_view text) {
    unsigned value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 1 || value > 4094)
        return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

std::optional<FormatArgs> operands_and_format(std::span<const std::string_view> args) {
    FormatArgs parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--format" && i + 1 < args.size() &&
            (args[i + 1] == "json" || args[i + 1] == "text")) {
            parsed.json = args[++i] == "json";
        } else if (args[i].size() > 1 && args[i].front() == '-') {
            return std::nullopt;
        } else {
            parsed.operands.push_back(args[i]);
        }
    }
    return parsed;
}

} // namespace quarn::cli
