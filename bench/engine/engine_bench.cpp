// Number lists and the bare filter run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "conditions/run_order.h"
#include "engine/number_list.h"
#include "engine/number_set_store.h"

namespace {

// All 100,000 numbers in random order, ten a line (about 640,000 characters).
std::string shuffledList() {
    std::vector<std::uint32_t> v(numsift::kNumberSpace);
    std::iota(v.begin(), v.end(), 0u);
    std::mt19937 rng(20261208);
    std::shuffle(v.begin(), v.end(), rng);
    return numsift::formatNumbers(v, 10);
}

void BM_ParseAndFormat100k(benchmark::State& state) {
    const std::string text = shuffledList();
    numsift::NumberSetStore store;
    for (auto _ : state) {
        std::string out = store.parse(text, numsift::ParseTarget::Base, false);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseAndFormat100k)->Unit(benchmark::kMillisecond);

void BM_RunNoCondition100k(benchmark::State& state) {
    numsift::FilterInput input;
    numsift::NumberSet base;
    for (auto _ : state) {
        numsift::RunResult r = numsift::runChecks({}, input, base, {0, 0});
        benchmark::DoNotOptimize(r.result.data());
    }
}
BENCHMARK(BM_RunNoCondition100k)->Unit(benchmark::kMicrosecond);

}  // namespace
