#include <gtest/gtest.h>

#include <algorithm>

#include "import/generator/generated_config.hpp"
#include "import/import_apply.hpp"
#include "model/generator/generated_map.hpp"
#include "model/map_file.hpp"
#include "ops/testing/random_edits.hpp"
#include "validate/check_map.hpp"

namespace quarn {
namespace {

// Results as the importer gives them (generated configurations of every
// dialect) and as nobody would (IDs out of range, repeated labels and
// VLANs, LAGs naming ports that are not there, empty names).
class RandomResults {
  public:
    explicit RandomResults(std::uint64_t seed) : state_(seed) {}

    // Whether the last result came from the importer.
    bool read = false;

    ImportResult next() {
        read = below(2) == 0;
        if (read) {
            std::string_view name = dialects()[below(dialects().size())].name;
            return import_config(
                generate_config(name, 40 + below(400), static_cast<std::uint32_t>(below(1000))));
        }
        static constexpr const char* k_labels[] = {"GigabitEthernet1/0/1",
                                                   "Gi1/0/1",
                                                   "Gi1/0/2",
                                                   "Te1/1/1",
                                                   "1",
                                                   "A1",
                                                   "ge-0/0/0",
                                                   "",
                                                   "Po1",
                                                   "x y",
                                                   "1/1/1",
                                                   "ethernet 1/1/1",
                                                   "ether2",
                                                   "XGE0/0/1",
                                                   "1:1"};
        ImportResult result;
        result.dialect = static_cast<Dialect>(below(dialects().size() + 1));
        result.host_name = below(3) == 0 ? "" : "sw" + std::to_string(below(4));
        for (std::size_t i = below(6); i > 0; --i)
            result.vlans.push_back(ImportedVlan{vlan(), "v" + std::to_string(below(9))});
        for (std::size_t i = below(12); i > 0; --i) {
            ImportedPort port;
            port.label = k_labels[below(std::size(k_labels))];
            port.kind = below(2) == 0 ? PortKind::Sfp : PortKind::Rj45;
            if (below(3) > 0) port.untagged = vlan();
            for (std::size_t t = below(4); t > 0; --t) port.tagged.push_back(vlan());
            port.disabled = below(4) == 0;
            result.ports.push_back(port);
        }
        for (std::size_t i = below(3); i > 0; --i) {
            ImportedLag lag{below(4) == 0 ? "" : "Po" + std::to_string(below(3)), {}};
            for (std::size_t m = below(4); m > 0; --m)
                lag.members.push_back(k_labels[below(std::size(k_labels))]);
            result.lags.push_back(lag);
        }
        return result;
    }

