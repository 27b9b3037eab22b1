// Kill rules over the real draws: walk-forward of a scheme with every
// condition and eight rules (one best-formula), and the figures of the whole
// built-in library (128 rules, 24 of them best-formula) over all draws.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/draw_store.h"
#include "analysis/rule_figures.h"
#include "analysis/rule_library.h"
#include "analysis/walk_forward.h"
#include "bench/engine/bench_schemes.h"

namespace {

using namespace numsift;

// The real draws beside the project (../shared/data), 7,318 of them, in issue order.
std::vector<std::uint32_t> realDrawValues(benchmark::State& state) {
    std::ifstream in(NUMSIFT_SOURCE_DIR "/../shared/data/five-digit-draws.txt", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::vector<std::uint32_t> draws = drawsInOrder(parseDraws(text.str())).values;
    if (draws.empty()) state.SkipWithError("../shared/data/five-digit-draws.txt is missing");
    return draws;
}

Scheme everythingWithRules() {
    Scheme s = bench::everything();
    s.rules = {{RuleFamily::Pos1, RuleKind::Cold, 1, 0, {}},
               {RuleFamily::Pos2, RuleKind::Repeat, 1, 0, {}},
               {RuleFamily::Pos3, RuleKind::Hot, 2, 30, {}},
               {RuleFamily::Pos5, RuleKind::BestFormula, 1, 100, {}},
               {RuleFamily::Any, RuleKind::Cold, 1, 0, {}},
               {RuleFamily::Any, RuleKind::Hot, 1, 10, {}},
               {RuleFamily::SumTail, RuleKind::Repeat, 1, 0, {}},
               {RuleFamily::Span, RuleKind::Formula, 1, 0, {{3, 0, 0, 0, 1}, 7}}};
    return s;
}

void BM_WalkForwardRealDraws(benchmark::State& state) {
    const std::vector<std::uint32_t> draws = realDrawValues(state);
    const Scheme s = everythingWithRules();
    std::size_t kept = 0;
    for (auto _ : state) {
        const auto report = walkForward(s, {}, draws, DrawSpan{0, draws.size()});
        kept = report->summary.kept;
        benchmark::DoNotOptimize(report->draws.data());
    }
    state.counters["draws"] = static_cast<double>(draws.size());
    state.counters["kept"] = static_cast<double>(kept);
}
BENCHMARK(BM_WalkForwardRealDraws)->Unit(benchmark::kMillisecond);

void BM_RuleLibraryRealDraws(benchmark::State& state) {
    const std::vector<std::uint32_t> draws = realDrawValues(state);
    const std::vector<KillRule> rules = builtInRules();
    for (auto _ : state) {
        const auto figures = ruleFigures(rules, draws, DrawSpan{0, draws.size()});
        benchmark::DoNotOptimize(figures->data());
    }
    state.counters["rules"] = static_cast<double>(rules.size());
}
BENCHMARK(BM_RuleLibraryRealDraws)->Unit(benchmark::kMillisecond);

// One best-formula rule alone: what a window of the library costs.
void BM_BestFormulaRealDraws(benchmark::State& state) {
    const std::vector<std::uint32_t> draws = realDrawValues(state);
    const KillRule rule{RuleFamily::Any, RuleKind::BestFormula, 1, static_cast<int>(state.range(0)), {}};
    for (auto _ : state) benchmark::DoNotOptimize(ruleKills(rule, draws, 0, draws.size() + 1).data());
}
BENCHMARK(BM_BestFormulaRealDraws)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond);

}  // namespace
