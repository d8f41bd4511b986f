#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "model/map.hpp"
#include "ops/testing/plain_switch.hpp"

namespace quarn::testing {

// Small networks for the reach tests: switches of eight ports labelled 1 to
// 8 and VLANs 10, 20 and 30, wired by a few calls.
class ReachNetwork {
  public:
    explicit ReachNetwork(std::initializer_list<const char*> names) {
        map_.vlans = {Vlan{10, "Data", {}}, Vlan{20, "Voice", {}}, Vlan{30, "Cameras", {}}};
        for (const char* name : names) map_.switches.push_back(plain_switch(name, 8));
    }

    [[nodiscard]] const Map& map() const { return map_; }
    Map& map() { return map_; }

    Port& port(const std::string& sw, int label) {
        return map_.switches[*find_switch(map_, sw)].ports[label - 1];
    }

    // An access port with the VLAN untagged.
    ReachNetwork& use(const std::string& sw, int label, std::uint16_t vlan) {
        port(sw, label).untagged = vlan;
        return *this;
    }

    // An uplink from port a_port of a to port b_port of b, both ends tagged
    // with `vlans`.
    ReachNetwork& trunk(const std::string& a, int a_port, const std::string& b, int b_port,
                        std::vector<std::uint16_t> vlans) {
        port(a, a_port).link = PortPeer{b, std::to_string(b_port)};
        port(a, a_port).tagged = vlans;
        port(b, b_port).link = PortPeer{a, std::to_string(a_port)};
        port(b, b_port).tagged = std::move(vlans);
        return *this;
    }

    // A LAG of ports 7 and 8 on each switch, peered, with the given VLANs on
    // the members of each side.
    ReachNetwork& lag(const std::string& a, std::vector<std::uint16_t> a_vlans, const std::string& b,
                      std::vector<std::uint16_t> b_vlans) {
        add_lag(a, b, a_vlans);
        add_lag(b, a, b_vlans);
        return *this;
    }

  private:
    void add_lag(const std::string& sw, const std::string& peer, const std::vector<std::uint16_t>& vlans) {
        map_.switches[*find_switch(map_, sw)].lags.push_back(Lag{"Trk1", {"7", "8"}, LagPeer{peer, "Trk1"}});
        port(sw, 7).tagged = vlans;
        port(sw, 8).tagged = vlans;
    }

    Map map_;
};

} // namespace quarn::testing