  private:
    std::uint16_t vlan() {
        static constexpr std::uint16_t k_ids[] = {0, 1, 10, 20, 30, 4094, 4095, 65535};
        return below(3) == 0 ? k_ids[below(std::size(k_ids))]
                             : static_cast<std::uint16_t>(10 * (1 + below(40)));
    }
    std::size_t below(std::size_t bound) {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return static_cast<std::size_t>((z ^ (z >> 31)) % bound);
    }
    std::uint64_t state_;
};

// A site with some history: generated, then edited at random.
Map random_map(std::uint32_t seed) {
    Map map = generate_map({3 + seed % 3, 12, seed});
    testing::RandomEdits edits(seed * 31u);
    for (int step = 0; step < 40; ++step) edits.apply(map);
    return map;
}

bool contains(const std::vector<Problem>& list, const Problem& problem) {
    return std::find(list.begin(), list.end(), problem) != list.end();
}

std::vector<std::optional<PortPeer>> links(const Map& map) {
    std::vector<std::optional<PortPeer>> all;
    for (const Switch& sw : map.switches)
        for (const Port& port : sw.ports) all.push_back(port.link);
    return all;
}

std::vector<std::optional<LagPeer>> lag_peers(const Switch& sw) {
    std::vector<std::optional<LagPeer>> all;
    for (const Lag& lag : sw.lags) all.push_back(lag.peer);
    return all;
}

// Every result, put into a map as a new switch or as an update, leaves a map
// that saves and loads back equal. A new switch brings no problem into the
// map check that the configuration alone does not have (whether a VLAN is
// on one switch only depends on the rest of the map, not on the
// configuration); an update keeps every link and LAG peer and never makes
// a VLAN both tagged and untagged.
TEST(ImportProperty, EveryResultGoesIntoAnyMap) {
    constexpr int k_rounds = 60;
    RandomResults results(2024);
    for (int round = 0; round < k_rounds; ++round) {
        const Map map = random_map(static_cast<std::uint32_t>(round + 1));
        const ImportResult result = results.next();
        const std::string where = "round " + std::to_string(round);

        Map added = map;
        ImportApplied applied = import_new_switch(added, result, "file");
        auto loaded = load_map(save_map(added));
        ASSERT_TRUE(loaded.ok()) << where << ": " << loaded.error();
        ASSERT_EQ(loaded.value(), added) << where;
        ASSERT_EQ(applied.switch_index, map.switches.size()) << where;

        // What the importer read, updated into the switch it made, changes
        // nothing: every label finds its port again, long form or short.
        if (results.read) {
            Map again = added;
            ASSERT_TRUE(import_into_switch(again, applied.switch_index, result)) << where;
            ASSERT_EQ(again, added) << where << ": " << dialect_title(result.dialect);
        }

        ImportResult named = result;
        named.host_name = added.switches.back().name;
        Map alone;
        import_new_switch(alone, named, "");
        const std::vector<Problem> own = check_map(alone);
        const std::vector<Problem> before = check_map(map);
        for (const Problem& problem : own)
            ASSERT_NE(problem.kind, Problem::Kind::TaggedAndUntagged)
                << where << ": " << problem_message(problem);
        for (const Problem& problem : check_map(added)) {
            if (problem.kind == Problem::Kind::VlanOnOneSwitch) continue;
            ASSERT_TRUE(contains(before, problem) || contains(own, problem))
                << where << ": " << problem_message(problem);
        }

        Map updated = map;
        std::size_t index = static_cast<std::size_t>(round) % map.switches.size();
        ASSERT_TRUE(import_into_switch(updated, index, result)) << where;
        auto reloaded = load_map(save_map(updated));
        ASSERT_TRUE(reloaded.ok()) << where << ": " << reloaded.error();
        ASSERT_EQ(reloaded.value(), updated) << where;
        EXPECT_EQ(links(updated), links(map)) << where;
        for (std::size_t s = 0; s < map.switches.size(); ++s) {
            auto old_peers = lag_peers(map.switches[s]);
            // New LAGs come after the old ones, without peers.
            auto new_peers = lag_peers(updated.switches[s]);
            new_peers.resize(old_peers.size());
            EXPECT_EQ(new_peers, old_peers) << where;
        }
        for (const Problem& problem : check_map(updated)) {
            if (problem.kind != Problem::Kind::TaggedAndUntagged) continue;
            ASSERT_TRUE(contains(before, problem)) << where << ": " << problem_message(problem);
        }
    }
}

// The generated configuration of every dialect, as the benchmark reads it:
// detected as its own dialect for sure, every line understood.
TEST(ImportProperty, GeneratedConfigurationsReadWhole) {
    for (const DialectInfo& info : dialects()) {
        ImportResult result = import_config(generate_config(info.name, 3000, 7));
        EXPECT_EQ(result.dialect, info.dialect) << info.name;
        EXPECT_FALSE(result.dialect_assumed) << info.name;
        EXPECT_GT(result.ports.size(), 100u) << info.name;
        EXPECT_EQ(result.unread_count, 0u)
            << info.name << ": " << (result.unread.empty() ? "" : result.unread[0].text);
    }
}

} // namespace
} // namespace quarn
