// Loading and saving a large map against the JSON library's own document
// parse and pretty print of the same text: the typed reader and the direct
// writer must not cost much more than the library alone.
#include <benchmark/benchmark.h>

#include <nlohmann/json.hpp>

#include "model/generator/generated_map.hpp"
#include "model/map_file.hpp"

namespace {

const quarn::Map& big_map() {
    static const quarn::Map map = quarn::generate_map({.switches = 200});
    return map;
}

const std::string& big_text() {
    static const std::string text = quarn::save_map(big_map());
    return text;
}

// The text of the 200- or the 1,000-switch campus.
const std::string& text_of(std::int64_t switches) {
    static const std::string campus = quarn::save_map(quarn::generate_map({.switches = 1000}));
    return switches == 1000 ? campus : big_text();
}

void load_map(benchmark::State& state) {
    const std::string& text = text_of(state.range(0));
    for (auto _ : state) {
        auto map = quarn::load_map(text);
        if (!map) state.SkipWithError(map.error().c_str());
        benchmark::DoNotOptimize(map);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(load_map)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);

void json_parse(benchmark::State& state) {
    const std::string& text = text_of(state.range(0));
    for (auto _ : state) {
        auto document = nlohmann::ordered_json::parse(text);
        benchmark::DoNotOptimize(document);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(json_parse)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);

void save_map(benchmark::State& state) {
    for (auto _ : state) {
        std::string text = quarn::save_map(big_map());
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * big_text().size()));
}
BENCHMARK(save_map)->Unit(benchmark::kMillisecond);

void json_dump(benchmark::State& state) {
    const auto document = nlohmann::ordered_json::parse(big_text());
    for (auto _ : state) {
        std::string text = document.dump(2);
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * big_text().size()));
}
BENCHMARK(json_dump)->Unit(benchmark::kMillisecond);

} // namespace
