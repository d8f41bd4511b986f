#include <bitset>
#include <unordered_map>
#include <unordered_set>

#include "model/map_file.hpp"

namespace quarn {
namespace {

std::optional<MapDamage> vlan_damage(const Map& map) {
    std::bitset<65536> seen;
    for (const Vlan& vlan : map.vlans) {
        if (vlan.id == 0 || vlan.id > 4094)
            return MapDamage{.kind = DamageKind::VlanOutOfRange, .number = vlan.id};
        if (seen[vlan.id]) return MapDamage{.kind = DamageKind::VlanTwice, .number = vlan.id};
        seen[vlan.id] = true;
    }
    return std::nullopt;
}

std::optional<MapDamage> lag_damage(const Switch& sw) {
    if (sw.lags.empty()) return std::nullopt;
    // Hash lookups keep a switch with many ports and long LAGs linear.
    std::unordered_map<std::string_view, std::size_t> first_port;
    first_port.reserve(sw.ports.size());
    for (std::size_t i = 0; i < sw.ports.size(); ++i) first_port.emplace(sw.ports[i].label, i);

    std::unordered_set<std::string_view> lag_names;
    std::unordered_set<std::string_view> members_met;
    for (const Lag& lag : sw.lags) {
        if (!lag_names.insert(lag.name).second)
            return MapDamage{.kind = DamageKind::LagTwice, .switch_name = sw.name, .lag = lag.name};
        for (const std::string& member : lag.members) {
            auto port = first_port.find(member);
            if (port == first_port.end())
                return MapDamage{.kind = DamageKind::MissingMember,
                                 .switch_name = sw.name,
                                 .lag = lag.name,
                                 .port = member};
            if (members_met.contains(member))
                return MapDamage{.kind = DamageKind::MemberTwice, .switch_name = sw.name, .port = member};
            // A label names the first port that has it, as every lookup does.
            if (sw.ports[port->second].link)
                return MapDamage{
                    .kind = DamageKind::MemberWithUplink, .switch_name = sw.name, .port = member};
            members_met.insert(member);
        }
    }
    return std::nullopt;
}

std::optional<MapDamage> switch_damage(const Switch& sw) {
    std::uint64_t places = place_count(sw);
    if (sw.ports.size() != places)
        return MapDamage{.kind = DamageKind::PortCount,
                         .switch_name = sw.name,
                         .number = sw.ports.size(),
                         .places = places};
    for (const PortGroup& group : sw.groups)
        if (group.columns == 0 || group.rows == 0)
            return MapDamage{.kind = DamageKind::EmptyGroup, .switch_name = sw.name};
    return lag_damage(sw);
}

} // namespace

std::optional<MapDamage> find_damage(const Map& map) {
    if (auto damage = vlan_damage(map)) return damage;
    for (const Switch& sw : map.switches)
        if (auto damage = switch_damage(sw)) return damage;
    return std::nullopt;
}

} // namespace quarn
