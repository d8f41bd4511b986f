#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/map.hpp"

namespace quarn {

// Lookups of one map's names for the rules of the map check, so that a map
// of thousands of switches is checked in linear time. References are
// resolved as everywhere in the model: the first switch, port or LAG with
// the name.
class MapIndex {
  public:
    static constexpr std::size_t k_none = std::numeric_limits<std::size_t>::max();

    explicit MapIndex(const Map& map);

    [[nodiscard]] const Map& map() const noexcept { return map_; }

    // Positions, or k_none.
    [[nodiscard]] std::size_t switch_at(std::string_view name) const;
    [[nodiscard]] std::size_t port_at(std::size_t s, std::string_view label) const;
    [[nodiscard]] std::size_t lag_at(std::size_t s, std::string_view name) const;

    // The member ports of a LAG: the ports of its switch whose label is among
    // its members, in port order. Found on first use for each switch, so
    // that the pass over the switch's ports happens while the check is at
    // that switch (or its LAG's peer) anyway; not for use from several
    // threads at once.
    [[nodiscard]] const std::vector<std::size_t>& lag_ports(std::size_t s, std::size_t g) const;

    // The port a port's link names, when it exists.
    [[nodiscard]] std::optional<PortRef> link_target(std::size_t s, std::size_t p) const;
    // True when the far port's own link leads back to this very port.
    [[nodiscard]] bool link_answered(std::size_t s, std::size_t p, PortRef far) const;

    // The LAG (switch, LAG position) a LAG's peer names, when it exists.
    [[nodiscard]] std::optional<std::pair<std::size_t, std::size_t>> peer_target(std::size_t s,
                                                                                 std::size_t g) const;
    // True when the far LAG's own peer leads back to this very LAG.
    [[nodiscard]] bool peer_answered(std::size_t s, std::size_t g, std::size_t t, std::size_t h) const;

  private:
    // The ports of large switches in one open-addressing table keyed by
    // switch position and label: a hash node per port would cost more than
    // the whole check of the port.
    struct PortSlot {
        std::uint32_t sw = std::numeric_limits<std::uint32_t>::max(); // max: empty
        std::uint32_t port = 0;
    };

    [[nodiscard]] std::size_t port_hash(std::size_t s, std::string_view label) const;

    const Map& map_;
    std::unordered_map<std::string_view, std::size_t> switches_;
    std::vector<PortSlot> ports_;
    std::size_t port_mask_ = 0;
    mutable std::vector<std::vector<std::vector<std::size_t>>> lag_ports_;
    mutable std::vector<bool> lag_ports_found_;
    // Only for switches with many LAGs; others are searched in order.
    std::vector<std::unordered_map<std::string_view, std::size_t>> many_lags_;
};

} // namespace quarn
