#include "validate/check_map.hpp"

#include <algorithm>
#include <limits>
#include <string_view>

#include "common/fill.hpp"
#include "validate/map_index.hpp"
#include "validate/vlan_reach.hpp"

namespace quarn {
namespace {

constexpr std::size_t k_report_lines = 15;
constexpr std::size_t k_none = MapIndex::k_none;
constexpr std::size_t k_vlan_ids = 65536;

std::string port_end(std::string_view sw, std::string_view port) {
    return fill("{} port {}", {sw, port});
}
std::string lag_end(std::string_view sw, std::string_view lag) {
    return fill("{} {}", {sw, lag});
}

bool same_vlans(const Port& a, const Port& b) {
    return a.untagged == b.untagged && a.tagged == b.tagged;
}

std::vector<std::uint16_t> id_set(std::vector<std::uint16_t> ids) {
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

// Differences between the two ends of one connection, gathered over one
// port pair (an uplink) or several (linked LAGs) and then reported once.
struct EndDifferences {
    std::vector<std::pair<std::optional<std::uint16_t>, std::optional<std::uint16_t>>> untagged;
    std::vector<std::uint16_t> one_sided;

    void compare(const Port& a, const Port& b) {
        // The common case, without sorting copies of the lists.
        if (a.untagged == b.untagged && a.tagged == b.tagged) return;
        if (a.untagged != b.untagged) {
            auto pair = std::make_pair(a.untagged, b.untagged);
            if (std::find(untagged.begin(), untagged.end(), pair) == untagged.end()) untagged.push_back(pair);
        }
        auto left = id_set(a.tagged);
        auto right = id_set(b.tagged);
        std::set_symmetric_difference(left.begin(), left.end(), right.begin(), right.end(),
                                      std::back_inserter(one_sided));
    }

    void report(std::vector<Problem>& problems, const std::string& first, const std::string& second) {
        for (const auto& [near, far] : untagged) {
            Problem problem{Problem::Kind::UntaggedDiffers, first, second};
            problem.first_untagged = near;
            problem.second_untagged = far;
            problems.push_back(std::move(problem));
        }
        for (std::uint16_t vlan : id_set(one_sided))
            problems.push_back(Problem{Problem::Kind::TaggedOneSide, first, second, vlan});
    }
};

class MapCheck {
  public:
    explicit MapCheck(const Map& map) : map_(map), index_(map), reach_(index_) {
        for (const Vlan& vlan : map.vlans) listed_[vlan.id] = true;
    }

    std::vector<Problem> run() {
        for (std::size_t s = 0; s < map_.switches.size(); ++s) {
            const Switch& sw = map_.switches[s];
            for (const Port& port : sw.ports) check_port_vlans(s, port);
            for (std::size_t p = 0; p < sw.ports.size(); ++p)
                if (sw.ports[p].link) check_uplink(s, p);
            for (std::size_t g = 0; g < sw.lags.size(); ++g) {
                check_lag_members(s, g);
                if (sw.lags[g].peer) check_lag_peer(s, g);
            }
            reach_.read_switch(s);
        }
        if (map_.switches.size() > 1) {
            for (const Vlan& vlan : map_.vlans) {
                std::size_t carrier = carrier_[vlan.id];
                if (carrier != k_none && !several_[vlan.id])
                    problems_.push_back(
                        Problem{Problem::Kind::VlanOnOneSwitch, map_.switches[carrier].name, {}, vlan.id});
            }
        }
        reach_.add_problems(problems_);
        return std::move(problems_);
    }

  private:
    void carried(std::uint16_t vlan, std::size_t s) {
        if (carrier_[vlan] == k_none)
            carrier_[vlan] = s;
        else if (carrier_[vlan] != s)
            several_[vlan] = true;
    }

    void check_port_vlans(std::size_t s, const Port& port) {
        const std::string& sw = map_.switches[s].name;
        auto not_listed = [&](std::uint16_t vlan) {
            problems_.push_back(Problem{Problem::Kind::VlanNotInList, sw, port.label, vlan});
        };
        if (port.untagged) {
            carried(*port.untagged, s);
            if (!listed_[*port.untagged]) not_listed(*port.untagged);
        }
        for (std::size_t i = 0; i < port.tagged.size(); ++i) {
            std::uint16_t vlan = port.tagged[i];
            carried(vlan, s);
            if (listed_[vlan]) continue;
            // Each ID once per port; trunks carry dozens of listed VLANs, so
            // only an unlisted one is looked for earlier in the port.
            bool seen = port.untagged == vlan ||
                        std::find(port.tagged.begin(), port.tagged.begin() + static_cast<std::ptrdiff_t>(i),
                                  vlan) != port.tagged.begin() + static_cast<std::ptrdiff_t>(i);
            if (!seen) not_listed(vlan);
        }
        if (port.untagged &&
            std::find(port.tagged.begin(), port.tagged.end(), *port.untagged) != port.tagged.end())
            problems_.push_back(Problem{Problem::Kind::TaggedAndUntagged, sw, port.label, *port.untagged});
    }

    void check_uplink(std::size_t s, std::size_t p) {
        const Switch& sw = map_.switches[s];
        const Port& port = sw.ports[p];
        const PortPeer& link = *port.link;
        std::string near = port_end(sw.name, port.label);
        std::string far = port_end(link.switch_name, link.port);
        auto target = index_.link_target(s, p);
        if (!target) {
            problems_.push_back(Problem{Problem::Kind::LinkTargetMissing, std::move(near), std::move(far)});
            return;
        }
        if (!index_.link_answered(s, p, *target)) {
            problems_.push_back(Problem{Problem::Kind::LinkNotAnswered, std::move(near), std::move(far)});
            return;
        }
        if (PortRef{s, p} >= *target) return;
        EndDifferences differences;
        differences.compare(port, map_.switches[target->switch_index].ports[target->port_index]);
        differences.report(problems_, near, far);
    }

    void check_lag_members(std::size_t s, std::size_t g) {
        const std::vector<std::size_t>& members = index_.lag_ports(s, g);
        const Switch& sw = map_.switches[s];
        for (std::size_t i = 1; i < members.size(); ++i) {
            if (!same_vlans(sw.ports[members[i - 1]], sw.ports[members[i]])) {
                problems_.push_back(
                    Problem{Problem::Kind::LagMembersDiffer, lag_end(sw.name, sw.lags[g].name)});
                return;
            }
        }
    }

    void check_lag_peer(std::size_t s, std::size_t g) {
        const Switch& sw = map_.switches[s];
        const Lag& lag = sw.lags[g];
        const LagPeer& peer = *lag.peer;
        std::string near = lag_end(sw.name, lag.name);
        std::string far = lag_end(peer.switch_name, peer.lag);
        auto target = index_.peer_target(s, g);
        if (!target) {
            problems_.push_back(Problem{Problem::Kind::LinkTargetMissing, std::move(near), std::move(far)});
            return;
        }
        auto [t, h] = *target;
        if (!index_.peer_answered(s, g, t, h)) {
            problems_.push_back(Problem{Problem::Kind::LinkNotAnswered, std::move(near), std::move(far)});
            return;
        }
        if (std::make_pair(s, g) >= std::make_pair(t, h)) return;
        const Switch& other = map_.switches[t];
        const Lag& target_lag = other.lags[h];
        if (lag.members.size() != target_lag.members.size()) {
            Problem problem{Problem::Kind::LagSizeMismatch, std::move(near), std::move(far)};
            problem.first_count = lag.members.size();
            problem.second_count = target_lag.members.size();
            problems_.push_back(std::move(problem));
            return;
        }
        const auto& mine = index_.lag_ports(s, g);
        const auto& theirs = index_.lag_ports(t, h);
        EndDifferences differences;
        for (std::size_t i = 0; i < std::min(mine.size(), theirs.size()); ++i)
            differences.compare(sw.ports[mine[i]], other.ports[theirs[i]]);
        differences.report(problems_, near, far);
    }

    const Map& map_;
    MapIndex index_;
    ReachRule reach_;
    std::vector<bool> listed_ = std::vector<bool>(k_vlan_ids, false);
    std::vector<std::size_t> carrier_ = std::vector<std::size_t>(k_vlan_ids, k_none);
    std::vector<bool> several_ = std::vector<bool>(k_vlan_ids, false);
    std::vector<Problem> problems_;
};
} // namespace

std::vector<Problem> check_map(const Map& map) {
    return MapCheck(map).run();
}

std::string check_report(const std::vector<Problem>& problems) {
    return check_report(problems, [](std::string_view message) { return std::string(message); });
}

std::string check_report(const std::vector<Problem>& problems, std::string (*shown)(std::string_view)) {
    if (problems.empty()) return "No problems found.";
    std::string text;
    for (std::size_t i = 0; i < problems.size() && i < k_report_lines; ++i) {
        if (i > 0) text += '\n';
        text += shown(problem_message(problems[i]));
    }
    if (problems.size() > k_report_lines)
        text += fill("\n... and {} more", {std::to_string(problems.size() - k_report_lines)});
    return text;
}

} // namespace quarn
