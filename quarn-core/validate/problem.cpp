#include "validate/problem.hpp"

#include "common/fill.hpp"

namespace quarn {
namespace {

std::string untagged_text(const std::optional<std::uint16_t>& vlan) {
    return vlan ? std::to_string(*vlan) : std::string("none");
}

} // namespace

std::string problem_message(const Problem& problem) {
    std::string vlan = std::to_string(problem.vlan);
    switch (problem.kind) {
    case Problem::Kind::VlanNotInList:
        return fill("{} port {}: VLAN {} is not in the VLAN list", {problem.first, problem.second, vlan});
    case Problem::Kind::TaggedAndUntagged:
        return fill("{} port {}: VLAN {} is both tagged and untagged", {problem.first, problem.second, vlan});
    case Problem::Kind::VlanOnOneSwitch:
        return fill("VLAN {} is only on {}", {vlan, problem.first});
    case Problem::Kind::LinkTargetMissing:
        return fill("{} links to {}, which does not exist", {problem.first, problem.second});
    case Problem::Kind::LinkNotAnswered:
        return fill("{} links to {}, which links elsewhere", {problem.first, problem.second});
    case Problem::Kind::LagMembersDiffer:
        return fill("{}: member ports have different VLANs", {problem.first});
    case Problem::Kind::LagSizeMismatch:
        return fill("{} / {}: {} ports against {}",
                    {problem.first, problem.second, std::to_string(problem.first_count),
                     std::to_string(problem.second_count)});
    case Problem::Kind::UntaggedDiffers:
        return fill("{} / {}: untagged VLAN differs ({} against {})",
                    {problem.first, problem.second, untagged_text(problem.first_untagged),
                     untagged_text(problem.second_untagged)});
    case Problem::Kind::TaggedOneSide:
        return fill("{} / {}: VLAN {} is tagged on one side only", {problem.first, problem.second, vlan});
    case Problem::Kind::VlanCutOff:
        return fill("VLAN {}: {} cannot reach {}: no chain of links carries it",
                    {vlan, problem.first, problem.second});
    }
    return {};
}

} // namespace quarn
