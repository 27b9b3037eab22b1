// Group selection and copy text over a full result set.
#include <benchmark/benchmark.h>

#include <numeric>
#include <random>

#include "results/group_selection.h"
#include "results/result_copy.h"

namespace {

std::vector<std::uint32_t> shuffledSpace() {
    std::vector<std::uint32_t> v(100000);
    std::iota(v.begin(), v.end(), 0u);
    std::shuffle(v.begin(), v.end(), std::mt19937(42));
    return v;
}

void BM_ConvertToGroupSelection(benchmark::State& state) {
    const auto values = shuffledSpace();
    for (auto _ : state) {
        auto g = numsift::toGroupSelection(values);
        benchmark::DoNotOptimize(g.data());
        if (g.size() != 2002) state.SkipWithError("wrong group-selection count");
    }
}
BENCHMARK(BM_ConvertToGroupSelection)->Unit(benchmark::kMillisecond);

// What the first conversion of a session adds: the sorted form of all numbers.
void BM_SortDigitsOfEveryNumber(benchmark::State& state) {
    for (auto _ : state) {
        std::uint32_t sum = 0;
        for (std::uint32_t v = 0; v < 100000; ++v) sum += numsift::sortedDigitsValue(v);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_SortDigitsOfEveryNumber)->Unit(benchmark::kMillisecond);

void BM_BuildCopyResult(benchmark::State& state) {
    const auto values = shuffledSpace();
    const numsift::ResultData data(values);
    const int width = static_cast<int>(state.range(0));
    for (auto _ : state) {
        std::string text = numsift::BuildCopyResult(data, 0, 99999, width);
        benchmark::DoNotOptimize(text.data());
        if (text.size() < 599999) state.SkipWithError("copy text too short");
    }
}
BENCHMARK(BM_BuildCopyResult)->Arg(10)->Arg(5)->Unit(benchmark::kMillisecond);

}  // namespace
