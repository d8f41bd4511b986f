#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "model/map.hpp"
#include "ops/switch_ops.hpp"

namespace quarn::dialogs::testing {

inline Switch plain_switch(std::string name, int ports) {
    return make_switch(std::move(name), "", "", SwitchLayoutInput{"", static_cast<std::uint16_t>(ports), 1});
}

// A (8 ports): Trk1 = 1,2 peered with B Trk1, port 5 linked to B 5.
// B (8 ports): Trk1 = 1,2, Trk2 = 3. C (4 ports): no LAGs, port 4 linked
// to B 8.
inline Map three_switches() {
    Map map;
    map.switches = {plain_switch("A", 8), plain_switch("B", 8), plain_switch("C", 4)};
    map.switches[0].lags = {Lag{"Trk1", {"1", "2"}, LagPeer{"B", "Trk1"}}};
    map.switches[1].lags = {Lag{"Trk1", {"1", "2"}, LagPeer{"A", "Trk1"}}, Lag{"Trk2", {"3"}, std::nullopt}};
    map.switches[0].ports[4].link = PortPeer{"B", "5"};
    map.switches[1].ports[4].link = PortPeer{"A", "5"};
    map.switches[2].ports[3].link = PortPeer{"B", "8"};
    map.switches[1].ports[7].link = PortPeer{"C", "4"};
    return map;
}

} // namespace quarn::dialogs::testing
