// Importing a 10,000-line configuration (a stack of switches, generated)
// in every dialect: the target is at most 20 ms, so that a pasted text is
// read again on every keystroke of the import dialog without delay.
#include <benchmark/benchmark.h>

#include "generated_config.hpp"
#include "import/import_apply.hpp"

namespace {

constexpr std::size_t k_lines = 10000;

void import_config(benchmark::State& state, const char* dialect) {
    const std::string text = quarn::generate_config(dialect, k_lines);
    for (auto _ : state) {
        auto result = quarn::import_config(text);
        if (result.ports.empty()) state.SkipWithError("the generated configuration gave no ports");
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK_CAPTURE(import_config, ios, "ios")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import_config, nxos, "nxos")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import_config, aruba, "aruba")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import_config, comware, "comware")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import_config, junos, "junos")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import_config, fastiron, "fastiron")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import_config, vrp, "vrp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import_config, routeros, "routeros")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import_config, exos, "exos")->Unit(benchmark::kMillisecond);

// The whole road of the command line: read, then build the new switch.
void import_new_switch(benchmark::State& state) {
    const std::string text = quarn::generate_config("ios", k_lines);
    for (auto _ : state) {
        quarn::Map map;
        quarn::import_new_switch(map, quarn::import_config(text), "stack");
        benchmark::DoNotOptimize(map);
    }
}
BENCHMARK(import_new_switch)->Unit(benchmark::kMillisecond);

} // namespace
