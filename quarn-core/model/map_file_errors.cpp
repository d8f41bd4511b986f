#include "model/map_file_errors.hpp"

#include "common/message_text.hpp"

namespace quarn {
namespace {

std::string problem_text(const JsonError& error) {
    switch (error.problem) {
    case JsonProblem::Syntax:
        return error.detail;
    case JsonProblem::RecursionLimit:
        return "recursion limit exceeded";
    case JsonProblem::MissingField:
        return "missing field `" + error.detail + "`";
    case JsonProblem::DuplicateField:
        return "duplicate field `" + error.detail + "`";
    case JsonProblem::InvalidType:
        return "invalid type: " + error.detail + ", expected " + error.expected;
    case JsonProblem::InvalidValue:
        return "invalid value: " + error.detail + ", expected " + error.expected;
    case JsonProblem::UnknownVariant:
        return "unknown variant `" + error.detail + "`, expected " + error.expected;
    case JsonProblem::InvalidLength:
        return "invalid length " + error.detail + ", expected " + error.expected;
    case JsonProblem::Refused:
        return error.detail;
    case JsonProblem::OutOfMemory:
        return "out of memory";
    }
    return error.detail;
}

} // namespace

std::string json_error_text(const JsonError& error) {
    return problem_text(error) + " at line " + std::to_string(error.line) + " column " +
           std::to_string(error.column);
}

std::string damage_text(const MapDamage& damage) {
    // Names come from the file: quoted cut short and as valid UTF-8.
    const std::string name = quoted_input(damage.switch_name);
    const std::string lag = quoted_input(damage.lag);
    const std::string port = quoted_input(damage.port);
    switch (damage.kind) {
    case DamageKind::VlanOutOfRange:
        return "VLAN ID " + std::to_string(damage.number) + " is out of range";
    case DamageKind::VlanTwice:
        return "VLAN " + std::to_string(damage.number) + " appears twice";
    case DamageKind::PortCount:
        return name + " has " + std::to_string(damage.number) + " ports for " +
               std::to_string(damage.places) + " places";
    case DamageKind::EmptyGroup:
        return name + " has an empty port group";
    case DamageKind::LagTwice:
        return name + " has LAG " + lag + " twice";
    case DamageKind::MissingMember:
        return name + " LAG " + lag + " names port " + port + ", which does not exist";
    case DamageKind::MemberTwice:
        return name + " port " + port + " is in two LAGs";
    case DamageKind::MemberWithUplink:
        return name + " port " + port + " is in a LAG and has an uplink";
    }
    return {};
}

std::string not_readable_text(const JsonError& error) {
    return "This is not a readable Quarn file: " + json_error_text(error);
}

std::string newer_format_text(std::uint32_t format) {
    return "This map uses file format " + std::to_string(format) + ". Update Quarn to open it.";
}

std::string damaged_text(const MapDamage& damage) {
    return "This map is damaged: " + damage_text(damage);
}

} // namespace quarn
