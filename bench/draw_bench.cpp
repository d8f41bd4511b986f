// Drawing and the text exports of a 200-switch map (10,400 ports): the
// scene of the front panel is rebuilt after every edit, so it has to stay
// well inside one frame.
#include <benchmark/benchmark.h>

#include "draw/scene.hpp"
#include "export/csv.hpp"
#include "export/svg.hpp"
#include "model/generator/generated_map.hpp"

namespace {

const quarn::Map& big_map() {
    static const quarn::Map map = quarn::generate_map({.switches = 200});
    return map;
}

quarn::SceneOptions options(quarn::ViewMode view) {
    quarn::SceneOptions options;
    options.view = view;
    return options;
}

void scene_front_panel(benchmark::State& state) {
    const auto opts = options({quarn::ViewKind::FrontPanel, false});
    for (auto _ : state) {
        auto scene = quarn::build_scene(big_map(), opts);
        benchmark::DoNotOptimize(scene);
    }
}
BENCHMARK(scene_front_panel)->Unit(benchmark::kMillisecond);

// The canvas's case: some ports selected and a VLAN chosen, so faces dim.
void scene_front_panel_selection(benchmark::State& state) {
    auto opts = options({quarn::ViewKind::FrontPanel, false});
    for (std::size_t p = 0; p < 48; ++p) opts.selected_ports.push_back({3, p});
    opts.selected_switch = 3;
    opts.selected_vlan = big_map().vlans[0].id;
    for (auto _ : state) {
        auto scene = quarn::build_scene(big_map(), opts);
        benchmark::DoNotOptimize(scene);
    }
}
BENCHMARK(scene_front_panel_selection)->Unit(benchmark::kMillisecond);

void scene_breakdown(benchmark::State& state) {
    const auto opts = options({quarn::ViewKind::VlanBreakdown, state.range(0) != 0});
    double mib = 0.0;
    double items = 0.0;
    for (auto _ : state) {
        auto scene = quarn::build_scene(big_map(), opts);
        benchmark::DoNotOptimize(scene);
        state.PauseTiming();
        mib = static_cast<double>(scene.items.memory_bytes()) / (1024.0 * 1024.0);
        items = static_cast<double>(scene.items.size());
        state.ResumeTiming();
    }
    state.counters["scene_MiB"] = mib;
    state.counters["items"] = items;
    state.SetLabel(state.range(0) != 0 ? "show unused" : "used only");
}
BENCHMARK(scene_breakdown)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

const quarn::Map& campus_of(std::size_t switches) {
    static const quarn::Map small = quarn::generate_map({.switches = 200});
    static const quarn::Map large = quarn::generate_map({.switches = 1000});
    return switches == 200 ? small : large;
}

// The topology of the 200- and 1,000-switch maps (targets 5 and 16 ms),
// plain and coloured for a VLAN, which adds the VLAN's reach.
void scene_topology(benchmark::State& state) {
    const quarn::Map& map = campus_of(static_cast<std::size_t>(state.range(0)));
    auto opts = options({quarn::ViewKind::Topology, false});
    if (state.range(1) != 0) opts.selected_vlan = map.vlans[0].id;
    for (auto _ : state) {
        auto scene = quarn::build_scene(map, opts);
        benchmark::DoNotOptimize(scene);
    }
    state.SetLabel(state.range(1) != 0 ? "VLAN chosen" : "plain");
}
BENCHMARK(scene_topology)
    ->Args({200, 0})
    ->Args({200, 1})
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Unit(benchmark::kMillisecond);

void svg_text(benchmark::State& state) {
    const quarn::Scene scene = quarn::build_scene(big_map(), options({quarn::ViewKind::FrontPanel, false}));
    std::size_t bytes = 0;
    for (auto _ : state) {
        auto text = quarn::scene_svg(scene);
        bytes = text.size();
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(svg_text)->Unit(benchmark::kMillisecond);

void csv_text(benchmark::State& state) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        auto text = quarn::map_csv(big_map(), U',');
        bytes = text.size();
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(csv_text)->Unit(benchmark::kMillisecond);

} // namespace
