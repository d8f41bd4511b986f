#pragma once

// Random editing sessions for property tests: every operation, with
// arguments drawn at random and often invalid (positions past the lists,
// taken names, labels shared by several ports, VLAN IDs out of range).

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/map.hpp"
#include "ops/lag_ops.hpp"
#include "ops/port_ops.hpp"
#include "ops/port_range.hpp"
#include "ops/port_vlan_ops.hpp"
#include "ops/switch_ops.hpp"
#include "ops/vlan_ops.hpp"

namespace quarn::testing {

class RandomEdits {
  public:
    explicit RandomEdits(std::uint64_t seed) : state_(seed) {}

    struct Step {
        std::string operation;
        bool refused = false; // the operation said it did nothing
    };

    Step apply(Map& map) {
        switch (below(24)) {
        case 0:
            return {"add_vlan", add_vlan(map, Vlan{vlan_id(map), text(), color()}).has_value()};
        case 1:
            return {"edit_vlan",
                    edit_vlan(map, vlan_id(map), Vlan{vlan_id(map), text(), color()}).has_value()};
        case 2:
            remove_vlan(map, vlan_id(map));
            return {"remove_vlan"};
        case 3:
            toggle_untagged(map, selection(map), vlan_id(map));
            return {"toggle_untagged"};
        case 4:
            toggle_tagged(map, selection(map), vlan_id(map));
            return {"toggle_tagged"};
        case 5:
            set_untagged(map, selection(map), chance(30) ? std::nullopt : std::optional(vlan_id(map)));
            return {"set_untagged"};
        case 6:
            clear_port_vlans(map, selection(map));
            return {"clear_port_vlans"};
        case 7: {
            auto copied = copy_port_vlans(map, port(map));
            paste_port_vlans(map, selection(map), copied.value_or(PortVlans{vlan_id(map), {vlan_id(map)}}));
            return {"paste_port_vlans"};
        }
        case 8: {
            PortRef ref = port(map);
            return {"set_port_label", set_port_label(map, ref, label(map, ref.switch_index)).has_value()};
        }
        case 9:
            set_port_description(map, selection(map), text());
            return {"set_port_description"};
        case 10:
            set_port_disabled(map, selection(map), chance(50));
            return {"set_port_disabled"};
        case 11: {
            std::size_t s = switch_index(map);
            return {"create_lag", create_lag(map, s, lag_name(map, s), positions(map, s)).has_value()};
        }
        case 12: {
            std::size_t s = switch_with_lags(map);
            std::string name = lag_name(map, s, 90);
            std::string new_name = chance(50) ? name : lag_name(map, s);
            return {"edit_lag", edit_lag(map, s, name, new_name, lag_positions(map, s, name)).has_value()};
        }
        case 13: {
            std::size_t s = switch_with_lags(map);
            std::optional<LagPeer> peer;
            if (chance(85)) {
                std::size_t t = switch_with_lags(map);
                peer = LagPeer{t < map.switches.size() ? map.switches[t].name : text(), lag_name(map, t, 90)};
            }
            return {"set_lag_peer", set_lag_peer(map, s, lag_name(map, s, 90), peer).has_value()};
        }
        case 14: {
            std::size_t s = switch_index(map);
            remove_lag(map, s, lag_name(map, s));
            return {"remove_lag"};
        }
        case 15: {
            std::size_t s = switch_index(map);
            unpeer_lag(map, s, lag_name(map, s));
            return {"unpeer_lag"};
        }
        case 16:
        case 17:
            return {"link_ports", link_ports(map, port(map), port(map)).kind != LinkResult::Kind::Linked};
        case 18:
            unlink_port(map, port(map));
            return {"unlink_port"};
        case 19: {
            std::size_t s = switch_index(map);
            if (s >= map.switches.size()) return {"apply_switch_edit", !apply_switch_edit(map, s, Switch{})};
            SwitchEdit edit = prepare_switch_edit(map.switches[s], chance(70) ? map.switches[s].name : text(),
                                                  text(), text(), layout());
            return {"apply_switch_edit", !apply_switch_edit(map, s, edit.edited)};
        }
        case 20:
            if (map.switches.size() >= 9) {
                remove_switch(map, switch_index(map));
                return {"remove_switch"};
            }
            add_switch(map, chance(50) ? std::optional(switch_index(map)) : std::nullopt, text(), text(),
                       text(), layout());
            return {"add_switch"};
        case 21:
            if (map.switches.size() >= 9) return {"duplicate_switch", true};
            return {"duplicate_switch", !duplicate_switch(map, switch_index(map))};
        case 22:
            return {"move_switch", chance(50) ? !move_switch_up(map, switch_index(map))
                                              : !move_switch_down(map, switch_index(map))};
        default:
            if (map.switches.size() <= 2) return {"remove_switch", true};
            remove_switch(map, switch_index(map));
            return {"remove_switch"};
        }
    }

  private:
    // splitmix64, the same on every standard library.
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    std::size_t below(std::size_t bound) { return bound == 0 ? 0 : static_cast<std::size_t>(next() % bound); }
    bool chance(unsigned percent) { return below(100) < percent; }

    std::string text() {
        static const char* const k_texts[] = {"",       "x",           "Trk1", "Po1", "sw-1",
                                              "sw-2",   "Gi1/0/1",     "1",    "a,b", " padded ",
                                              "Zürich", "Line\nbreak", "7-9"};
        return k_texts[below(std::size(k_texts))];
    }

