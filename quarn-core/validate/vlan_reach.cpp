#include "validate/vlan_reach.hpp"

#include <algorithm>
#include <numeric>

#include "common/fill.hpp"

namespace quarn {
namespace {

constexpr std::size_t k_none = MapIndex::k_none;
constexpr std::size_t k_listed_names = 5;

enum class GroupPorts : std::uint8_t { All, CutOffOnly };

bool carries(const Port& port, std::uint16_t vlan) {
    return port.untagged == vlan ||
           std::find(port.tagged.begin(), port.tagged.end(), vlan) != port.tagged.end();
}

// Union-find over switch positions. `reset` puts back the nodes one VLAN
// touched, so that a map with many VLANs costs what its links cost, not
// switches times VLANs.
class Joins {
  public:
    explicit Joins(std::size_t count) : parent_(count) { std::iota(parent_.begin(), parent_.end(), 0); }

    std::size_t root(std::size_t node) {
        while (parent_[node] != node) {
            parent_[node] = parent_[parent_[node]];
            node = parent_[node];
        }
        return node;
    }

    void join(std::size_t a, std::size_t b) {
        a = root(a);
        b = root(b);
        if (a == b) return;
        if (b < a) std::swap(a, b);
        parent_[b] = a; // the smaller position stays the root
        touched_.push_back(a);
        touched_.push_back(b);
    }

    void reset() {
        for (std::size_t node : touched_) parent_[node] = node;
        touched_.clear();
    }

  private:
    std::vector<std::size_t> parent_;
    std::vector<std::size_t> touched_;
};

// The links of one map, prepared once for the reach of several VLANs: the
// linked parts, and per VLAN of interest the links that carry it and the
// switches that use it.
class ReachIndex {
  public:
    ReachIndex(const MapIndex& index, std::span<const std::uint16_t> vlans)
        : index_(index), map_(index.map()), joins_(map_.switches.size()),
          group_of_root_(map_.switches.size(), k_none), best_of_part_(map_.switches.size(), k_none) {
        for (std::uint16_t vlan : vlans)
            if (slot_[vlan] == k_none) slot_[vlan] = slots_++;
        edges_.resize(slots_);
        users_.resize(slots_);
        mark_linked_ports();
        join_links();
        find_users();
    }

    std::size_t slot(std::uint16_t vlan) const { return slot_[vlan]; }

    VlanReach reach(std::uint16_t vlan, GroupPorts which) {
        VlanReach result{vlan, {}};
        std::size_t s = slot_[vlan];
        if (s == k_none || users_[s].empty()) return result;
        for (const auto& [a, b] : edges_[s]) joins_.join(a, b);
        std::vector<std::size_t> roots;
        for (std::size_t sw : users_[s]) {
            std::size_t root = joins_.root(sw);
            std::size_t& group = group_of_root_[root];
            if (group == k_none) {
                group = result.groups.size();
                roots.push_back(root);
                result.groups.push_back(ReachGroup{{}, {}, part_[sw], std::nullopt});
            }
            result.groups[group].switches.push_back(sw);
        }
        for (std::size_t root : roots) group_of_root_[root] = k_none;
        joins_.reset();

        for (std::size_t g = 0; g < result.groups.size(); ++g) {
            std::size_t& best = best_of_part_[result.groups[g].part];
            if (best == k_none || result.groups[g].switches.size() > result.groups[best].switches.size())
                best = g;
        }
        for (ReachGroup& group : result.groups) {
            std::size_t best = best_of_part_[group.part];
            if (&result.groups[best] != &group) group.cut_off_from = best;
        }
        for (const ReachGroup& group : result.groups) best_of_part_[group.part] = k_none;

        for (ReachGroup& group : result.groups) {
            if (which == GroupPorts::CutOffOnly && !group.cut_off_from) continue;
            for (std::size_t sw : group.switches) {
                const auto& ports = map_.switches[sw].ports;
                for (std::size_t p = 0; p < ports.size(); ++p)
                    if (uses(sw, p) && carries(ports[p], vlan)) group.ports.push_back(PortRef{sw, p});
            }
        }
        return result;
    }

  private:
    bool uses(std::size_t s, std::size_t p) const {
        return !map_.switches[s].ports[p].disabled && !linked_[first_port_[s] + p];
    }

    // A port with a link field (answered or not) or in a LAG with a peer
    // faces another switch, even when the map check finds its link broken.
    void mark_linked_ports() {
        first_port_.reserve(map_.switches.size());
        std::size_t count = 0;
        for (const Switch& sw : map_.switches) {
            first_port_.push_back(count);
            count += sw.ports.size();
        }
        linked_.assign(count, false);
        for (std::size_t s = 0; s < map_.switches.size(); ++s) {
            const Switch& sw = map_.switches[s];
            for (std::size_t p = 0; p < sw.ports.size(); ++p)
                if (sw.ports[p].link) linked_[first_port_[s] + p] = true;
            for (std::size_t g = 0; g < sw.lags.size(); ++g)
                if (sw.lags[g].peer)
                    for (std::size_t p : index_.lag_ports(s, g)) linked_[first_port_[s] + p] = true;
        }
    }

    // The VLANs of interest that one end of a link passes on, sorted.
    void end_vlans(const Port& port, std::vector<std::uint16_t>& out) const {
        if (port.disabled) return;
        if (port.untagged && slot_[*port.untagged] != k_none) out.push_back(*port.untagged);
        for (std::uint16_t vlan : port.tagged)
            if (slot_[vlan] != k_none) out.push_back(vlan);
    }

