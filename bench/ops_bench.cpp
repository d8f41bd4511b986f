// The undo snapshot and port edits on a large map (200 switches, 10,400
// ports): the snapshot runs on every edit, so it must stay far below what a
// user notices. The map check has validate_bench.
#include <benchmark/benchmark.h>

#include "model/generator/generated_map.hpp"
#include "ops/port_range.hpp"
#include "ops/port_vlan_ops.hpp"

namespace {

const quarn::Map& big_map() {
    static const quarn::Map map = quarn::generate_map({.switches = 200});
    return map;
}

// What every edit costs the undo history: a copy of the map before, and a
// comparison after.
void snapshot_and_compare(benchmark::State& state) {
    quarn::Map map = big_map();
    for (auto _ : state) {
        quarn::Map before = map;
        bool changed = !(before == map);
        benchmark::DoNotOptimize(changed);
    }
}
BENCHMARK(snapshot_and_compare)->Unit(benchmark::kMillisecond);

void copy_map(benchmark::State& state) {
    for (auto _ : state) {
        quarn::Map copy = big_map();
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(copy_map)->Unit(benchmark::kMillisecond);

void compare_equal_maps(benchmark::State& state) {
    quarn::Map copy = big_map();
    for (auto _ : state) {
        bool same = copy == big_map();
        benchmark::DoNotOptimize(same);
    }
}
BENCHMARK(compare_equal_maps)->Unit(benchmark::kMillisecond);

// Select All on a switch and toggle a VLAN: widening to LAG siblings included.
void toggle_whole_switch(benchmark::State& state) {
    quarn::Map map = big_map();
    quarn::Selection all;
    for (std::size_t p = 0; p < map.switches[10].ports.size(); ++p) all.push_back({10, p});
    for (auto _ : state) {
        quarn::toggle_untagged(map, all, 10);
        benchmark::DoNotOptimize(map);
    }
}
BENCHMARK(toggle_whole_switch)->Unit(benchmark::kMicrosecond);

void port_range_round_trip(benchmark::State& state) {
    const quarn::Switch& sw = big_map().switches[0];
    std::vector<std::size_t> positions;
    for (std::size_t p = 0; p < sw.ports.size(); p += (p % 5 == 0 ? 2 : 1)) positions.push_back(p);
    for (auto _ : state) {
        auto read = quarn::parse_port_range(sw, quarn::write_port_range(sw, positions));
        benchmark::DoNotOptimize(read);
    }
}
BENCHMARK(port_range_round_trip)->Unit(benchmark::kMicrosecond);

} // namespace
