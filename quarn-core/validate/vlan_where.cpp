#include "validate/vlan_where.hpp"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include <nlohmann/json.hpp>

#include "common/fill.hpp"
#include "validate/problem.hpp"

namespace quarn {
namespace {

using Json = nlohmann::ordered_json;

// One port that carries the VLAN, as the list shows it.
struct PortUse {
    std::size_t port = 0;
    bool untagged = false;
    bool tagged = false;
    const Lag* lag = nullptr;
};

struct SwitchUse {
    std::size_t sw = 0;
    std::vector<PortUse> ports;
};

std::vector<SwitchUse> uses_of(const Map& map, std::uint16_t vlan) {
    std::vector<SwitchUse> uses;
    for (std::size_t s = 0; s < map.switches.size(); ++s) {
        const Switch& sw = map.switches[s];
        SwitchUse use{s, {}};
        for (std::size_t p = 0; p < sw.ports.size(); ++p) {
            const Port& port = sw.ports[p];
            bool tagged = std::find(port.tagged.begin(), port.tagged.end(), vlan) != port.tagged.end();
            if (port.untagged == vlan || tagged)
                use.ports.push_back(PortUse{p, port.untagged == vlan, tagged});
        }
        if (use.ports.empty()) continue;
        if (!sw.lags.empty()) {
            // The first LAG that names the port, by label as every lookup.
            std::unordered_map<std::string_view, const Lag*> lag_of;
            for (const Lag& lag : sw.lags)
                for (const std::string& member : lag.members) lag_of.emplace(member, &lag);
            for (PortUse& port : use.ports) {
                auto found = lag_of.find(sw.ports[port.port].label);
                if (found != lag_of.end()) port.lag = found->second;
            }
        }
        uses.push_back(std::move(use));
    }
    return uses;
}

std::string mode_text(const PortUse& use) {
    if (use.untagged && use.tagged) return "untagged and tagged";
    return use.untagged ? "untagged" : "tagged";
}

std::string port_text(const Switch& sw, const PortUse& use) {
    const Port& port = sw.ports[use.port];
    std::string text = fill("  port {}: {}", {port.label, mode_text(use)});
    if (port.disabled) text += ", disabled";
    if (port.link) text += fill(", link to {} port {}", {port.link->switch_name, port.link->port});
    if (use.lag) {
        text += fill(", LAG {}", {use.lag->name});
        if (use.lag->peer) text += fill(" to {} {}", {use.lag->peer->switch_name, use.lag->peer->lag});
    }
    return text;
}

std::vector<std::string> port_lines(const Map& map, const std::vector<SwitchUse>& uses) {
    std::vector<std::string> lines;
    for (const SwitchUse& use : uses) {
        const Switch& sw = map.switches[use.sw];
        lines.push_back(sw.name);
        for (const PortUse& port : use.ports) lines.push_back(port_text(sw, port));
    }
    return lines;
}

std::vector<std::string> reach_section(const Map& map, std::uint16_t vlan, const VlanReach& reach,
                                       bool carried) {
    std::string id = std::to_string(vlan);
    if (!carried) return {fill("VLAN {} is on no port.", {id})};
    std::vector<std::string> lines;
    if (!find_vlan(map, vlan)) lines.push_back(fill("VLAN {} is not in the VLAN list.", {id}));
    std::vector<std::string> reached = reach_lines(map, reach);
    lines.insert(lines.end(), reached.begin(), reached.end());
    return lines;
}

std::vector<std::string> where_lines(const Map& map, std::uint16_t vlan, WhereOrder order,
                                     const std::vector<SwitchUse>& uses, const VlanReach& reach) {
    std::vector<std::string> ports = port_lines(map, uses);
    std::vector<std::string> verdict = reach_section(map, vlan, reach, !uses.empty());
    std::vector<std::string>& first = order == WhereOrder::PortsFirst ? ports : verdict;
    std::vector<std::string>& second = order == WhereOrder::PortsFirst ? verdict : ports;
    std::vector<std::string> lines = std::move(first);
    if (!lines.empty() && !second.empty()) lines.emplace_back();
    lines.insert(lines.end(), second.begin(), second.end());
    return lines;
}

std::size_t user_count(const VlanReach& reach) {
    std::size_t count = 0;
    for (const ReachGroup& group : reach.groups) count += group.switches.size();
    return count;
}

} // namespace

bool vlan_carried(const Map& map, std::uint16_t vlan) {
    for (const Switch& sw : map.switches)
        for (const Port& port : sw.ports)
            if (port.untagged == vlan ||
                std::find(port.tagged.begin(), port.tagged.end(), vlan) != port.tagged.end())
                return true;
    return false;
}

std::vector<std::string> reach_lines(const Map& map, const VlanReach& reach) {
    std::string id = std::to_string(reach.vlan);
    if (reach.groups.empty())
        return {fill("VLAN {} is used on no switch: every port that carries it has a link or is disabled.",
                     {id})};
    const std::size_t users = user_count(reach);
    if (users == 1)
        return {fill("VLAN {} is used on {} only.", {id, map.switches[reach.groups[0].switches[0]].name})};
    if (reach.groups.size() == 1 && users == 2)
        return {fill("VLAN {} reaches both switches that use it: {}.",
                     {id, switch_list(map, reach.groups[0].switches)})};
    if (reach.groups.size() == 1)
        return {fill("VLAN {} reaches all {} switches that use it: {}.",
                     {id, std::to_string(users), switch_list(map, reach.groups[0].switches)})};
    std::vector<std::string> lines = {
        fill("VLAN {} is used on {} switches in {} groups that no chain of links joins.",
             {id, std::to_string(users), std::to_string(reach.groups.size())})};
    for (std::size_t g = 0; g < reach.groups.size(); ++g) {
        const ReachGroup& group = reach.groups[g];
        if (group.cut_off_from) {
            Problem problem{Problem::Kind::VlanCutOff, switch_list(map, group.switches),
                            switch_list(map, reach.groups[*group.cut_off_from].switches), reach.vlan};
            lines.push_back(problem_message(problem));
            continue;
        }
        bool alone = std::none_of(reach.groups.begin(), reach.groups.end(), [&](const ReachGroup& other) {
            return &other != &group && other.part == group.part;
        });
        if (alone)
            lines.push_back(
                fill("VLAN {}: no link at all joins {} to the other switches that use it, so this "
                     "is not judged",
                     {id, switch_list(map, group.switches)}));
    }
    return lines;
}

std::vector<std::string> vlan_where_lines(const Map& map, std::uint16_t vlan, WhereOrder order) {
    return where_lines(map, vlan, order, uses_of(map, vlan), vlan_reach(map, vlan));
}

std::string vlan_where_text(const Map& map, std::uint16_t vlan, WhereOrder order) {
    std::string text;
    for (const std::string& line : vlan_where_lines(map, vlan, order)) {
        text += line;
        text += '\n';
    }
    return text;
}

std::string vlan_where_json(const Map& map, std::uint16_t vlan) {
    const std::vector<SwitchUse> uses = uses_of(map, vlan);
    const VlanReach reach = vlan_reach(map, vlan);
    Json json = Json::object();
    json["vlan"] = vlan;
    auto listed = find_vlan(map, vlan);
    json["name"] = listed ? Json(map.vlans[*listed].name) : Json(nullptr);
    Json switches = Json::array();
    for (const SwitchUse& use : uses) {
        const Switch& sw = map.switches[use.sw];
        Json ports = Json::array();
        for (const PortUse& port_use : use.ports) {
            const Port& port = sw.ports[port_use.port];
            Json entry = Json::object();
            entry["port"] = port.label;
            entry["untagged"] = port_use.untagged;
            entry["tagged"] = port_use.tagged;
            entry["disabled"] = port.disabled;
            entry["link"] = port.link ? Json{{"switch", port.link->switch_name}, {"port", port.link->port}}
                                      : Json(nullptr);
            if (port_use.lag) {
                const Lag& lag = *port_use.lag;
                entry["lag"] =
                    Json{{"lag", lag.name},
                         {"peer", lag.peer ? Json{{"switch", lag.peer->switch_name}, {"lag", lag.peer->lag}}
                                           : Json(nullptr)}};
            } else {
                entry["lag"] = nullptr;
            }
            ports.push_back(std::move(entry));
        }
        switches.push_back(Json{{"switch", sw.name}, {"ports", std::move(ports)}});
    }
    json["switches"] = std::move(switches);
    Json groups = Json::array();
    for (const ReachGroup& group : reach.groups) {
        Json names = Json::array();
        for (std::size_t s : group.switches) names.push_back(map.switches[s].name);
        groups.push_back(
            Json{{"switches", std::move(names)},
                 {"part", map.switches[group.part].name},
                 {"cut_off_from", group.cut_off_from ? Json(*group.cut_off_from) : Json(nullptr)}});
    }
    json["reach"] =
        Json{{"groups", std::move(groups)}, {"text", reach_section(map, vlan, reach, !uses.empty())}};
    // Replacing broken UTF-8 keeps dump from throwing.
    return json.dump(2, ' ', false, Json::error_handler_t::replace);
}

} // namespace quarn
