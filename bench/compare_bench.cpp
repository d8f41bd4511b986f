// The comparison of two large maps (200 switches, 10,400 ports) that differ
// on 100 ports: what `quarn-cli diff` and "Changes Since Saved" do besides
// loading. Target: at most 10 ms.
#include <benchmark/benchmark.h>

#include "compare/change_text.hpp"
#include "compare/compare_maps.hpp"
#include "model/generator/generated_map.hpp"

namespace {

const quarn::Map& old_map() {
    static const quarn::Map map = quarn::generate_map({.switches = 200});
    return map;
}

// 100 ports on 100 switches, one each: a new untagged VLAN on some, a
// tagged VLAN more on others, a description on the rest.
const quarn::Map& new_map() {
    static const quarn::Map map = [] {
        quarn::Map copy = old_map();
        for (std::size_t i = 0; i < 100; ++i) {
            quarn::Port& port = copy.switches[2 * i].ports[i % 40];
            if (i % 3 == 0)
                port.untagged = port.untagged == 10 ? 20 : 10;
            else if (i % 3 == 1)
                port.tagged.push_back(4000);
            else
                port.description += " (moved)";
        }
        return copy;
    }();
    return map;
}

void compare_large_maps(benchmark::State& state) {
    for (auto _ : state) {
        auto changes = quarn::compare_maps(old_map(), new_map());
        if (changes.size() != 100) state.SkipWithError("expected 100 changes");
        benchmark::DoNotOptimize(changes);
    }
}
BENCHMARK(compare_large_maps)->Unit(benchmark::kMillisecond);

// What `quarn-cli diff` prints.
void compare_and_write_lines(benchmark::State& state) {
    for (auto _ : state) {
        auto text = quarn::changes_text(quarn::compare_maps(old_map(), new_map()));
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(compare_and_write_lines)->Unit(benchmark::kMillisecond);

// Two equal maps: the common case of the menu's greyed state, and the floor.
void compare_equal_maps(benchmark::State& state) {
    for (auto _ : state) {
        auto changes = quarn::compare_maps(old_map(), old_map());
        benchmark::DoNotOptimize(changes);
    }
}
BENCHMARK(compare_equal_maps)->Unit(benchmark::kMillisecond);

} // namespace
