#pragma once

#include <filesystem>
#include <string>
#include <vector>

// What files dropped on the main window become: a map opens as Open opens
// it, switch configurations go to the import, anything else is refused
// with a message and changes nothing.
namespace quarn::app {

enum class DropAction { Nothing, OpenMap, ImportConfigurations, Refuse };

struct DropPlan {
    DropAction action = DropAction::Nothing;
    std::vector<std::filesystem::path> files; // the map, or the configurations in the order dropped
    std::string message;                      // why a drop is refused

    bool operator==(const DropPlan&) const = default;
};

// A map is a ".quarn" file; a configuration a ".txt", ".cfg", ".conf" or
// ".log" file (saved terminal output), in any case of the letters, or a
// file without an extension. One map
// alone, or configurations alone, are taken; several maps, maps with
// configurations, and files of other kinds are refused.
[[nodiscard]] DropPlan plan_drop(const std::vector<std::filesystem::path>& dropped);

} // namespace quarn::app
