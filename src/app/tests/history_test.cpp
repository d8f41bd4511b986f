#include "app/history.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <functional>
#include <string>
#include <vector>

#include "model/generator/generated_map.hpp"
#include "model/map_file.hpp"
#include "ops/testing/random_edits.hpp"

namespace quarn::app {
namespace {

Map map_with_site(int n) {
    Map map;
    map.site = "site " + std::to_string(n);
    return map;
}

TEST(History, UndoRedoMirrorAndANewChangeForgetsRedo) {
    History history;
    Map current = map_with_site(1);
    history.record_change(current);
    current = map_with_site(2);

    ASSERT_TRUE(history.undo(current));
    EXPECT_EQ(current, map_with_site(1));
    EXPECT_TRUE(history.can_redo());
    ASSERT_TRUE(history.redo(current));
    EXPECT_EQ(current, map_with_site(2));
    EXPECT_FALSE(history.redo(current));

    ASSERT_TRUE(history.undo(current));
    history.record_change(current);
    current = map_with_site(3);
    EXPECT_FALSE(history.can_redo());
    EXPECT_FALSE(history.redo(current));
    EXPECT_EQ(current, map_with_site(3));
}

// Each change, told as a delta against the changed map, comes back byte for
// byte, and the delta keeps only the switches that the change touched.
TEST(History, DeltasKeepOnlyTheSwitchesAChangeTouched) {
    struct Case {
        const char* name;
        std::function<void(Map&)> change;
        std::size_t kept;
    };
    const Case cases[] = {
        {"nothing", [](Map&) {}, 0},
        {"one port", [](Map& m) { m.switches[3].ports[7].untagged = 4000; }, 1},
        {"two switches",
         [](Map& m) {
             m.switches[0].name = "x";
             m.switches[9].model = "y";
         },
         2},
        {"move down", [](Map& m) { move_switch_down(m, 4); }, 0},
        {"move the last up", [](Map& m) { move_switch_up(m, 9); }, 0},
        {"remove the first", [](Map& m) { m.switches.erase(m.switches.begin()); }, 1},
        {"remove one in the middle", [](Map& m) { m.switches.erase(m.switches.begin() + 5); }, 1},
        {"insert one", [](Map& m) { m.switches.insert(m.switches.begin() + 2, Switch{.name = "new"}); }, 0},
        {"duplicate", [](Map& m) { duplicate_switch(m, 6); }, 0},
        {"remove all", [](Map& m) { m.switches.clear(); }, 10},
        {"reverse", [](Map& m) { std::reverse(m.switches.begin(), m.switches.end()); }, 8},
        {"site, notes and VLANs",
         [](Map& m) {
             m.site.clear();
             m.notes += "!";
             m.vlans.pop_back();
         },
         0},
        {"format", [](Map& m) { m.format = 0; }, 0},
        {"a gap of -0 made 0", [](Map& m) { m.switches[2].groups[0].gap_after = 0.0f; }, 1},
    };
    Map older = generate_map({10, 8, 3});
    older.switches[2].groups[0].gap_after = -0.0f;
    for (const Case& c : cases) {
        Map newer = older;
        c.change(newer);
        const MapDelta delta = map_delta(older, newer);
        EXPECT_EQ(delta.switches.size(), c.kept) << c.name;
        const Map back = restore_map(delta, newer);
        EXPECT_EQ(save_map(back), save_map(older)) << c.name;
        EXPECT_EQ(back, older) << c.name;
    }
}

// The switches that differ between two maps of as many switches, as they
// were before, the way the program records an edit of a few switches.
std::vector<std::pair<std::size_t, Switch>> switches_before(const Map& before, const Map& after) {
    auto gaps = [](const Switch& sw) {
        std::vector<std::uint32_t> bits;
        for (const PortGroup& group : sw.groups)
            bits.push_back(std::bit_cast<std::uint32_t>(group.gap_after));
        return bits;
    };
    std::vector<std::pair<std::size_t, Switch>> changed;
    for (std::size_t s = 0; s < after.switches.size(); ++s)
        if (!(before.switches[s] == after.switches[s]) || gaps(before.switches[s]) != gaps(after.switches[s]))
            changed.emplace_back(s, before.switches[s]);
    return changed;
}

void record(History& history, Map before, const Map& after, bool by_switches) {
    if (by_switches && before.switches.size() == after.switches.size() && before.site == after.site &&
        before.notes == after.notes && before.vlans == after.vlans && before.format == after.format) {
        history.record_switches(after, switches_before(before, after));
    } else {
        history.record_change(std::move(before));
    }
}

TEST(History, SwitchRecordsKeepWhatWholeRecordsKeep) {
    for (bool by_switches : {false, true}) {
        Map current = generate_map({20, 8, 5});
        History history;
        std::vector<Map> states;
        for (int i = 0; i < 250; ++i) {
            Map before = current;
            states.push_back(before);
            current.switches[static_cast<std::size_t>(i) % 20].ports[0].description =
                "step " + std::to_string(i);
            record(history, std::move(before), current, by_switches);
        }
        EXPECT_EQ(history.undo_depth(), History::k_limit);
        EXPECT_EQ(history.kept_switches(), 20u + 199u);
        for (std::size_t i = 0; i < History::k_limit; ++i) {
            ASSERT_TRUE(history.undo(current));
            ASSERT_EQ(current, states[states.size() - 1 - i]) << i;
        }
    }
}

TEST(History, KeepsTheLast200StatesAndOnlyTheSwitchesThatChanged) {
    Map current = generate_map({20, 8, 5});
    const Map opened = current;
    History history;
    std::vector<Map> states;
    for (int i = 0; i < 250; ++i) {
        Map before = current;
        states.push_back(before);
        current.switches[static_cast<std::size_t>(i) % 20].ports[0].description = "step " + std::to_string(i);
        history.record_change(std::move(before));
    }
    EXPECT_EQ(history.undo_depth(), History::k_limit);
    // The whole top and one switch for each of the 199 states below it.
    EXPECT_EQ(history.kept_switches(), 20u + 199u);

    for (std::size_t i = 0; i < History::k_limit; ++i) {
        ASSERT_TRUE(history.undo(current));
        ASSERT_EQ(current, states[states.size() - 1 - i]) << i;
    }
    EXPECT_FALSE(history.undo(current));
    EXPECT_EQ(current, states[50]);
    EXPECT_EQ(history.kept_switches(), 20u + 199u);
    while (history.redo(current)) {}
    EXPECT_EQ(current.switches[9].ports[0].description, "step 249");
    EXPECT_NE(current, opened);
}

// The history as the plain whole-copy stacks would keep it.
class WholeCopyHistory {
  public:
    void record_change(Map before) {
        undo_.push_back(std::move(before));
        if (undo_.size() > History::k_limit) undo_.erase(undo_.begin());
        redo_.clear();
    }
    bool undo(Map& current) { return step(undo_, redo_, current); }
    bool redo(Map& current) { return step(redo_, undo_, current); }
    const std::vector<Map>& undo_stack() const { return undo_; }
    const std::vector<Map>& redo_stack() const { return redo_; }

