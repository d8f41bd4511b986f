// VLAN reach on random networks, against a plain search over the links
// written from the rule itself.
#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ops/testing/plain_switch.hpp"
#include "validate/check_map.hpp"
#include "validate/vlan_reach.hpp"

namespace quarn {
namespace {

constexpr std::uint16_t k_vlans[] = {10, 20, 30, 40};
constexpr int k_ports = 10;

class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::size_t below(std::size_t bound) {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return static_cast<std::size_t>((z ^ (z >> 31)) % bound);
    }
    bool chance(unsigned percent) { return below(100) < percent; }

  private:
    std::uint64_t state_;
};

// Switches of ten ports with random VLANs, wired by random uplinks (a few
// not answered) and LAGs over ports 9 and 10.
Map random_network(Random& random) {
    Map map;
    for (std::uint16_t id : k_vlans) map.vlans.push_back(Vlan{id, "v" + std::to_string(id), {}});
    std::size_t count = 2 + random.below(7);
    for (std::size_t s = 0; s < count; ++s) {
        Switch sw = testing::plain_switch("sw" + std::to_string(s), k_ports);
        for (Port& port : sw.ports) {
            if (random.chance(60)) port.untagged = k_vlans[random.below(4)];
            for (std::uint16_t id : k_vlans)
                if (random.chance(20) && port.untagged != id) port.tagged.push_back(id);
            port.disabled = random.chance(10);
        }
        map.switches.push_back(std::move(sw));
    }
    std::size_t links = random.below(2 * count);
    for (std::size_t i = 0; i < links; ++i) {
        std::size_t a = random.below(count);
        std::size_t b = random.below(count);
        std::size_t pa = random.below(k_ports - 2);
        std::size_t pb = random.below(k_ports - 2);
        Port& near = map.switches[a].ports[pa];
        Port& far = map.switches[b].ports[pb];
        if (near.link || far.link || &near == &far) continue;
        near.link = PortPeer{map.switches[b].name, far.label};
        if (!random.chance(10)) far.link = PortPeer{map.switches[a].name, near.label};
    }
    for (std::size_t s = 0; s + 1 < count; ++s) {
        if (!random.chance(40) || !map.switches[s].lags.empty()) continue;
        std::size_t t = s + 1 + random.below(count - s - 1);
        if (!map.switches[t].lags.empty()) continue;
        map.switches[s].lags.push_back(Lag{"Trk1", {"9", "10"}, LagPeer{map.switches[t].name, "Trk1"}});
        map.switches[t].lags.push_back(Lag{"Trk1", {"9", "10"}, LagPeer{map.switches[s].name, "Trk1"}});
    }
    return map;
}

bool carries(const Port& port, std::uint16_t vlan) {
    return !port.disabled && (port.untagged == vlan ||
                              std::find(port.tagged.begin(), port.tagged.end(), vlan) != port.tagged.end());
}

// One link between two switches, answered from the far end: the ports of
// each side (one for an uplink, the members for a LAG).
struct Link {
    std::size_t a = 0;
    std::size_t b = 0;
    std::vector<std::size_t> a_ports;
    std::vector<std::size_t> b_ports;
};

std::vector<std::size_t> members(const Switch& sw, const Lag& lag) {
    std::vector<std::size_t> ports;
    for (std::size_t p = 0; p < sw.ports.size(); ++p)
        if (std::find(lag.members.begin(), lag.members.end(), sw.ports[p].label) != lag.members.end())
            ports.push_back(p);
    return ports;
}

std::vector<Link> answered_links(const Map& map) {
    std::vector<Link> links;
    for (std::size_t s = 0; s < map.switches.size(); ++s) {
        const Switch& sw = map.switches[s];
        for (std::size_t p = 0; p < sw.ports.size(); ++p) {
            if (!sw.ports[p].link) continue;
            auto t = find_switch(map, sw.ports[p].link->switch_name);
            auto f = t ? find_port(map.switches[*t], sw.ports[p].link->port) : std::nullopt;
            if (!f || std::make_pair(*t, *f) <= std::make_pair(s, p)) continue;
            const auto& back = map.switches[*t].ports[*f].link;
            if (back && find_switch(map, back->switch_name) == s && find_port(sw, back->port) == p)
                links.push_back(Link{s, *t, {p}, {*f}});
        }
        for (std::size_t g = 0; g < sw.lags.size(); ++g) {
            if (!sw.lags[g].peer) continue;
            auto t = find_switch(map, sw.lags[g].peer->switch_name);
            auto h = t ? find_lag(map.switches[*t], sw.lags[g].peer->lag) : std::nullopt;
            if (!h || std::make_pair(*t, *h) <= std::make_pair(s, g)) continue;
            const auto& back = map.switches[*t].lags[*h].peer;
            if (back && find_switch(map, back->switch_name) == s && find_lag(sw, back->lag) == g)
                links.push_back(Link{s, *t, members(sw, sw.lags[g]),
                                     members(map.switches[*t], map.switches[*t].lags[*h])});
        }
    }
    return links;
}

bool link_carries(const Map& map, const Link& link, std::uint16_t vlan) {
    auto side = [&](std::size_t s, const std::vector<std::size_t>& ports) {
        return std::any_of(ports.begin(), ports.end(),
                           [&](std::size_t p) { return carries(map.switches[s].ports[p], vlan); });
    };
    return side(link.a, link.a_ports) && side(link.b, link.b_ports);
}

// The switches a search over carrying links reaches from `start`.
std::vector<bool> reached_from(const Map& map, const std::vector<Link>& links, std::size_t start,
                               std::uint16_t vlan) {
    std::vector<bool> seen(map.switches.size(), false);
    std::vector<std::size_t> todo = {start};
    seen[start] = true;
    while (!todo.empty()) {
        std::size_t s = todo.back();
        todo.pop_back();
        for (const Link& link : links) {
            if (!link_carries(map, link, vlan)) continue;
            for (auto [from, to] : {std::pair(link.a, link.b), std::pair(link.b, link.a)})
                if (from == s && !seen[to]) {
                    seen[to] = true;
                    todo.push_back(to);
                }
        }
    }
    return seen;
}

// The number of cut-off reports per VLAN of k_vlans.
std::map<std::uint16_t, std::size_t> cut_off_counts(const Map& map) {
    std::map<std::uint16_t, std::size_t> counts;
    for (std::uint16_t vlan : k_vlans) counts[vlan] = 0;
    for (const Problem& problem : check_map(map))
        if (problem.kind == Problem::Kind::VlanCutOff) ++counts[problem.vlan];
    return counts;
}

// Every reported group is really cut off: no chain of carrying links leads
// from it to a switch of another group. And adding the missing VLAN to both
// ends of one link between two groups of one part removes one report.
TEST(ReachProperty, ReportedGroupsAreCutOffAndOneLinkMendsOne) {
    Random random(7);
    int reported = 0;
    int mended = 0;
    for (int round = 0; round < 150; ++round) {
        Map map = random_network(random);
        const std::string where = "round " + std::to_string(round);
        const std::vector<Link> links = answered_links(map);
        const auto counts = cut_off_counts(map);
        for (std::uint16_t vlan : k_vlans) {
            const VlanReach reach = vlan_reach(map, vlan);
            std::vector<std::size_t> group_of(map.switches.size(), SIZE_MAX);
            for (std::size_t g = 0; g < reach.groups.size(); ++g)
                for (std::size_t s : reach.groups[g].switches) group_of[s] = g;
            std::size_t cut_off = 0;
            for (std::size_t g = 0; g < reach.groups.size(); ++g) {
                const ReachGroup& group = reach.groups[g];
                std::vector<bool> seen = reached_from(map, links, group.switches.front(), vlan);
                for (std::size_t s = 0; s < map.switches.size(); ++s) {
                    if (group_of[s] == SIZE_MAX) continue;
                    ASSERT_EQ(seen[s], group_of[s] == g) << where << " VLAN " << vlan << " switch " << s;
                }
                if (group.cut_off_from) ++cut_off;
            }
            ASSERT_EQ(counts.at(vlan), cut_off) << where;
            reported += static_cast<int>(cut_off);
            if (cut_off == 0) continue;

            // A link whose two ends lie in different groups' reach, both
            // ends with a port that is not disabled to add the VLAN to.
            for (const Link& link : links) {
                std::vector<bool> from_a = reached_from(map, links, link.a, vlan);
                auto group_in = [&](const std::vector<bool>& seen) {
                    for (std::size_t s = 0; s < seen.size(); ++s)
                        if (seen[s] && group_of[s] != SIZE_MAX) return group_of[s];
                    return SIZE_MAX;
                };
                std::size_t ga = group_in(from_a);
                std::size_t gb = group_in(reached_from(map, links, link.b, vlan));
                auto enabled = [&](std::size_t s, const std::vector<std::size_t>& ports) {
                    return std::any_of(ports.begin(), ports.end(),
                                       [&](std::size_t p) { return !map.switches[s].ports[p].disabled; });
                };
                if (from_a[link.b] || ga == SIZE_MAX || gb == SIZE_MAX || !enabled(link.a, link.a_ports) ||
                    !enabled(link.b, link.b_ports))
                    continue;
                Map mended_map = map;
                for (auto [s, ports] : {std::pair(link.a, &link.a_ports), std::pair(link.b, &link.b_ports)})
                    for (std::size_t p : *ports) {
                        Port& port = mended_map.switches[s].ports[p];
                        if (!carries(port, vlan)) port.tagged.push_back(vlan);
                    }
                auto expected = counts;
                --expected[vlan];
                ASSERT_EQ(cut_off_counts(mended_map), expected) << where << " VLAN " << vlan;
                ++mended;
                break;
            }
        }
    }
    // The rounds must have met both cases often enough to mean something.
    EXPECT_GT(reported, 300) << reported;
    EXPECT_GT(mended, 100) << mended;
}

} // namespace
} // namespace quarn
