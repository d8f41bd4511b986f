#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.hpp"
#include "model/map.hpp"

namespace quarn::cli {

// The whole file as bytes, or the ready message "Could not open {}: {}" with
// the path and the system's error text. Paths are UTF-8.
Result<std::string> read_file(std::string_view path);

// Writes the bytes to OUT through the safe file write, or to standard output
// when OUT is "-" (in binary mode, so Windows adds no CR). Prints the
// failure on standard error; gives the exit code, 0 or 2.
int write_output(std::string_view out, std::string_view bytes);

// How a loader's message is printed: alone, or preceded by "{path}: " where
// a command reads several maps and the message alone would not say which.
// "Could not open {path}: {}" names the path already.
enum class LoadMessage : std::uint8_t { Alone, AfterPath };

// Reads and loads a map with every check; on failure prints the one message
// on standard error and gives nothing.
std::optional<Map> load_or_report(std::string_view path, LoadMessage load_message = LoadMessage::Alone);

// A VLAN ID as an admin types it: decimal digits, 1 to 4094.
std::optional<std::uint16_t> vlan_id(std::string_view text);

// The operands of a command that takes no option but "--format text|json".
struct FormatArgs {
    std::vector<std::string_view> operands;
    bool json = false;
};

// Nothing when an option other than "--format text|json" is given.
std::optional<FormatArgs> operands_and_format(std::span<const std::string_view> args);

// Prints one line on standard error.
void report(std::string_view message);

} // namespace quarn::cli
