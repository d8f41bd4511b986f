#include "compare/change_json.hpp"

#include <nlohmann/json.hpp>

#include "compare/change_text.hpp"

namespace quarn {
namespace {

using Json = nlohmann::ordered_json;

const char* kind_name(Change::Kind kind) {
    switch (kind) {
    case Change::Kind::Added:
        return "added";
    case Change::Kind::Removed:
        return "removed";
    case Change::Kind::Changed:
        return "changed";
    }
    return "?";
}

Json place_json(const ChangePlace& place) {
    Json json = Json::object();
    switch (place.kind) {
    case PlaceKind::Map:
        json["kind"] = "map";
        break;
    case PlaceKind::Vlan:
        json["kind"] = "vlan";
        json["vlan"] = place.vlan;
        break;
    case PlaceKind::Switch:
        json["kind"] = "switch";
        json["switch"] = place.switch_name;
        break;
    case PlaceKind::Port:
        json["kind"] = "port";
        json["switch"] = place.switch_name;
        json["port"] = place.name;
        break;
    case PlaceKind::Lag:
        json["kind"] = "lag";
        json["switch"] = place.switch_name;
        json["lag"] = place.name;
        break;
    }
    return json;
}

Json value_json(const std::optional<std::string>& value) {
    if (!value) return nullptr;
    return *value;
}

} // namespace

std::string changes_json(const std::vector<Change>& changes) {
    Json list = Json::array();
    for (const Change& change : changes) {
        Json fields = Json::array();
        for (const FieldChange& field : change.fields) {
            Json json = Json::object();
            json["field"] = field_name(field.field);
            json["old"] = value_json(field.old_value);
            json["new"] = value_json(field.new_value);
            if (field.field == ChangeField::Tagged && change.kind == Change::Kind::Changed) {
                json["added"] = field.added;
                json["removed"] = field.removed;
            }
            fields.push_back(std::move(json));
        }
        Json json = Json::object();
        json["change"] = kind_name(change.kind);
        json["place"] = place_json(change.place);
        json["fields"] = std::move(fields);
        json["text"] = change_line(change);
        list.push_back(std::move(json));
    }
    // Replacing broken UTF-8 keeps dump from throwing.
    return list.dump(2, ' ', false, Json::error_handler_t::replace);
}

} // namespace quarn