  private:
    static bool step(std::vector<Map>& from, std::vector<Map>& to, Map& current) {
        if (from.empty()) return false;
        to.push_back(std::move(current));
        current = std::move(from.back());
        from.pop_back();
        return true;
    }
    std::vector<Map> undo_;
    std::vector<Map> redo_;
};

// Random editing sessions with undos and redos among the edits, on the road
// the program takes (copy, change, compare, record). After every step, a copy
// of the history undoes everything and redoes everything, and each state it
// passes is the one the whole-copy history holds, the oldest saving to the
// same bytes.
// Edits of a few switches are recorded by those switches (and now and then
// one joins the step before, as a field visit's do), the others whole.
void check_against_whole_copies(bool by_switches) {
    constexpr std::uint32_t k_sessions = 200;
    constexpr int k_steps = 20;
    for (std::uint32_t seed = 1; seed <= k_sessions; ++seed) {
        Map map = generate_map({4, 6, seed});
        map.switches[seed % 4].groups[0].gap_after = -0.0f;
        testing::RandomEdits edits(seed * 104729u);
        History history;
        WholeCopyHistory reference;
        std::uint64_t dice = seed;
        for (int step = 0; step < k_steps; ++step) {
            dice = dice * 6364136223846793005ull + 1442695040888963407ull;
            const unsigned roll = static_cast<unsigned>(dice >> 33) % 10;
            std::string what;
            if (roll == 0) {
                what = "undo";
                Map expected = map;
                ASSERT_EQ(history.undo(map), reference.undo(expected));
                ASSERT_EQ(map, expected);
            } else if (roll == 1) {
                what = "redo";
                Map expected = map;
                ASSERT_EQ(history.redo(map), reference.redo(expected));
                ASSERT_EQ(map, expected);
            } else {
                Map before = map;
                what = edits.apply(map).operation;
                if (!(map == before)) {
                    if (by_switches && roll == 2 && reference.undo_stack().size() > 0 &&
                        !history.can_redo()) {
                        // Joins the last step: the step's map stays as it was.
                        history.changed_within_step();
                        what += " (joined)";
                    } else {
                        reference.record_change(before);
                        record(history, std::move(before), map, by_switches);
                    }
                }
            }
            const std::string where =
                "seed " + std::to_string(seed) + " step " + std::to_string(step) + " " + what;

            History trial = history;
            Map current = map;
            const std::vector<Map>& undo_states = reference.undo_stack();
            const std::vector<Map>& redo_states = reference.redo_stack();
            for (std::size_t i = undo_states.size(); i-- > 0;) {
                ASSERT_TRUE(trial.undo(current)) << where;
                ASSERT_EQ(current, undo_states[i]) << where;
            }
            ASSERT_FALSE(trial.undo(current)) << where;
            if (!undo_states.empty()) {
                ASSERT_EQ(save_map(current), save_map(undo_states.front())) << where;
            }
            for (std::size_t i = 1; i < undo_states.size(); ++i) {
                ASSERT_TRUE(trial.redo(current)) << where;
                ASSERT_EQ(current, undo_states[i]) << where;
            }
            if (!undo_states.empty()) {
                ASSERT_TRUE(trial.redo(current)) << where;
                ASSERT_EQ(current, map) << where;
            }
            for (std::size_t i = redo_states.size(); i-- > 0;) {
                ASSERT_TRUE(trial.redo(current)) << where;
                ASSERT_EQ(current, redo_states[i]) << where;
            }
            ASSERT_FALSE(trial.redo(current)) << where;
        }
    }
}

TEST(HistoryProperty, UndoAllAndRedoAllGiveTheStatesOfAWholeCopyHistory) {
    check_against_whole_copies(false);
}

TEST(HistoryProperty, SwitchRecordsGiveTheStatesOfAWholeCopyHistory) {
    check_against_whole_copies(true);
}

} // namespace
} // namespace quarn::app
