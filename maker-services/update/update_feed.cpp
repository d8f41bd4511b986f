#include "maker-services/update/update_feed.hpp"

#include <nlohmann/json.hpp>

#include "maker-services/update/update_values.hpp"

namespace quarn::update {
namespace {

using nlohmann::json;

const std::string* text_field(const json& object, const char* key) {
    auto it = object.find(key);
    if (it == object.end() || !it->is_string()) return nullptr;
    return &it->get_ref<const std::string&>();
}

std::optional<RawBuild> read_build(const json& entry) {
    if (!entry.is_object()) return std::nullopt;
    const std::string* version_field = text_field(entry, "version");
    const std::string* released = text_field(entry, "released");
    const std::string* license_date = text_field(entry, "license_date");
    auto security = entry.find("security");
    if (!version_field || !released || !license_date || security == entry.end() || !security->is_boolean())
        return std::nullopt;
    auto version = parse_version(*version_field);
    if (!version || !parse_date(*released) || !parse_date(*license_date)) return std::nullopt;
    return RawBuild{*version, *released, *license_date, security->get<bool>()};
}

} // namespace

std::optional<RawFeed> parse_feed(std::string_view body, std::string_view product) {
    if (body.size() > k_max_feed_bytes) return std::nullopt;
    json doc = json::parse(body, nullptr, false);
    if (!doc.is_object()) return std::nullopt;
    const std::string* product_field = text_field(doc, "product");
    auto builds = doc.find("builds");
    if (!product_field || *product_field != product || builds == doc.end() || !builds->is_array() ||
        builds->empty())
        return std::nullopt;

    RawFeed feed{*product_field, {}};
    feed.builds.reserve(builds->size());
    for (const json& entry : *builds) {
        auto build = read_build(entry);
        if (!build) return std::nullopt;
        feed.builds.push_back(std::move(*build));
    }
    return feed;
}

UpdateFound choose_update(const RawFeed& feed, Version running) {
    UpdateFound found;
    for (const RawBuild& build : feed.builds) {
        if (build.version > found.newest) found.newest = build.version;
        if (build.version > running && build.security) found.security = true;
    }
    found.newer = found.newest > running;
    return found;
}

} // namespace quarn::update