    void connect(std::size_t a, std::size_t b, std::vector<std::uint16_t>& near,
                 std::vector<std::uint16_t>& far) {
        physical_.join(a, b);
        for (auto* list : {&near, &far}) {
            std::sort(list->begin(), list->end());
            list->erase(std::unique(list->begin(), list->end()), list->end());
        }
        common_.clear();
        std::set_intersection(near.begin(), near.end(), far.begin(), far.end(), std::back_inserter(common_));
        for (std::uint16_t vlan : common_) edges_[slot_[vlan]].emplace_back(a, b);
    }

    void join_links() {
        std::vector<std::uint16_t> near;
        std::vector<std::uint16_t> far;
        for (std::size_t s = 0; s < map_.switches.size(); ++s) {
            const Switch& sw = map_.switches[s];
            for (std::size_t p = 0; p < sw.ports.size(); ++p) {
                auto target = index_.link_target(s, p);
                // Each link once, from the end that comes first in the map.
                if (!target || !(PortRef{s, p} < *target) || !index_.link_answered(s, p, *target)) continue;
                near.clear();
                far.clear();
                end_vlans(sw.ports[p], near);
                end_vlans(map_.switches[target->switch_index].ports[target->port_index], far);
                connect(s, target->switch_index, near, far);
            }
            for (std::size_t g = 0; g < sw.lags.size(); ++g) {
                auto target = index_.peer_target(s, g);
                if (!target || !(std::make_pair(s, g) < *target) ||
                    !index_.peer_answered(s, g, target->first, target->second))
                    continue;
                near.clear();
                far.clear();
                for (std::size_t p : index_.lag_ports(s, g)) end_vlans(sw.ports[p], near);
                const Switch& other = map_.switches[target->first];
                for (std::size_t p : index_.lag_ports(target->first, target->second))
                    end_vlans(other.ports[p], far);
                connect(s, target->first, near, far);
            }
        }
        part_.resize(map_.switches.size());
        for (std::size_t s = 0; s < map_.switches.size(); ++s) part_[s] = physical_.root(s);
    }

    void find_users() {
        for (std::size_t s = 0; s < map_.switches.size(); ++s) {
            const Switch& sw = map_.switches[s];
            auto used = [&](std::uint16_t vlan) {
                std::size_t slot = slot_[vlan];
                if (slot != k_none && (users_[slot].empty() || users_[slot].back() != s))
                    users_[slot].push_back(s);
            };
            for (std::size_t p = 0; p < sw.ports.size(); ++p) {
                if (!uses(s, p)) continue;
                const Port& port = sw.ports[p];
                if (port.untagged) used(*port.untagged);
                for (std::uint16_t vlan : port.tagged) used(vlan);
            }
        }
    }

    const MapIndex& index_;
    const Map& map_;
    std::vector<std::size_t> slot_ = std::vector<std::size_t>(65536, k_none);
    std::size_t slots_ = 0;
    std::vector<std::size_t> first_port_;
    std::vector<bool> linked_;
    Joins physical_{map_.switches.size()};
    std::vector<std::size_t> part_;
    std::vector<std::vector<std::pair<std::size_t, std::size_t>>> edges_;
    std::vector<std::vector<std::size_t>> users_;
    std::vector<std::uint16_t> common_;
    Joins joins_;
    std::vector<std::size_t> group_of_root_;
    std::vector<std::size_t> best_of_part_;
};

} // namespace

VlanReach vlan_reach(const Map& map, std::uint16_t vlan) {
    MapIndex index(map);
    std::uint16_t vlans[] = {vlan};
    return ReachIndex(index, vlans).reach(vlan, GroupPorts::All);
}

std::string switch_list(const Map& map, std::span<const std::size_t> switches) {
    std::string text;
    for (std::size_t i = 0; i < switches.size() && i < k_listed_names; ++i) {
        if (i > 0) text += ", ";
        text += map.switches[switches[i]].name;
    }
    if (switches.size() > k_listed_names)
        text += fill(" and {} more", {std::to_string(switches.size() - k_listed_names)});
    return text;
}

void add_reach_problems(const MapIndex& index, std::vector<Problem>& problems) {
    const Map& map = index.map();
    std::vector<std::uint16_t> vlans;
    vlans.reserve(map.vlans.size());
    for (const Vlan& vlan : map.vlans) vlans.push_back(vlan.id);
    ReachIndex reach(index, vlans);
    std::vector<bool> judged(vlans.size(), false);
    for (std::size_t i = 0; i < vlans.size(); ++i) {
        // A VLAN listed twice is judged once.
        if (judged[reach.slot(vlans[i])]) continue;
        judged[reach.slot(vlans[i])] = true;
        VlanReach found = reach.reach(vlans[i], GroupPorts::CutOffOnly);
        for (ReachGroup& group : found.groups) {
            if (!group.cut_off_from) continue;
            Problem problem{Problem::Kind::VlanCutOff, switch_list(map, group.switches),
                            switch_list(map, found.groups[*group.cut_off_from].switches), vlans[i]};
            problem.ports = std::move(group.ports);
            problems.push_back(std::move(problem));
        }
    }
}

} // namespace quarn
