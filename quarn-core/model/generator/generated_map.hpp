#pragma once

#include <cstddef>
#include <cstdint>

#include "model/map.hpp"

namespace quarn {

struct GeneratedMapOptions {
    std::size_t switches = 200;
    std::size_t vlans = 40;
    std::uint32_t seed = 1;
};

// A large, realistic map for tests and benchmarks: every switch has 48 RJ45
// ports (24 x 2, OddTop, blocks of 6) and 4 SFP cages (2 x 2), labelled
// Gi1/0/n and Te1/1/n. Neighbouring switches are chained by uplinks and
// paired by LAGs, both answered from the far end and carrying every VLAN of
// the list at both ends, so the map passes the load checks and the map check
// finds nothing (every VLAN reaches every switch that uses it). The same
// options always give the same map, on every platform.
Map generate_map(const GeneratedMapOptions& options);

} // namespace quarn
