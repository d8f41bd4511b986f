#include "config/config.hpp"

#include <algorithm>
#include <cctype>

#include <nlohmann/json.hpp>

namespace quarn {
namespace {

bool same_path(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

Config parse_config(std::string_view text) {
    Config config;
    nlohmann::json doc = nlohmann::json::parse(text, nullptr, false);
    if (!doc.is_object()) return config;

    if (auto it = doc.find("theme"); it != doc.end() && it->is_string()) {
        if (auto choice = parse_theme_choice(it->get_ref<const std::string&>())) config.theme = *choice;
    }
    if (auto it = doc.find("recent"); it != doc.end() && it->is_array()) {
        for (const auto& entry : *it) {
            if (!entry.is_string()) continue;
            const auto& path = entry.get_ref<const std::string&>();
            if (path.empty() || config.recent.size() >= k_max_recent_files) continue;
            bool seen = std::any_of(config.recent.begin(), config.recent.end(),
                                    [&](const std::string& other) { return same_path(other, path); });
            if (!seen) config.recent.push_back(path);
        }
    }
    if (auto it = doc.find("breakdown"); it != doc.end() && it->is_boolean())
        config.breakdown = it->get<bool>();
    if (auto it = doc.find("show_unused"); it != doc.end() && it->is_boolean())
        config.show_unused = it->get<bool>();
    if (auto it = doc.find("topology"); it != doc.end() && it->is_boolean())
        config.topology = it->get<bool>();
    return config;
}

std::string config_text(const Config& config) {
    nlohmann::ordered_json doc;
    doc["theme"] = theme_choice_name(config.theme);
    doc["recent"] = config.recent;
    doc["breakdown"] = config.breakdown;
    doc["show_unused"] = config.show_unused;
    doc["topology"] = config.topology;
    // Paths from the file system need not be valid UTF-8; replace rather than
    // throw, so that saving the settings can never fail here.
    return doc.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

void add_recent_file(Config& config, std::string_view path) {
    remove_recent_file(config, path);
    config.recent.insert(config.recent.begin(), std::string(path));
    if (config.recent.size() > k_max_recent_files) config.recent.resize(k_max_recent_files);
}

void remove_recent_file(Config& config, std::string_view path) {
    std::erase_if(config.recent, [&](const std::string& other) { return same_path(other, path); });
}

} // namespace quarn
