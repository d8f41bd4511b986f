#include <gtest/gtest.h>

#include "model/generator/generated_map.hpp"
#include "model/map_file.hpp"
#include "ops/testing/random_edits.hpp"

namespace quarn {
namespace {

// A generated site cut down to 28 ports a switch (so that saving and
// loading after every step stays fast), chained by uplinks and paired by
// LAGs again through the operations themselves, with a few labels that two
// ports share, as hand-edited files have them.
Map small_site(std::uint32_t seed) {
    Map map = generate_map({6, 12, seed});
    for (std::size_t s = 0; s < map.switches.size(); ++s) {
        const Switch& sw = map.switches[s];
        SwitchEdit edit =
            prepare_switch_edit(sw, sw.name, sw.location, sw.model, {"Gi1/0/", 24, 2, 6, 0, 4, false});
        EXPECT_TRUE(apply_switch_edit(map, s, edit.edited));
    }
    for (std::size_t s = 0; s + 1 < map.switches.size(); ++s)
        EXPECT_EQ(link_ports(map, {s, 22}, {s + 1, 23}), LinkResult{});
    for (std::size_t s = 0; s + 1 < map.switches.size(); s += 2) {
        EXPECT_FALSE(create_lag(map, s, "Po1", {24, 25}));
        EXPECT_FALSE(create_lag(map, s + 1, "Po1", {24, 25, 26}));
        EXPECT_FALSE(set_lag_peer(map, s, "Po1", LagPeer{map.switches[s + 1].name, "Po1"}));
    }
    for (Switch& sw : map.switches) {
        sw.ports[5].label = sw.ports[3].label;
        sw.ports[10].label = sw.ports[9].label;
    }
    return map;
}

// Whatever the user does, the map saves and loads back equal (so it keeps
// every rule the load checks enforce), and a refused operation changes
// nothing.
TEST(OpsProperty, EveryEditLeavesAMapThatLoadsBackEqual) {
    constexpr std::uint32_t k_sessions = 5;
    constexpr int k_steps = 400;
    for (std::uint32_t seed = 1; seed <= k_sessions; ++seed) {
        Map map = small_site(seed);
        ASSERT_TRUE(load_map(save_map(map)).ok());
        testing::RandomEdits edits(seed * 7919u);
        for (int step = 0; step < k_steps; ++step) {
            Map before = map;
            auto done = edits.apply(map);
            auto where = [&] {
                return "seed " + std::to_string(seed) + " step " + std::to_string(step) + ": ";
            };
            if (done.refused) {
                ASSERT_EQ(map, before) << where() << done.operation;
            }
            auto loaded = load_map(save_map(map));
            ASSERT_TRUE(loaded.ok()) << where() << done.operation << ": " << loaded.error();
            ASSERT_EQ(loaded.value(), map) << where() << done.operation;
        }
    }
}

} // namespace
} // namespace quarn
