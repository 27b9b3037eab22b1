// Grouped tolerance, stacked schemes and the what-if tables, each beside the
// plain run it is measured against: every condition of the panel active
// (bench_schemes.h) over all 100,000 numbers.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "analysis/backtest.h"
#include "analysis/draw_history.h"
#include "analysis/what_if.h"
#include "bench/engine/bench_schemes.h"
#include "conditions/run_order.h"
#include "conditions/scheme_stack.h"

namespace {

using namespace numsift;

// The every-condition scheme with its 37 columns dealt into eight groups
// (none left to the rest), each allowing up to a third of its columns.
Scheme inEightGroups() {
    Scheme s = bench::everything();
    const RunResult plain = runFilter(s.input, {}, s.tolerance);
    s.groups.resize(kMaxToleranceGroups);
    for (std::size_t c = 0; c < plain.matrix.columnCount(); ++c)
        s.groups[c % kMaxToleranceGroups].columns.push_back(*plain.matrix.column(c).id);
    for (std::size_t g = 0; g < s.groups.size(); ++g) {
        s.groups[g].name = "G" + std::to_string(g);
        s.groups[g].tolerance = {0, static_cast<std::uint8_t>(s.groups[g].columns.size() / 3)};
    }
    s.tolerance = {0, 0};
    return s;
}

void BM_RunEveryConditionUngrouped(benchmark::State& state) {
    const Scheme s = bench::everything();
    std::size_t kept = 0;
    for (auto _ : state) {
        RunResult r = runFilter(s.input, {}, s.grouping());
        kept = r.result.size();
        benchmark::DoNotOptimize(r.result.data());
    }
    state.counters["kept"] = static_cast<double>(kept);
}
BENCHMARK(BM_RunEveryConditionUngrouped)->Unit(benchmark::kMillisecond);

void BM_RunEveryConditionInEightGroups(benchmark::State& state) {
    const Scheme s = inEightGroups();
    std::size_t kept = 0;
    for (auto _ : state) {
        RunResult r = runFilter(s.input, {}, s.grouping());
        if (r.matrix.columnCount() != 37) state.SkipWithError("expected 37 columns");
        kept = r.result.size();
        benchmark::DoNotOptimize(r.result.data());
    }
    state.counters["kept"] = static_cast<double>(kept);
}
BENCHMARK(BM_RunEveryConditionInEightGroups)->Unit(benchmark::kMillisecond);

// Variations of the every-condition scheme (tolerances and groups differ),
// stacked over all 100,000 numbers.
void BM_StackSchemes(benchmark::State& state) {
    std::vector<Scheme> schemes;
    for (int k = 0; k < state.range(0); ++k) {
        Scheme s = k % 2 ? inEightGroups() : bench::everything();
        s.tolerance = {static_cast<std::uint8_t>(k % 4), static_cast<std::uint8_t>(6 + k % 5)};
        schemes.push_back(std::move(s));
    }
    for (auto _ : state) {
        StackCounts stack = stackSchemes(schemes, {});
        benchmark::DoNotOptimize(stack.counts.data());
    }
}
BENCHMARK(BM_StackSchemes)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Arg(20)->Unit(benchmark::kMillisecond);

// The real draws beside the project (../shared/data), 7,318 of them.
std::vector<Draw> realDraws(benchmark::State& state) {
    std::ifstream in(NUMSIFT_SOURCE_DIR "/../shared/data/five-digit-draws.txt", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::vector<Draw> draws = parseDraws(text.str()).draws;
    if (draws.empty()) state.SkipWithError("../shared/data/five-digit-draws.txt is missing");
    return draws;
}

// The what-if tables from one run and its backtest over the real draws.
void BM_WhatIfRealDraws(benchmark::State& state) {
    const std::vector<Draw> draws = realDraws(state);
    const Scheme s = state.range(0) ? inEightGroups() : bench::everything();
    const RunResult run = runFilter(s.input, {}, s.grouping());
    const BacktestReport report = backtestRun(run, runOrder(), s.input, draws);
    std::size_t rows = 0;
    for (auto _ : state) {
        WhatIf w = whatIf(run, report);
        rows = w.bands.size() + w.conditions.size();
        benchmark::DoNotOptimize(w.bands.data());
    }
    state.counters["draws"] = static_cast<double>(draws.size());
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_WhatIfRealDraws)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What a player waits for in all: the run, the backtest and the what-if.
void BM_BacktestWithWhatIfRealDraws(benchmark::State& state) {
    const std::vector<Draw> draws = realDraws(state);
    const Scheme s = bench::everything();
    for (auto _ : state) {
        const RunResult run = runFilter(s.input, {}, s.grouping());
        const BacktestReport report = backtestRun(run, runOrder(), s.input, draws);
        WhatIf w = whatIf(run, report);
        benchmark::DoNotOptimize(w.bands.data());
    }
}
BENCHMARK(BM_BacktestWithWhatIfRealDraws)->Unit(benchmark::kMillisecond);

}  // namespace