    Rgb color() {
        auto bits = next();
        return Rgb{std::uint8_t(bits), std::uint8_t(bits >> 8), std::uint8_t(bits >> 16)};
    }

    std::uint16_t vlan_id(const Map& map) {
        if (!map.vlans.empty() && chance(60)) return map.vlans[below(map.vlans.size())].id;
        static const std::uint16_t k_odd[] = {0, 1, 4094, 4095, 65535, 77};
        if (chance(30)) return k_odd[below(std::size(k_odd))];
        return static_cast<std::uint16_t>(1 + below(60));
    }

    std::size_t switch_index(const Map& map) { return below(map.switches.size() + 1); }

    // Mostly one that has LAGs, when there is one.
    std::size_t switch_with_lags(const Map& map) {
        std::vector<std::size_t> with;
        for (std::size_t i = 0; i < map.switches.size(); ++i)
            if (!map.switches[i].lags.empty()) with.push_back(i);
        if (with.empty() || chance(20)) return switch_index(map);
        return with[below(with.size())];
    }

    // Often a port where the rules bite: a LAG member, a linked port, or one
    // whose label another port bears too.
    PortRef port(const Map& map) {
        std::size_t s = switch_index(map);
        if (s >= map.switches.size()) return PortRef{s, below(3)};
        const Switch& sw = map.switches[s];
        if (chance(50)) {
            std::vector<std::size_t> busy;
            std::vector<std::size_t> bearers(sw.ports.size(), 0);
            for (std::size_t p = 0; p < sw.ports.size(); ++p) ++bearers[*find_port(sw, sw.ports[p].label)];
            for (std::size_t p = 0; p < sw.ports.size(); ++p) {
                const Port& port = sw.ports[p];
                bool member = std::any_of(sw.lags.begin(), sw.lags.end(), [&](const Lag& lag) {
                    return std::find(lag.members.begin(), lag.members.end(), port.label) != lag.members.end();
                });
                if (member || port.link || bearers[*find_port(sw, port.label)] > 1) busy.push_back(p);
            }
            if (!busy.empty()) return PortRef{s, busy[below(busy.size())]};
        }
        return PortRef{s, below(sw.ports.size() + 2)};
    }

    Selection selection(const Map& map) {
        Selection list;
        std::size_t count = below(5);
        for (std::size_t i = 0; i < count; ++i) list.push_back(port(map));
        return list;
    }

    std::string label(const Map& map, std::size_t s) {
        if (s < map.switches.size() && !map.switches[s].ports.empty() && chance(50)) {
            PortRef ref = port(map);
            const Switch& sw = map.switches[s];
            if (ref.switch_index == s && ref.port_index < sw.ports.size())
                return sw.ports[ref.port_index].label;
            return sw.ports[below(sw.ports.size())].label;
        }
        return chance(50) ? "P" + std::to_string(below(8)) : text();
    }

    std::string lag_name(const Map& map, std::size_t s, unsigned existing = 60) {
        if (s < map.switches.size()) {
            const Switch& sw = map.switches[s];
            if (!sw.lags.empty() && chance(existing)) return sw.lags[below(sw.lags.size())].name;
            if (chance(40)) return default_lag_name(sw.lags);
        }
        return text();
    }

    std::vector<std::size_t> positions(const Map& map, std::size_t s) {
        std::size_t ports = s < map.switches.size() ? map.switches[s].ports.size() : 0;
        if (ports > 0 && chance(40)) {
            std::size_t from = below(ports);
            std::size_t to = below(ports);
            auto read = parse_port_range(map.switches[s], write_port_range(map.switches[s], {from, to}));
            if (read) return read.value();
        }
        std::vector<std::size_t> list;
        std::size_t count = below(5);
        for (std::size_t i = 0; i < count; ++i) {
            PortRef ref = port(map);
            list.push_back(ref.switch_index == s && chance(60) ? ref.port_index : below(ports + 2));
        }
        if (!list.empty() && chance(20)) list.push_back(list.front());
        return list;
    }

    // Mostly the LAG's own members, give or take a port.
    std::vector<std::size_t> lag_positions(const Map& map, std::size_t s, const std::string& name) {
        if (s >= map.switches.size() || chance(30)) return positions(map, s);
        const Switch& sw = map.switches[s];
        auto lag = find_lag(sw, name);
        if (!lag) return positions(map, s);
        std::vector<std::size_t> list = lag_member_positions(sw, sw.lags[*lag]);
        if (!list.empty() && chance(40))
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(below(list.size())));
        if (chance(60))
            list.insert(list.begin() + static_cast<std::ptrdiff_t>(below(list.size() + 1)),
                        below(sw.ports.size() + 1));
        return list;
    }

    SwitchLayoutInput layout() {
        static const char* const k_prefixes[] = {"", "Gi1/0/", "P"};
        return SwitchLayoutInput{k_prefixes[below(3)],
                                 static_cast<std::uint16_t>(below(4) == 0 ? 0 : below(60)),
                                 static_cast<std::uint16_t>(below(5)),
                                 static_cast<std::uint16_t>(below(9)),
                                 static_cast<std::uint16_t>(below(3) == 0 ? below(5) : 0),
                                 static_cast<std::uint16_t>(below(6)),
                                 chance(50)};
    }

    std::uint64_t state_;
};

} // namespace quarn::testing
