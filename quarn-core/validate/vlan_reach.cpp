#include "validate/vlan_reach.hpp"

#include <algorithm>
#include <numeric>

#include "common/fill.hpp"

namespace quarn {
namespace {

constexpr std::size_t k_none = MapIndex::k_none;
constexpr std::size_t k_listed_names = 5;
constexpr std::uint32_t k_no_slot = 0xFFFFFFFF;

enum class GroupPorts : std::uint8_t { All, CutOffOnly };

bool carries(const Port& port, std::uint16_t vlan) {
    return port.untagged == vlan ||
           std::find(port.tagged.begin(), port.tagged.end(), vlan) != port.tagged.end();
}

std::vector<std::uint16_t> listed_ids(const Map& map) {
    std::vector<std::uint16_t> ids;
    ids.reserve(map.vlans.size());
    for (const Vlan& vlan : map.vlans) ids.push_back(vlan.id);
    return ids;
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

} // namespace

// The links of one map, prepared once for the reach of several VLANs: the
// linked parts, and per VLAN of interest the links that carry it and the
// switches that use it. Fed switch by switch in map order, then finished.
class ReachIndex {
  public:
    ReachIndex(const MapIndex& index, std::span<const std::uint16_t> vlans)
        : index_(index), map_(index.map()), joins_(map_.switches.size()),
          group_of_root_(map_.switches.size(), k_none), best_of_part_(map_.switches.size(), k_none) {
        for (std::uint16_t vlan : vlans)
            if (slot_[vlan] == k_no_slot) slot_[vlan] = slots_++;
        marks_.assign(slots_, 0);
        edges_.resize(slots_);
        users_.resize(slots_);
        first_port_.reserve(map_.switches.size());
        std::size_t count = 0;
        for (const Switch& sw : map_.switches) {
            first_port_.push_back(count);
            count += sw.ports.size();
        }
        in_peered_lag_.assign(count, false);
    }

    // Reads the links and users of one switch; the switches in map order,
    // each once.
    void read_switch(std::size_t s) {
        const Switch& sw = map_.switches[s];
        for (std::size_t g = 0; g < sw.lags.size(); ++g)
            if (sw.lags[g].peer)
                for (std::size_t p : index_.lag_ports(s, g)) in_peered_lag_[first_port_[s] + p] = true;
        auto used = [&](std::uint16_t vlan) {
            std::uint32_t slot = slot_[vlan];
            if (slot != k_no_slot && (users_[slot].empty() || users_[slot].back() != s))
                users_[slot].push_back(s);
        };
        for (std::size_t p = 0; p < sw.ports.size(); ++p) {
            const Port& port = sw.ports[p];
            if (port.link) {
                read_link(s, p);
            } else if (uses(s, p)) {
                if (port.untagged) used(*port.untagged);
                for (std::uint16_t vlan : port.tagged) used(vlan);
            }
        }
        for (std::size_t g = 0; g < sw.lags.size(); ++g)
            if (sw.lags[g].peer) read_peer(s, g);
    }

    // After every switch has been read.
    void finish() {
        part_.resize(map_.switches.size());
        for (std::size_t sw = 0; sw < map_.switches.size(); ++sw) part_[sw] = physical_.root(sw);
    }

    std::uint32_t slot(std::uint16_t vlan) const { return slot_[vlan]; }

