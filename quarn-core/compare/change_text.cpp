#include "compare/change_text.hpp"

#include "compare/value_text.hpp"
#include "model/json_text.hpp"

namespace quarn {
namespace {

bool is_typed_text(ChangeField field) {
    switch (field) {
    case ChangeField::Site:
    case ChangeField::Notes:
    case ChangeField::Location:
    case ChangeField::Model:
    case ChangeField::Description:
        return true;
    default:
        return false;
    }
}

void append_value(std::string& line, const Change& change, const FieldChange& field,
                  const std::optional<std::string>& value) {
    if (!value) {
        line += "none";
        return;
    }
    // A VLAN's name is typed text; a switch's or a LAG's name or a port's
    // label is written as its place is.
    if (is_typed_text(field.field) ||
        (field.field == ChangeField::Name && change.place.kind == PlaceKind::Vlan))
        json_text::append_string(line, *value);
    else
        line += name_text(*value);
}

} // namespace

const char* field_name(ChangeField field) {
    switch (field) {
    case ChangeField::Format:
        return "format";
    case ChangeField::Site:
        return "site";
    case ChangeField::Notes:
        return "notes";
    case ChangeField::Name:
        return "name";
    case ChangeField::Label:
        return "label";
    case ChangeField::Color:
        return "colour";
    case ChangeField::Position:
        return "position";
    case ChangeField::Location:
        return "location";
    case ChangeField::Model:
        return "model";
    case ChangeField::Layout:
        return "layout";
    case ChangeField::Untagged:
        return "untagged";
    case ChangeField::Tagged:
        return "tagged";
    case ChangeField::Description:
        return "description";
    case ChangeField::Disabled:
        return "disabled";
    case ChangeField::Link:
        return "link";
    case ChangeField::Members:
        return "members";
    case ChangeField::Peer:
        return "peer";
    }
    return "?";
}

std::string place_text(const ChangePlace& place) {
    switch (place.kind) {
    case PlaceKind::Map:
        return "map";
    case PlaceKind::Vlan:
        return "VLAN " + std::to_string(place.vlan);
    case PlaceKind::Switch:
        return "switch " + name_text(place.switch_name);
    case PlaceKind::Port:
        return name_text(place.switch_name) + " port " + name_text(place.name);
    case PlaceKind::Lag:
        return name_text(place.switch_name) + " LAG " + name_text(place.name);
    }
    return "?";
}

std::string change_line(const Change& change) {
    std::string line = place_text(change.place);
    if (change.kind == Change::Kind::Added) line += " added";
    if (change.kind == Change::Kind::Removed) line += " removed";
    bool first = true;
    for (const FieldChange& field : change.fields) {
        line += first ? ": " : ", ";
        first = false;
        line += field_name(field.field);
        line += ' ';
        if (change.kind == Change::Kind::Added) {
            append_value(line, change, field, field.new_value);
        } else if (change.kind == Change::Kind::Removed) {
            append_value(line, change, field, field.old_value);
        } else if (!field.added.empty() || !field.removed.empty()) {
            if (!field.added.empty()) line += "+" + vlan_list_text(field.added);
            if (!field.added.empty() && !field.removed.empty()) line += ' ';
            if (!field.removed.empty()) line += "\u2212" + vlan_list_text(field.removed);
        } else {
            append_value(line, change, field, field.old_value);
            line += " \u2192 ";
            append_value(line, change, field, field.new_value);
        }
    }
    return line;
}

std::string changes_text(const std::vector<Change>& changes) {
    std::string text;
    for (const Change& change : changes) {
        text += change_line(change);
        text += '\n';
    }
    return text;
}

} // namespace quarn
