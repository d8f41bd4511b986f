// The map check with VLAN reach, and "Where Is This VLAN...", on large maps.
// The check runs on demand (F5) and must feel instant: at most 2 ms on 200
// switches (10,400 ports), at most 10 ms on 1,000 switches (52,000 ports).
#include <benchmark/benchmark.h>

#include "model/generator/generated_map.hpp"
#include "validate/check_map.hpp"
#include "validate/vlan_where.hpp"

namespace {

const quarn::Map& map_of(std::size_t switches) {
    static const quarn::Map small = quarn::generate_map({.switches = 200});
    static const quarn::Map large = quarn::generate_map({.switches = 1000});
    return switches == 200 ? small : large;
}

// The same map with a problem on every switch, so the check also builds
// its messages.
const quarn::Map& untidy_map() {
    static const quarn::Map map = [] {
        quarn::Map copy = map_of(200);
        for (quarn::Switch& sw : copy.switches) {
            sw.ports[0].tagged.push_back(4000);
            sw.ports[47].untagged = 7;
        }
        return copy;
    }();
    return map;
}

// Every tenth uplink of the chain (one between two LAG pairs) carries its
// native VLAN only, so every VLAN falls into groups: reach problems by the
// hundred, each with its ports.
const quarn::Map& pruned_map(std::size_t switches) {
    static const auto make = [](std::size_t count) {
        quarn::Map copy = map_of(count);
        for (std::size_t i = 9; i + 1 < copy.switches.size(); i += 10) {
            copy.switches[i].ports[46].tagged.clear();
            copy.switches[i + 1].ports[47].tagged.clear();
        }
        return copy;
    };
    static const quarn::Map small = make(200);
    static const quarn::Map large = make(1000);
    return switches == 200 ? small : large;
}

void check_map(benchmark::State& state) {
    const quarn::Map& map = map_of(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        auto problems = quarn::check_map(map);
        if (!problems.empty()) state.SkipWithError("the generated map has problems");
        benchmark::DoNotOptimize(problems);
    }
}
BENCHMARK(check_map)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);

void check_untidy_map(benchmark::State& state) {
    for (auto _ : state) {
        auto report = quarn::check_report(quarn::check_map(untidy_map()));
        benchmark::DoNotOptimize(report);
    }
}
BENCHMARK(check_untidy_map)->Unit(benchmark::kMillisecond);

void check_pruned_map(benchmark::State& state) {
    const quarn::Map& map = pruned_map(static_cast<std::size_t>(state.range(0)));
    std::size_t count = 0;
    for (auto _ : state) {
        auto problems = quarn::check_map(map);
        count = problems.size();
        benchmark::DoNotOptimize(problems);
    }
    if (count == 0) state.SkipWithError("expected reach problems");
    state.counters["problems"] = static_cast<double>(count);
}
BENCHMARK(check_pruned_map)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);

// "Where Is This VLAN..." for one VLAN of the large map.
void vlan_where(benchmark::State& state) {
    for (auto _ : state) {
        auto text = quarn::vlan_where_text(map_of(1000), 200, quarn::WhereOrder::ReachFirst);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(vlan_where)->Unit(benchmark::kMillisecond);

} // namespace
