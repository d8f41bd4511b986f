#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "compare/change_text.hpp"
#include "compare/compare_maps.hpp"
#include "model/generator/generated_map.hpp"
#include "ops/testing/random_edits.hpp"

namespace quarn {
namespace {

// Whether the place names something of `map`. Switch names may repeat, so a
// port or LAG may belong to any switch of that name.
bool exists_in(const Map& map, const ChangePlace& place) {
    auto on_switch = [&](auto&& has) {
        return std::any_of(map.switches.begin(), map.switches.end(),
                           [&](const Switch& sw) { return sw.name == place.switch_name && has(sw); });
    };
    switch (place.kind) {
    case PlaceKind::Map:
        return true;
    case PlaceKind::Vlan:
        return find_vlan(map, place.vlan).has_value();
    case PlaceKind::Switch:
        return on_switch([](const Switch&) { return true; });
    case PlaceKind::Port:
        return on_switch([&](const Switch& sw) {
            return std::any_of(sw.ports.begin(), sw.ports.end(),
                               [&](const Port& port) { return port.label == place.name; });
        });
    case PlaceKind::Lag:
        return on_switch([&](const Switch& sw) { return find_lag(sw, place.name).has_value(); });
    }
    return false;
}

// Checks one comparison: empty exactly when the maps are equal, each place
// named as it is on the side where it exists (a removed place in the old
// map, every other in the new one), each line starting with its place.
void check_comparison(const Map& before, const Map& after, const std::string& where) {
    const std::vector<Change> changes = compare_maps(before, after);
    ASSERT_EQ(changes.empty(), before == after) << where << "\n" << changes_text(changes);
    for (const Change& change : changes) {
        const std::string line = change_line(change);
        const Map& side = change.kind == Change::Kind::Removed ? before : after;
        EXPECT_TRUE(exists_in(side, change.place)) << where << ": " << line;
        EXPECT_EQ(line.rfind(place_text(change.place), 0), 0u) << where << ": " << line;
        EXPECT_FALSE(change.kind == Change::Kind::Changed && change.fields.empty()) << where << ": " << line;
        EXPECT_EQ(line.find('\n'), std::string::npos) << where << ": " << line;
    }
}

// Random editing sessions on generated sites: after every step the map is
// compared with the one before the step and with the one the session started
// from, both ways round.
TEST(CompareProperty, EmptyExactlyWhenEqualAndPlacesExist) {
    constexpr std::uint32_t k_sessions = 4;
    constexpr int k_steps = 250;
    for (std::uint32_t seed = 1; seed <= k_sessions; ++seed) {
        const Map start = generate_map({.switches = 5, .vlans = 12, .seed = seed});
        Map map = start;
        testing::RandomEdits edits(seed * 104729u);
        for (int step = 0; step < k_steps; ++step) {
            Map before = map;
            auto done = edits.apply(map);
            const std::string where =
                "seed " + std::to_string(seed) + " step " + std::to_string(step) + " " + done.operation;
            check_comparison(before, map, where);
            check_comparison(start, map, where + " (from the start)");
            check_comparison(map, start, where + " (back to the start)");
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
}

} // namespace
} // namespace quarn
