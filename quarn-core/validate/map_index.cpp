#include "validate/map_index.hpp"

namespace quarn {
namespace {

using NameIndex = std::unordered_map<std::string_view, std::size_t>;

// Keeps the first position of every name, as the lookups of the model do.
template <class Range, class Name>
NameIndex index_names(const Range& records, Name name) {
    NameIndex index;
    index.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) index.emplace(name(records[i]), i);
    return index;
}

std::size_t lookup(const NameIndex& index, std::string_view name) {
    auto found = index.find(name);
    return found == index.end() ? MapIndex::k_none : found->second;
}

// One pass over the ports rather than one search per member.
std::vector<std::vector<std::size_t>> member_ports(const Switch& sw) {
    std::unordered_map<std::string_view, std::vector<std::size_t>> lags_of;
    for (std::size_t g = 0; g < sw.lags.size(); ++g)
        for (const std::string& member : sw.lags[g].members) {
            auto& lags = lags_of[member];
            if (lags.empty() || lags.back() != g) lags.push_back(g);
        }
    std::vector<std::vector<std::size_t>> ports(sw.lags.size());
    if (lags_of.empty()) return ports;
    for (std::size_t p = 0; p < sw.ports.size(); ++p) {
        auto found = lags_of.find(sw.ports[p].label);
        if (found == lags_of.end()) continue;
        for (std::size_t g : found->second) ports[g].push_back(p);
    }
    return ports;
}

} // namespace

MapIndex::MapIndex(const Map& map)
    : map_(map),
      switches_(index_names(map.switches, [](const Switch& sw) -> std::string_view { return sw.name; })) {
    ports_.reserve(map.switches.size());
    lags_.reserve(map.switches.size());
    lag_ports_.reserve(map.switches.size());
    for (const Switch& sw : map.switches) {
        ports_.push_back(index_names(sw.ports, [](const Port& p) -> std::string_view { return p.label; }));
        lags_.push_back(index_names(sw.lags, [](const Lag& l) -> std::string_view { return l.name; }));
        lag_ports_.push_back(member_ports(sw));
    }
}

std::size_t MapIndex::switch_at(std::string_view name) const {
    return lookup(switches_, name);
}

std::size_t MapIndex::port_at(std::size_t s, std::string_view label) const {
    return lookup(ports_[s], label);
}

std::size_t MapIndex::lag_at(std::size_t s, std::string_view name) const {
    return lookup(lags_[s], name);
}

std::optional<PortRef> MapIndex::link_target(std::size_t s, std::size_t p) const {
    const auto& link = map_.switches[s].ports[p].link;
    if (!link) return std::nullopt;
    std::size_t t = switch_at(link->switch_name);
    std::size_t f = t == k_none ? k_none : port_at(t, link->port);
    if (f == k_none) return std::nullopt;
    return PortRef{t, f};
}

bool MapIndex::link_answered(std::size_t s, std::size_t p, PortRef far) const {
    const auto& back = map_.switches[far.switch_index].ports[far.port_index].link;
    return back && switch_at(back->switch_name) == s && port_at(s, back->port) == p;
}

std::optional<std::pair<std::size_t, std::size_t>> MapIndex::peer_target(std::size_t s, std::size_t g) const {
    const auto& peer = map_.switches[s].lags[g].peer;
    if (!peer) return std::nullopt;
    std::size_t t = switch_at(peer->switch_name);
    std::size_t h = t == k_none ? k_none : lag_at(t, peer->lag);
    if (h == k_none) return std::nullopt;
    return std::make_pair(t, h);
}

bool MapIndex::peer_answered(std::size_t s, std::size_t g, std::size_t t, std::size_t h) const {
    const auto& back = map_.switches[t].lags[h].peer;
    return back && switch_at(back->switch_name) == s && lag_at(s, back->lag) == g;
}

} // namespace quarn