    VlanReach reach(std::uint16_t vlan, GroupPorts which) {
        VlanReach result{vlan, {}};
        std::uint32_t s = slot_[vlan];
        if (s == k_no_slot || users_[s].empty()) return result;
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
    // A port with a link field (answered or not) or in a LAG with a peer
    // faces another switch, even when the map check finds its link broken.
    bool uses(std::size_t s, std::size_t p) const {
        const Port& port = map_.switches[s].ports[p];
        return !port.disabled && !port.link && !in_peered_lag_[first_port_[s] + p];
    }

    // Which VLANs of interest one end of a link passes on, marked with the
    // link's stamp; the far end then finds the common ones without sorting.
    void mark_end(const Port& port, std::uint32_t stamp) {
        if (port.disabled) return;
        if (port.untagged && slot_[*port.untagged] != k_no_slot) marks_[slot_[*port.untagged]] = stamp;
        for (std::uint16_t vlan : port.tagged)
            if (slot_[vlan] != k_no_slot) marks_[slot_[vlan]] = stamp;
    }

    void match_end(const Port& port, std::uint32_t stamp, std::size_t a, std::size_t b) {
        if (port.disabled) return;
        auto match = [&](std::uint16_t vlan) {
            std::uint32_t slot = slot_[vlan];
            if (slot == k_no_slot || marks_[slot] != stamp) return;
            marks_[slot] = stamp + 1; // once per link
            edges_[slot].emplace_back(static_cast<std::uint32_t>(a), static_cast<std::uint32_t>(b));
        };
        if (port.untagged) match(*port.untagged);
        for (std::uint16_t vlan : port.tagged) match(vlan);
    }

    std::uint32_t next_stamp() {
        stamp_ += 2;
        return stamp_ - 1;
    }

    void read_link(std::size_t s, std::size_t p) {
        auto target = index_.link_target(s, p);
        // Each link once, from the end that comes first in the map.
        if (!target || !(PortRef{s, p} < *target) || !index_.link_answered(s, p, *target)) return;
        physical_.join(s, target->switch_index);
        std::uint32_t stamp = next_stamp();
        mark_end(map_.switches[s].ports[p], stamp);
        match_end(map_.switches[target->switch_index].ports[target->port_index], stamp, s,
                  target->switch_index);
    }

    void read_peer(std::size_t s, std::size_t g) {
        auto target = index_.peer_target(s, g);
        if (!target || !(std::make_pair(s, g) < *target) ||
            !index_.peer_answered(s, g, target->first, target->second))
            return;
        physical_.join(s, target->first);
        std::uint32_t stamp = next_stamp();
        const Switch& sw = map_.switches[s];
        for (std::size_t p : index_.lag_ports(s, g)) mark_end(sw.ports[p], stamp);
        const Switch& other = map_.switches[target->first];
        for (std::size_t p : index_.lag_ports(target->first, target->second))
            match_end(other.ports[p], stamp, s, target->first);
    }

    const MapIndex& index_;
    const Map& map_;
    std::vector<std::uint32_t> slot_ = std::vector<std::uint32_t>(65536, k_no_slot);
    std::uint32_t slots_ = 0;
    std::vector<std::uint32_t> marks_;
    std::uint32_t stamp_ = 0;
    std::vector<std::size_t> first_port_;
    std::vector<bool> in_peered_lag_;
    Joins physical_{map_.switches.size()};
    std::vector<std::size_t> part_;
    std::vector<std::vector<std::pair<std::uint32_t, std::uint32_t>>> edges_;
    std::vector<std::vector<std::size_t>> users_;
    Joins joins_;
    std::vector<std::size_t> group_of_root_;
    std::vector<std::size_t> best_of_part_;
};

VlanReach vlan_reach(const Map& map, std::uint16_t vlan) {
    const MapIndex index(map);
    const std::uint16_t vlans[] = {vlan};
    ReachIndex reach(index, vlans);
    for (std::size_t s = 0; s < map.switches.size(); ++s) reach.read_switch(s);
    reach.finish();
    return reach.reach(vlan, GroupPorts::All);
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

ReachRule::ReachRule(const MapIndex& index)
    : index_(index), vlans_(listed_ids(index.map())), reach_(std::make_unique<ReachIndex>(index, vlans_)) {}

ReachRule::~ReachRule() = default;

void ReachRule::read_switch(std::size_t s) {
    reach_->read_switch(s);
}

void ReachRule::add_problems(std::vector<Problem>& problems) {
    const Map& map = index_.map();
    reach_->finish();
    std::vector<bool> judged(vlans_.size(), false);
    for (std::uint16_t vlan : vlans_) {
        // A VLAN listed twice is judged once.
        if (judged[reach_->slot(vlan)]) continue;
        judged[reach_->slot(vlan)] = true;
        VlanReach found = reach_->reach(vlan, GroupPorts::CutOffOnly);
        for (ReachGroup& group : found.groups) {
            if (!group.cut_off_from) continue;
            Problem problem{Problem::Kind::VlanCutOff, switch_list(map, group.switches),
                            switch_list(map, found.groups[*group.cut_off_from].switches), vlan};
            problem.ports = std::move(group.ports);
            problems.push_back(std::move(problem));
        }
    }
}

} // namespace quarn
