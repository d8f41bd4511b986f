#include "model/generator/generated_map.hpp"

#include <algorithm>
#include <array>
#include <string>

namespace quarn {
namespace {

// splitmix64: tiny, and unlike the std distributions it gives the same
// numbers with every standard library.
class Random {
  public:
    explicit Random(std::uint32_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }

    // 0 .. bound-1; bound must not be 0.
    std::size_t below(std::size_t bound) { return static_cast<std::size_t>(next() % bound); }

    // True with a chance of percent in a hundred.
    bool chance(unsigned percent) { return below(100) < percent; }

  private:
    std::uint64_t state_;
};

constexpr std::array<const char*, 12> k_roles = {"Data",     "Voice",   "Guest",    "Management",
                                                 "Printers", "Cameras", "Servers",  "Storage",
                                                 "WiFi",     "Lab",     "Building", "DMZ"};
constexpr std::array<const char*, 6> k_rooms = {"Desk", "Office", "Meeting room", "AP", "Printer", "Camera"};
constexpr std::size_t k_copper = 48;
constexpr std::size_t k_sfp = 4;

std::vector<Vlan> make_vlans(std::size_t count, Random& random) {
    count = std::min<std::size_t>(count, 4094);
    // Round IDs as admins pick them while they fit, plain 1..n beyond that.
    bool round = count * 10 <= 4090;
    std::vector<Vlan> vlans;
    vlans.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        Vlan vlan;
        vlan.id = static_cast<std::uint16_t>(round ? 10 * (i + 1) : i + 1);
        vlan.name = std::string(k_roles[i % k_roles.size()]) + " " + std::to_string(vlan.id);
        auto bits = random.next();
        vlan.color = Rgb{static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                         static_cast<std::uint8_t>(bits >> 16)};
        vlans.push_back(std::move(vlan));
    }
    return vlans;
}

void fill_port(Port& port, const std::vector<Vlan>& vlans, Random& random) {
    if (!vlans.empty()) {
        if (random.chance(90)) port.untagged = vlans[random.below(vlans.size())].id;
        std::size_t tagged = random.below(4);
        for (std::size_t i = 0; i < tagged; ++i) {
            std::uint16_t id = vlans[random.below(vlans.size())].id;
            if (port.untagged == id ||
                std::find(port.tagged.begin(), port.tagged.end(), id) != port.tagged.end())
                continue;
            port.tagged.push_back(id);
        }
    }
    if (random.chance(60))
        port.description = std::string(k_rooms[random.below(k_rooms.size())]) + " " +
                           std::to_string(1 + random.below(9)) + "-" + std::to_string(1 + random.below(40));
    port.disabled = random.chance(5);
}

Switch make_switch(std::size_t index, const std::vector<Vlan>& vlans, Random& random) {
    Switch sw;
    sw.name = "sw-" + std::to_string(index + 1);
    sw.location = "Building " + std::string(1, static_cast<char>('A' + index % 26)) + ", floor " +
                  std::to_string(index % 7) + ", rack " + std::to_string(1 + index % 4);
    sw.model = index % 3 == 0 ? "Catalyst 9300-48P" : "Aruba 2930F-48G-4SFP+";
    sw.groups = {PortGroup{PortKind::Rj45, 24, 2, Numbering::OddTop, 6, 1.0f},
                 PortGroup{PortKind::Sfp, 2, 2, Numbering::OddTop, 0, 0.0f}};
    sw.ports.resize(k_copper + k_sfp);
    for (std::size_t i = 0; i < sw.ports.size(); ++i) {
        Port& port = sw.ports[i];
        port.label =
            i < k_copper ? "Gi1/0/" + std::to_string(i + 1) : "Te1/1/" + std::to_string(i - k_copper + 1);
        fill_port(port, vlans, random);
    }
    return sw;
}

// Both ends of a link or LAG carry the same VLANs, as a tidy network would.
void copy_vlans(const Port& from, Port& to) {
    to.untagged = from.untagged;
    to.tagged = from.tagged;
}

// A trunk between switches carries every VLAN of the list (its native VLAN
// untagged, all others tagged), so that each VLAN reaches every switch that
// uses it.
void carry_all(Port& port, const std::vector<Vlan>& vlans) {
    port.tagged.clear();
    for (const Vlan& vlan : vlans)
        if (port.untagged != vlan.id) port.tagged.push_back(vlan.id);
}

} // namespace

Map generate_map(const GeneratedMapOptions& options) {
    Random random(options.seed);
    Map map;
    map.format = 1;
    map.site = "Generated site " + std::to_string(options.seed);
    map.notes = "Generated map: " + std::to_string(options.switches) + " switches, " +
                std::to_string(options.vlans) + " VLANs.\nSeed " + std::to_string(options.seed) + ".";
    map.vlans = make_vlans(options.vlans, random);
    map.switches.reserve(options.switches);
    for (std::size_t i = 0; i < options.switches; ++i)
        map.switches.push_back(make_switch(i, map.vlans, random));

    // Uplinks chain the switches: Gi1/0/47 of one to Gi1/0/48 of the next.
    for (std::size_t i = 0; i + 1 < map.switches.size(); ++i) {
        Switch& near = map.switches[i];
        Switch& far = map.switches[i + 1];
        Port& a = near.ports[46];
        Port& b = far.ports[47];
        a.disabled = false;
        b.disabled = false;
        a.description = "Uplink to " + far.name;
        b.description = "Uplink to " + near.name;
        carry_all(a, map.vlans);
        copy_vlans(a, b);
        a.link = PortPeer{far.name, b.label};
        b.link = PortPeer{near.name, a.label};
    }

    // Switches are paired (0 with 1, 2 with 3, ...) by a LAG over 2 to 4 of
    // their SFP cages.
    for (std::size_t i = 0; i + 1 < map.switches.size(); i += 2) {
        Switch& near = map.switches[i];
        Switch& far = map.switches[i + 1];
        std::size_t members = 2 + random.below(3);
        Lag near_lag{"Po1", {}, LagPeer{far.name, "Po1"}};
        Lag far_lag{"Po1", {}, LagPeer{near.name, "Po1"}};
        Port& model = near.ports[k_copper];
        carry_all(model, map.vlans);
        for (std::size_t m = 0; m < members; ++m) {
            Port& a = near.ports[k_copper + m];
            Port& b = far.ports[k_copper + m];
            copy_vlans(model, a);
            copy_vlans(model, b);
            a.disabled = false;
            b.disabled = false;
            a.description = "LAG to " + far.name;
            b.description = "LAG to " + near.name;
            near_lag.members.push_back(a.label);
            far_lag.members.push_back(b.label);
        }
        near.lags.push_back(std::move(near_lag));
        far.lags.push_back(std::move(far_lag));
    }
    return map;
}

} // namespace quarn
