// Find searches as the user types, across the whole map: every keystroke
// searches again. Target: at most 5 ms per keystroke on 1,000 switches
// (52,000 ports).
#include <benchmark/benchmark.h>

#include <string>

#include "find/find_map.hpp"
#include "model/generator/generated_map.hpp"

namespace {

const quarn::Map& large_map() {
    static const quarn::Map map = quarn::generate_map({.switches = 1000});
    return map;
}

// One keystroke: the query as typed so far, from its first letter to the
// whole of it. Short prefixes match thousands of ports.
void find_as_typed(benchmark::State& state, const std::string& typed) {
    const std::string query = typed.substr(0, static_cast<std::size_t>(state.range(0)));
    std::size_t total = 0;
    for (auto _ : state) {
        auto results = quarn::find_in_map(large_map(), query);
        total = results.total;
        benchmark::DoNotOptimize(results);
    }
    state.SetLabel("\"" + query + "\"");
    state.counters["found"] = static_cast<double>(total);
}
BENCHMARK_CAPTURE(find_as_typed, desk, std::string("desk 3-1"))
    ->DenseRange(1, 8)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(find_as_typed, switch_and_room, std::string("sw-512 printer"))
    ->DenseRange(1, 14, 3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(find_as_typed, accented, std::string("zürich"))->Arg(6)->Unit(benchmark::kMillisecond);

} // namespace
