#include "validate/map_index.hpp"

#include <algorithm>
#include <bit>

namespace quarn {
namespace {

// Beyond this many names, a switch's LAGs and members are looked up through
// a hash table; below it a comparison with each is cheaper than building one.
constexpr std::size_t k_few = 16;
// The same for ports: a switch of a few dozen ports is searched port by port
// (a few lookups per link), a chassis of hundreds through the table. On a
// map of a thousand ordinary switches, hashing every label would cost more
// than the rest of the check.
constexpr std::size_t k_few_ports = 128;

// Labels of one switch mostly share their start ("Gi1/0/"), so the last
// character rules most of them out before a full comparison.
bool same_label(std::string_view a, std::string_view b) {
    return a.size() == b.size() && (a.empty() || a.back() == b.back()) && a == b;
}

// The member ports of each LAG, in one pass over the ports.
std::vector<std::vector<std::size_t>> member_ports(const Switch& sw) {
    std::vector<std::vector<std::size_t>> ports(sw.lags.size());
    std::size_t members = 0;
    for (const Lag& lag : sw.lags) members += lag.members.size();
    if (members == 0) return ports;
    if (members <= k_few) {
        for (std::size_t p = 0; p < sw.ports.size(); ++p) {
            const std::string& label = sw.ports[p].label;
            for (std::size_t g = 0; g < sw.lags.size(); ++g) {
                const auto& names = sw.lags[g].members;
                if (std::any_of(names.begin(), names.end(),
                                [&](const std::string& name) { return same_label(name, label); }))
                    ports[g].push_back(p);
            }
        }
        return ports;
    }
    std::unordered_map<std::string_view, std::vector<std::size_t>> lags_of;
    for (std::size_t g = 0; g < sw.lags.size(); ++g)
        for (const std::string& member : sw.lags[g].members) {
            auto& lags = lags_of[member];
            if (lags.empty() || lags.back() != g) lags.push_back(g);
        }
    for (std::size_t p = 0; p < sw.ports.size(); ++p) {
        auto found = lags_of.find(sw.ports[p].label);
        if (found == lags_of.end()) continue;
        for (std::size_t g : found->second) ports[g].push_back(p);
    }
    return ports;
}

} // namespace

MapIndex::MapIndex(const Map& map) : map_(map) {
    switches_.reserve(map.switches.size());
    std::size_t port_count = 0;
    for (std::size_t s = 0; s < map.switches.size(); ++s) {
        switches_.emplace(map.switches[s].name, s);
        if (map.switches[s].ports.size() > k_few_ports) port_count += map.switches[s].ports.size();
    }
    // At most half full, so that probes stay short.
    ports_.resize(std::bit_ceil(2 * port_count + 1));
    port_mask_ = ports_.size() - 1;
    for (std::size_t s = 0; s < map.switches.size(); ++s) {
        const auto& ports = map.switches[s].ports;
        if (ports.size() <= k_few_ports) continue;
        for (std::size_t p = 0; p < ports.size(); ++p) {
            for (std::size_t i = port_hash(s, ports[p].label);; i = (i + 1) & port_mask_) {
                PortSlot& slot = ports_[i];
                if (slot.sw == std::numeric_limits<std::uint32_t>::max()) {
                    slot = PortSlot{static_cast<std::uint32_t>(s), static_cast<std::uint32_t>(p)};
                    break;
                }
                // A label met before keeps its first port.
                if (slot.sw == s && map.switches[s].ports[slot.port].label == ports[p].label) break;
            }
        }
    }
    lag_ports_.resize(map.switches.size());
    lag_ports_found_.assign(map.switches.size(), false);
    many_lags_.resize(map.switches.size());
    for (std::size_t s = 0; s < map.switches.size(); ++s) {
        const Switch& sw = map.switches[s];
        if (sw.lags.size() > k_few)
            for (std::size_t g = 0; g < sw.lags.size(); ++g) many_lags_[s].emplace(sw.lags[g].name, g);
    }
}

// FNV-1a over the label, mixed with the switch position: labels are short,
// and a general-purpose string hash costs more than the rest of the lookup.
std::size_t MapIndex::port_hash(std::size_t s, std::string_view label) const {
    std::uint64_t hash = 0xcbf29ce484222325ull ^ (s * 0x9e3779b97f4a7c15ull);
    for (char c : label) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
    return static_cast<std::size_t>(hash ^ (hash >> 29)) & port_mask_;
}

const std::vector<std::size_t>& MapIndex::lag_ports(std::size_t s, std::size_t g) const {
    if (!lag_ports_found_[s]) {
        lag_ports_[s] = member_ports(map_.switches[s]);
        lag_ports_found_[s] = true;
    }
    return lag_ports_[s][g];
}

std::size_t MapIndex::switch_at(std::string_view name) const {
    auto found = switches_.find(name);
    return found == switches_.end() ? k_none : found->second;
}

std::size_t MapIndex::port_at(std::size_t s, std::string_view label) const {
    const auto& ports = map_.switches[s].ports;
    if (ports.size() <= k_few_ports) {
        for (std::size_t p = 0; p < ports.size(); ++p)
            if (same_label(ports[p].label, label)) return p;
        return k_none;
    }
    for (std::size_t i = port_hash(s, label);; i = (i + 1) & port_mask_) {
        const PortSlot& slot = ports_[i];
        if (slot.sw == std::numeric_limits<std::uint32_t>::max()) return k_none;
        if (slot.sw == s && map_.switches[s].ports[slot.port].label == label) return slot.port;
    }
}

std::size_t MapIndex::lag_at(std::size_t s, std::string_view name) const {
    const auto& lags = map_.switches[s].lags;
    if (lags.size() > k_few) {
        auto found = many_lags_[s].find(name);
        return found == many_lags_[s].end() ? k_none : found->second;
    }
    for (std::size_t g = 0; g < lags.size(); ++g)
        if (lags[g].name == name) return g;
    return k_none;
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
