#include "draw/connections.hpp"

#include <algorithm>
#include <numeric>
#include <string_view>
#include <unordered_map>

namespace quarn {
namespace {

constexpr float k_lane_spacing = 12.0f;

} // namespace

std::vector<std::optional<std::size_t>> port_lags(const Switch& sw) {
    std::vector<std::optional<std::size_t>> lags(sw.ports.size());
    std::size_t members = 0;
    for (const Lag& lag : sw.lags) members += lag.members.size();
    if (members == 0) return lags;
    // Member label to the first LAG that names it, as the toggles look it up.
    std::unordered_map<std::string_view, std::size_t> lag_of_label;
    lag_of_label.reserve(members);
    for (std::size_t l = 0; l < sw.lags.size(); ++l)
        for (const std::string& member : sw.lags[l].members) lag_of_label.try_emplace(member, l);
    for (std::size_t p = 0; p < sw.ports.size(); ++p) {
        auto it = lag_of_label.find(sw.ports[p].label);
        if (it != lag_of_label.end()) lags[p] = it->second;
    }
    return lags;
}

std::vector<Connection> switch_connections(const Switch& sw,
                                           std::span<const std::optional<std::size_t>> lags_of_ports) {
    std::vector<Connection> connections;
    // Members are gathered from the port side so that each port shows up in
    // one LAG only, as the membership above decided.
    std::vector<std::vector<std::size_t>> members(sw.lags.size());
    for (std::size_t p = 0; p < lags_of_ports.size(); ++p) {
        if (lags_of_ports[p]) members[*lags_of_ports[p]].push_back(p);
    }
    for (std::size_t l = 0; l < sw.lags.size(); ++l) {
        if (members[l].empty()) continue;
        const Lag& lag = sw.lags[l];
        std::string name = lag.name;
        if (lag.peer) name += " \u2192 " + lag.peer->switch_name + " " + lag.peer->lag;
        connections.push_back({l, std::move(name), std::move(members[l])});
    }
    std::size_t number = sw.lags.size();
    for (std::size_t p = 0; p < sw.ports.size(); ++p) {
        const Port& port = sw.ports[p];
        if (!port.link) continue;
        // The lane drops from the port itself, so its label names only the
        // far end.
        connections.push_back({number++, "\u2192 " + port.link->switch_name + " " + port.link->port, {p}});
    }
    return connections;
}

LanePlan assign_lanes(std::span<const LaneRequest> requests) {
    LanePlan plan;
    plan.order.resize(requests.size());
    std::iota(plan.order.begin(), plan.order.end(), std::size_t{0});
    auto start = [&](std::size_t i) { return std::min(requests[i].left, requests[i].label_x); };
    std::stable_sort(plan.order.begin(), plan.order.end(),
                     [&](std::size_t a, std::size_t b) { return start(a) < start(b); });

    plan.lanes.resize(requests.size());
    std::vector<float> occupied;
    for (std::size_t i : plan.order) {
        const float from = start(i);
        std::size_t lane = 0;
        while (lane < occupied.size() && occupied[lane] + k_lane_spacing > from) ++lane;
        if (lane == occupied.size()) occupied.push_back(0.0f);
        occupied[lane] = std::max(requests[i].right, requests[i].label_x + requests[i].label_width);
        plan.lanes[i] = lane;
    }
    plan.lane_count = occupied.size();
    return plan;
}

} // namespace quarn
