#include "app/drop_plan.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace quarn::app {
namespace {

enum class FileKind { Map, Configuration, Other };

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

FileKind kind_of(const std::filesystem::path& file) {
    std::string extension = lower(file.extension().string());
    if (extension == ".quarn") return FileKind::Map;
    // Switches save their configuration under bare names too ("acc-1-confg"
    // by TFTP).
    if (extension.empty()) return FileKind::Configuration;
    constexpr std::array<std::string_view, 4> configurations{".txt", ".cfg", ".conf", ".log"};
    if (std::find(configurations.begin(), configurations.end(), extension) != configurations.end())
        return FileKind::Configuration;
    return FileKind::Other;
}

DropPlan refuse(std::string message) {
    return DropPlan{DropAction::Refuse, {}, std::move(message)};
}

} // namespace

DropPlan plan_drop(const std::vector<std::filesystem::path>& dropped) {
    if (dropped.empty()) return {};
    std::vector<std::filesystem::path> maps;
    std::vector<std::filesystem::path> configurations;
    for (const auto& file : dropped) {
        switch (kind_of(file)) {
        case FileKind::Map:
            maps.push_back(file);
            break;
        case FileKind::Configuration:
            configurations.push_back(file);
            break;
        case FileKind::Other:
            return refuse("Quarn cannot open " + file.filename().string() +
                          ". Drop a map (.quarn) or switch configurations (.txt, .cfg, .conf, .log).");
        }
    }
    if (maps.size() > 1) return refuse("Drop one map at a time: a window shows one map.");
    if (!maps.empty() && !configurations.empty())
        return refuse("Drop a map or switch configurations, not both at once.");
    if (!maps.empty()) return DropPlan{DropAction::OpenMap, std::move(maps), {}};
    return DropPlan{DropAction::ImportConfigurations, std::move(configurations), {}};
}

} // namespace quarn::app
