// The undo history on a large map (200 switches, 10,400 ports): what 200
// recorded edits cost in memory; and the whole road of one edit (copy,
// toggle one port, compare, record, bring the scene up to date) in every
// view, at 200 and 1,000 switches.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdint>

#include "app/history.hpp"
#include "draw/scene.hpp"
#include "draw/scene_parts.hpp"
#include "model/generator/generated_map.hpp"
#include "ops/port_vlan_ops.hpp"
#include "ops/switch_ops.hpp"

namespace {

const quarn::Map& big_map() {
    static const quarn::Map map = quarn::generate_map({.switches = 200});
    return map;
}

// Bytes the allocator has handed out and not yet got back.
std::size_t bytes_in_use() {
    const struct mallinfo2 info = ::mallinfo2();
    return info.uordblks + info.hblkhd;
}

constexpr double k_mib = 1024.0 * 1024.0;

// The road every edit takes in the program.
template <class Change>
void edit(quarn::Map& map, quarn::app::History& history, Change&& change) {
    quarn::Map before = map;
    change(map);
    if (!(map == before)) history.record_change(std::move(before));
}

// 200 switch moves (range 0) or 200 toggles of one port's untagged VLAN
// (range 1): the memory the history holds afterwards, above the map itself.
void undo_memory(benchmark::State& state) {
    const bool moves = state.range(0) == 0;
    double held = 0.0;
    double map_bytes = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::size_t empty = bytes_in_use();
        quarn::Map map = big_map();
        const std::size_t with_map = bytes_in_use();
        map_bytes = static_cast<double>(with_map - empty);
        state.ResumeTiming();

        quarn::app::History history;
        std::uint32_t seed = 12345;
        auto next = [&seed](std::uint32_t bound) {
            seed = seed * 1664525u + 1013904223u;
            return (seed >> 8) % bound;
        };
        for (int step = 0; step < 200; ++step) {
            const std::size_t s = next(static_cast<std::uint32_t>(map.switches.size() - 1));
            if (moves) {
                edit(map, history, [&](quarn::Map& m) { quarn::move_switch_down(m, s); });
            } else {
                const std::size_t p = next(static_cast<std::uint32_t>(map.switches[s].ports.size()));
                const std::uint16_t vlan = map.vlans[next(static_cast<std::uint32_t>(map.vlans.size()))].id;
                edit(map, history, [&](quarn::Map& m) { quarn::toggle_untagged(m, {{s, p}}, vlan); });
            }
        }
        if (history.undo_depth() != 200) state.SkipWithError("an edit changed nothing");

        state.PauseTiming();
        held = static_cast<double>(bytes_in_use() - with_map) / k_mib;
        state.ResumeTiming();
    }
    state.counters["history_MiB"] = held;
    state.counters["map_MiB"] = map_bytes / k_mib;
    state.SetLabel(moves ? "switch moves" : "port toggles");
}
BENCHMARK(undo_memory)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

const quarn::Map& campus_of(std::size_t switches) {
    static const quarn::Map small = quarn::generate_map({.switches = 200});
    static const quarn::Map large = quarn::generate_map({.switches = 1000});
    return switches == 200 ? small : large;
}

quarn::ViewMode view_of(std::int64_t view) {
    switch (view) {
    case 0:
        return {quarn::ViewKind::FrontPanel, false};
    case 1:
        return {quarn::ViewKind::VlanBreakdown, false};
    case 2:
        return {quarn::ViewKind::VlanBreakdown, true};
    default:
        return {quarn::ViewKind::Topology, false};
    }
}

constexpr const char* k_view_names[] = {"front panel", "breakdown", "breakdown, unused VLANs", "topology"};

// The whole road of one click, as the program takes it: copy the switch,
// toggle one port's untagged VLAN, compare, record, and bring the scene's
// parts up to date, with a history that is full, as after an afternoon of
// editing.
// The port is selected and its VLAN chosen in the list, so the scene
// outlines the port and dims the others. `scene_MiB` is what the scene
// holds after the edit.
void edit_gesture(benchmark::State& state) {
    const quarn::ViewMode view = view_of(state.range(0));
    quarn::Map map = campus_of(static_cast<std::size_t>(state.range(1)));
    quarn::app::History history;
    const std::size_t middle = map.switches.size() / 2;
    const quarn::Selection selection{{middle, 10}};
    quarn::SceneOptions options;
    options.view = view;
    options.selected_switch = middle;
    options.selected_ports = selection;
    const std::uint16_t vlan = map.vlans[5].id;
    options.selected_vlan = vlan;
    for (std::size_t i = 0; i < quarn::app::History::k_limit; ++i)
        edit(map, history, [&](quarn::Map& m) {
            quarn::toggle_untagged(m, {{i * 7 % m.switches.size(), 3}}, vlan);
        });
    quarn::SceneParts parts;
    parts.update(map, options);

    for (auto _ : state) {
        auto before = quarn::app::copy_switches(map, {middle});
        quarn::toggle_untagged(map, selection, vlan);
        quarn::app::keep_changed(map, before);
        quarn::MapChange change{false, {}};
        for (const auto& [index, sw] : before) change.switches.push_back(index);
        history.record_switches(map, std::move(before));
        auto stretches = parts.update(map, options, change);
        benchmark::DoNotOptimize(stretches);
    }
    state.counters["scene_MiB"] = static_cast<double>(parts.memory_bytes()) / k_mib;
    state.SetLabel(k_view_names[state.range(0)]);
}
BENCHMARK(edit_gesture)->ArgsProduct({{0, 1, 2, 3}, {200, 1000}})->Unit(benchmark::kMillisecond);

} // namespace
