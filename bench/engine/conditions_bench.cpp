// The filter run over all 100,000 numbers with every condition active (37
// columns, ten banker groups, hundreds of codes in every compound box, a
// 20,000-number kill list), beside the run without any condition, and the
// load of such a scheme.
#include <benchmark/benchmark.h>

#include "bench/engine/bench_schemes.h"
#include "conditions/run_order.h"

namespace {

using namespace numsift;

void BM_RunEveryCondition(benchmark::State& state) {
    const Scheme s = bench::everything();
    for (auto _ : state) {
        RunResult r = runFilter(s.input, {}, s.tolerance);
        if (r.matrix.columnCount() != 37) state.SkipWithError("expected 37 columns");
        benchmark::DoNotOptimize(r.result.data());
    }
}
BENCHMARK(BM_RunEveryCondition)->Unit(benchmark::kMillisecond);

void BM_RunNoCondition(benchmark::State& state) {
    const Scheme s = emptyScheme();
    for (auto _ : state) {
        RunResult r = runFilter(s.input, {}, s.tolerance);
        benchmark::DoNotOptimize(r.result.data());
    }
}
BENCHMARK(BM_RunNoCondition)->Unit(benchmark::kMillisecond);

void BM_LoadEveryConditionScheme(benchmark::State& state) {
    const std::string text = saveScheme(bench::everything());
    for (auto _ : state) {
        SchemeLoad load = loadScheme(text);
        if (!load.ok) state.SkipWithError(load.error.c_str());
        benchmark::DoNotOptimize(load.scheme.input.compound.junk.text.data());
    }
}
BENCHMARK(BM_LoadEveryConditionScheme)->Unit(benchmark::kMillisecond);

// A damaged or hostile scheme file of 100,000 distinct keys: refused (no
// format marker) after one pass over its keys.
void BM_LoadSchemeOfManyKeys(benchmark::State& state) {
    std::string text = "{";
    for (int i = 0; i < 100000; ++i) text += (i ? ",\"k" : "\"k") + std::to_string(i) + "\": 0";
    text += "}";
    for (auto _ : state) {
        SchemeLoad load = loadScheme(text);
        if (load.ok) state.SkipWithError("a scheme without its format marker loaded");
        benchmark::DoNotOptimize(load.error.data());
    }
}
BENCHMARK(BM_LoadSchemeOfManyKeys)->Unit(benchmark::kMillisecond);

}  // namespace
