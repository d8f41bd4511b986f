#pragma once

// What the campus import is made of: finding the switch a neighbour names,
// finding the port it names, and ordering new switches.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/map.hpp"

namespace quarn::campus_detail {

// Switches by every name they go by: the map's name, and the host names and
// prompt names their files give.
class SwitchNames {
  public:
    void add(std::string_view name, std::size_t index);
    // The one switch a reported system name means: its whole name without
    // case first, then without domain and serial; a name cut short ("sw-
    // very-long-na..." or IOS's 20 characters) by its beginning. Nothing
    // when no switch or several switches answer.
    [[nodiscard]] std::optional<std::size_t> find(std::string_view reported) const;

  private:
    static std::optional<std::size_t> only(const std::vector<std::size_t>& indices);
    std::unordered_map<std::string, std::vector<std::size_t>> whole_;
    std::unordered_map<std::string, std::vector<std::size_t>> keys_;
};

// The ports of one switch by the forms a neighbour may name them in.
class PortIndex {
  public:
    explicit PortIndex(const Switch& sw);
    // The first port bearing the name: long and short forms alike, a Junos
    // unit or a subinterface number left off; on a switch whose labels are
    // bare numbers (1/1/49, 25), also a name that ends in that number
    // (GigabitEthernet1/1/49 from an ICX description).
    [[nodiscard]] std::optional<std::size_t> find(std::string_view reported) const;

  private:
    std::unordered_map<std::string, std::size_t> by_key_;
    std::unordered_map<std::string, std::size_t> by_number_;
};

// The key a port name is matched by.
std::string port_match_key(std::string_view name);

// Names compared as people read them: without case, numbers by value
// (acc-a2 before acc-a10).
bool natural_less(std::string_view a, std::string_view b);

// Orders the switches from `first_new` on as a campus reads: the one with
// the most links and LAG peers first, then the others it reaches by hops
// from it (nearest first, then by name); then the next group the same way;
// switches without links last, by name. Links to the switches before
// `first_new` count and carry hops too.
void place_new_switches(Map& map, std::size_t first_new);

} // namespace quarn::campus_detail
