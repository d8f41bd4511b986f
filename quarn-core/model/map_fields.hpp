#pragma once

// The file format, record by record: each field's key, what its value is and
// where it lives in the model. The reader (map_load.cpp) and the writer
// (map_save.cpp) both walk these tables, so a key is spelled once and both
// sides follow the order of the fields. Private to the model.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "model/map.hpp"

namespace quarn::map_fields {

// What a JSON value is. Records may come as objects or as arrays of their
// field values in field order.
enum class Kind : std::uint8_t {
    Skip,
    U16,
    U32,
    F32,
    Text,
    Bool,
    Color,
    PortKindName,
    NumberingName,
    MapRecord,
    HeaderRecord,
    VlanRecord,
    SwitchRecord,
    GroupRecord,
    PortRecord,
    PortPeerRecord,
    LagRecord,
    LagPeerRecord,
    VlanList,
    SwitchList,
    GroupList,
    PortList,
    LagList,
    U16List,
    TextList,
};

constexpr bool is_record(Kind kind) {
    return kind >= Kind::MapRecord && kind <= Kind::LagPeerRecord;
}
constexpr bool is_list(Kind kind) {
    return kind >= Kind::VlanList;
}

template <class T>
constexpr bool k_is_optional = false;
template <class T>
constexpr bool k_is_optional<std::optional<T>> = true;
template <class T>
constexpr bool k_is_list = false;
template <class T>
constexpr bool k_is_list<std::vector<T>> = true;

// The kind of a value of type T, from its type alone; an optional member is
// nullable (null means none).
template <class T>
constexpr Kind kind_of() {
    if constexpr (k_is_optional<T>)
        return kind_of<typename T::value_type>();
    else if constexpr (std::is_same_v<T, std::uint16_t>)
        return Kind::U16;
    else if constexpr (std::is_same_v<T, std::uint32_t>)
        return Kind::U32;
    else if constexpr (std::is_same_v<T, float>)
        return Kind::F32;
    else if constexpr (std::is_same_v<T, std::string>)
        return Kind::Text;
    else if constexpr (std::is_same_v<T, bool>)
        return Kind::Bool;
    else if constexpr (std::is_same_v<T, Rgb>)
        return Kind::Color;
    else if constexpr (std::is_same_v<T, PortKind>)
        return Kind::PortKindName;
    else if constexpr (std::is_same_v<T, Numbering>)
        return Kind::NumberingName;
    else if constexpr (std::is_same_v<T, Map>)
        return Kind::MapRecord;
    else if constexpr (std::is_same_v<T, Header>)
        return Kind::HeaderRecord;
    else if constexpr (std::is_same_v<T, Vlan>)
        return Kind::VlanRecord;
    else if constexpr (std::is_same_v<T, Switch>)
        return Kind::SwitchRecord;
    else if constexpr (std::is_same_v<T, PortGroup>)
        return Kind::GroupRecord;
    else if constexpr (std::is_same_v<T, Port>)
        return Kind::PortRecord;
    else if constexpr (std::is_same_v<T, PortPeer>)
        return Kind::PortPeerRecord;
    else if constexpr (std::is_same_v<T, Lag>)
        return Kind::LagRecord;
    else if constexpr (std::is_same_v<T, LagPeer>)
        return Kind::LagPeerRecord;
    else if constexpr (std::is_same_v<T, std::vector<Vlan>>)
        return Kind::VlanList;
    else if constexpr (std::is_same_v<T, std::vector<Switch>>)
        return Kind::SwitchList;
    else if constexpr (std::is_same_v<T, std::vector<PortGroup>>)
        return Kind::GroupList;
    else if constexpr (std::is_same_v<T, std::vector<Port>>)
        return Kind::PortList;
    else if constexpr (std::is_same_v<T, std::vector<Lag>>)
        return Kind::LagList;
    else if constexpr (std::is_same_v<T, std::vector<std::uint16_t>>)
        return Kind::U16List;
    else if constexpr (std::is_same_v<T, std::vector<std::string>>)
        return Kind::TextList;
    else
        static_assert(k_is_optional<T>, "a member type the file format has no kind for");
}

// Calls visit(std::type_identity<T>{}) with the type a record or a list of
// kind `kind` is held in; nothing for the other kinds. The way back from a
// kind to its type, for the code that must reach inside lists and optional
// records.
template <class Visit>
constexpr void visit_type(Kind kind, Visit&& visit) {
    switch (kind) {
    case Kind::MapRecord:
        return visit(std::type_identity<Map>{});
    case Kind::HeaderRecord:
        return visit(std::type_identity<Header>{});
    case Kind::VlanRecord:
        return visit(std::type_identity<Vlan>{});
    case Kind::SwitchRecord:
        return visit(std::type_identity<Switch>{});
    case Kind::GroupRecord:
        return visit(std::type_identity<PortGroup>{});
    case Kind::PortRecord:
        return visit(std::type_identity<Port>{});
    case Kind::PortPeerRecord:
        return visit(std::type_identity<PortPeer>{});
    case Kind::LagRecord:
        return visit(std::type_identity<Lag>{});
    case Kind::LagPeerRecord:
        return visit(std::type_identity<LagPeer>{});
    case Kind::VlanList:
        return visit(std::type_identity<std::vector<Vlan>>{});
    case Kind::SwitchList:
        return visit(std::type_identity<std::vector<Switch>>{});
    case Kind::GroupList:
        return visit(std::type_identity<std::vector<PortGroup>>{});
    case Kind::PortList:
        return visit(std::type_identity<std::vector<Port>>{});
    case Kind::LagList:
        return visit(std::type_identity<std::vector<Lag>>{});
    case Kind::U16List:
        return visit(std::type_identity<std::vector<std::uint16_t>>{});
    case Kind::TextList:
        return visit(std::type_identity<std::vector<std::string>>{});
    default:
        return;
    }
}

// Both ways agree for every record and list kind.
constexpr bool visit_type_matches_kind_of() {
    for (auto k = static_cast<int>(Kind::MapRecord); k <= static_cast<int>(Kind::TextList); ++k) {
        bool matches = false;
        visit_type(static_cast<Kind>(k), [&](auto type) {
            matches = kind_of<typename decltype(type)::type>() == static_cast<Kind>(k);
        });
        if (!matches) return false;
    }
    return true;
}
static_assert(visit_type_matches_kind_of());

// The names the values of an enum are written as, in the order of the values.
template <class Enum>
constexpr std::span<const std::string_view> names_of() {
    if constexpr (std::is_same_v<Enum, PortKind>)
        return k_port_kind_names;
    else if constexpr (std::is_same_v<Enum, Numbering>)
        return k_numbering_names;
    else
        static_assert(std::is_same_v<Enum, PortKind>, "an enum the file format has no names for");
}

// Whether a file must give a field; an optional one keeps its default.
enum class Presence : std::uint8_t { Required, Optional };

// One field of a record: its key, what it is and where it lives (`target`
// for the reader, `source` for the writer).
struct Field {
    std::string_view name;
    Kind kind = Kind::Skip;
    Presence presence = Presence::Required;
    bool nullable = false;
    void* (*target)(void* record) = nullptr;
    const void* (*source)(const void* record) = nullptr;
};

// A field of record type R. Tables are made of these, so a member of
// another record, or a key without its member, does not compile.
template <class R>
struct FieldOf {
    Field field;
};

template <class Member>
struct MemberOf;
template <class R, class T>
struct MemberOf<T R::*> {
    using Record = R;
    using Type = T;
};

template <auto Member>
constexpr FieldOf<typename MemberOf<decltype(Member)>::Record> field(std::string_view name,
                                                                     Presence presence = Presence::Required) {
    using Record = typename MemberOf<decltype(Member)>::Record;
    using Type = typename MemberOf<decltype(Member)>::Type;
    return {
        {name, kind_of<Type>(), presence, k_is_optional<Type>,
         [](void* record) -> void* { return &(static_cast<Record*>(record)->*Member); },
         [](const void* record) -> const void* { return &(static_cast<const Record*>(record)->*Member); }}};
}

template <class R, std::size_t N>
constexpr std::array<Field, N> fields_of(const FieldOf<R> (&fields)[N]) {
    std::array<Field, N> all{};
    for (std::size_t i = 0; i < N; ++i) all[i] = fields[i].field;
    return all;
}

inline constexpr auto k_map_fields =
    fields_of<Map>({field<&Map::format>("format"), field<&Map::site>("site"), field<&Map::notes>("notes"),
                    field<&Map::vlans>("vlans"), field<&Map::switches>("switches")});
inline constexpr auto k_header_fields = fields_of<Header>({field<&Header::format>("format")});
inline constexpr auto k_vlan_fields =
    fields_of<Vlan>({field<&Vlan::id>("id"), field<&Vlan::name>("name"), field<&Vlan::color>("color")});
inline constexpr auto k_switch_fields =
    fields_of<Switch>({field<&Switch::name>("name"), field<&Switch::location>("location"),
                       field<&Switch::model>("model"), field<&Switch::groups>("groups"),
                       field<&Switch::ports>("ports"), field<&Switch::lags>("lags", Presence::Optional)});
inline constexpr auto k_group_fields =
    fields_of<PortGroup>({field<&PortGroup::kind>("kind"), field<&PortGroup::columns>("columns"),
                          field<&PortGroup::rows>("rows"), field<&PortGroup::numbering>("numbering"),
                          field<&PortGroup::block>("block"), field<&PortGroup::gap_after>("gap_after")});
inline constexpr auto k_port_fields =
    fields_of<Port>({field<&Port::label>("label"), field<&Port::untagged>("untagged", Presence::Optional),
                     field<&Port::tagged>("tagged"), field<&Port::description>("description"),
                     field<&Port::disabled>("disabled"), field<&Port::link>("link", Presence::Optional)});
inline constexpr auto k_port_peer_fields =
    fields_of<PortPeer>({field<&PortPeer::switch_name>("switch"), field<&PortPeer::port>("port")});
inline constexpr auto k_lag_fields =
    fields_of<Lag>({field<&Lag::name>("name"), field<&Lag::members>("members"),
                    field<&Lag::peer>("peer", Presence::Optional)});
inline constexpr auto k_lag_peer_fields =
    fields_of<LagPeer>({field<&LagPeer::switch_name>("switch"), field<&LagPeer::lag>("lag")});

struct Record {
    std::string_view name; // the type's name, for messages
    std::span<const Field> fields;
};

constexpr Record record_of(Kind kind) {
    switch (kind) {
    case Kind::MapRecord:
        return {"Map", k_map_fields};
    case Kind::HeaderRecord:
        return {"Header", k_header_fields};
    case Kind::VlanRecord:
        return {"Vlan", k_vlan_fields};
    case Kind::SwitchRecord:
        return {"Switch", k_switch_fields};
    case Kind::GroupRecord:
        return {"PortGroup", k_group_fields};
    case Kind::PortRecord:
        return {"Port", k_port_fields};
    case Kind::PortPeerRecord:
        return {"PortPeer", k_port_peer_fields};
    case Kind::LagRecord:
        return {"Lag", k_lag_fields};
    case Kind::LagPeerRecord:
        return {"LagPeer", k_lag_peer_fields};
    default:
        return {};
    }
}

} // namespace quarn::map_fields
