#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quarn {

// Where a change happened. A place is named as it is in the newer map, or as
// it was in the older one when it is gone from the newer.
enum class PlaceKind : std::uint8_t { Map, Vlan, Switch, Port, Lag };

struct ChangePlace {
    PlaceKind kind = PlaceKind::Map;
    std::uint16_t vlan = 0;  // Vlan
    std::string switch_name; // Switch, Port, Lag
    std::string name;        // Port: the label; Lag: the LAG's name

    bool operator==(const ChangePlace&) const = default;
};

// What changed at a place, in the order a change line lists them.
enum class ChangeField : std::uint8_t {
    Format,
    Site,
    Notes,
    Name, // a VLAN's, a switch's or a LAG's name
    Label,
    Color,
    Position,
    Location,
    Model,
    Layout,
    Untagged,
    Tagged,
    Description,
    Disabled,
    Link,
    Members,
    Peer,
};

// One field's old and new value in its text form (nothing: the field has no
// value, as an untagged VLAN or a link that is not set, or the place did not
// exist on that side). Texts the user typed are kept raw; the change line
// quotes them. Tagged VLANs also come as the IDs added and removed.
struct FieldChange {
    ChangeField field = ChangeField::Format;
    std::optional<std::string> old_value;
    std::optional<std::string> new_value;
    std::vector<std::uint16_t> added;
    std::vector<std::uint16_t> removed;

    bool operator==(const FieldChange&) const = default;
};

struct Change {
    enum class Kind : std::uint8_t { Added, Removed, Changed };

    Kind kind = Kind::Changed;
    ChangePlace place;
    // Changed: the fields that differ. Added and Removed: the place's values
    // that are set (the other side is nothing).
    std::vector<FieldChange> fields;

    bool operator==(const Change&) const = default;
};

} // namespace quarn
