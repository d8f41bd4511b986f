#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quarn {

// Why the JSON layer refused a text: it is not JSON, or not the records.
enum class JsonProblem : std::uint8_t {
    Syntax,         // detail: the JSON library's own sentence
    RecursionLimit, // nesting deeper than k_max_json_depth
    MissingField,   // detail: field name
    DuplicateField, // detail: field name
    InvalidType,    // detail: what was found; expected: what fits
    InvalidValue,   // detail: what was found; expected: what fits
    UnknownVariant, // detail: the text; expected: the names allowed
    InvalidLength,  // detail: the length found; expected: what fits
    Refused,        // detail: a whole sentence from a value's own reader
    OutOfMemory,
};

struct JsonError {
    JsonProblem problem = JsonProblem::Syntax;
    std::string detail;
    std::string expected;
    std::size_t line = 1;
    std::size_t column = 0;

    bool operator==(const JsonError&) const = default;
};

// Deepest nesting of objects and arrays that a file may have.
inline constexpr std::size_t k_max_json_depth = 128;

// "missing field `format` at line 1 column 2" and the like.
std::string json_error_text(const JsonError& error);

// A problem of a well-formed map that breaks an invariant of the model.
enum class DamageKind : std::uint8_t {
    VlanOutOfRange,  // number: the ID
    VlanTwice,       // number: the ID
    PortCount,       // switch_name; number: ports; places
    EmptyGroup,      // switch_name
    LagTwice,        // switch_name, lag
    MissingMember,   // switch_name, lag, port
    MemberTwice,     // switch_name, port
    MemberWithUplink // switch_name, port
};

struct MapDamage {
    DamageKind kind = DamageKind::VlanOutOfRange;
    std::string switch_name;
    std::string lag;
    std::string port;
    std::uint64_t number = 0;
    std::uint64_t places = 0;

    bool operator==(const MapDamage&) const = default;
};

// "core has 26 ports for 24 places" and the like.
std::string damage_text(const MapDamage& damage);

// The three sentences the user sees when a file is refused.
std::string not_readable_text(const JsonError& error);
std::string newer_format_text(std::uint32_t format);
std::string damaged_text(const MapDamage& damage);

} // namespace quarn
