// Backtest of many past draws and diagnosis of one number with every
// condition of the panel active over all 100,000 candidates.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "analysis/backtest.h"
#include "analysis/explain.h"
#include "conditions/captions.h"
#include "conditions/hint_texts.h"
#include "conditions/run_order.h"
#include "engine/number_list.h"

namespace {

using namespace numsift;

// Every condition of the panel holds something.
FilterInput everyConditionActive() {
    FilterInput in;
    std::vector<std::uint32_t> kill;
    for (std::uint32_t v = 3; v < kNumberSpace; v += 5) kill.push_back(v);  // 20,000 numbers
    in.straightKill = {formatNumbers(kill, kListLineWidth), hints::kStraightKill};
    in.positionalKill[0][0] = in.positionalKill[2][5] = in.positionalKill[4][9] = true;
    in.sumTailKill[0] = in.sumTailKill[5] = true;
    in.sumValueKill = {"00 01 44 45", hints::kSumValue};
    in.spanKill[0] = in.spanKill[1] = true;
    in.digitKill[4] = true;
    in.countRepeats = true;
    for (int g = 0; g < 10; ++g) {
        for (int d = 0; d < 4; ++d) in.banker[g].digits[(g + 3 * d) % 10] = true;
        in.banker[g].counts[0] = in.banker[g].counts[1] = in.banker[g].counts[2] = true;
    }
    in.bigSmallKill.set(0).set(31);
    in.oddEvenKill.set(0).set(21);
    in.primeCompositeKill.set(0);
    for (std::size_t i = 0; i < 243; i += 7) in.roadKill.set(i);
    in.shapeKill.set();
    for (RatioSet* ratios : {&in.bigSmallRatio, &in.oddEvenRatio, &in.primeCompositeRatio})
        ratios->set(1).set(2).set(3).set(4);
    in.acKill.set(1).set(2).set(8).set(9);
    for (std::size_t i = 0; i < 8; ++i) (in.compound.*kCompoundBoxes[i]).hint = hints::kCompose[i];
    in.compound.junk.text = "0123*0123*0123*01*01\r\n9*9*9*9*9";
    std::string two, three, four, must2, must3, must4;
    for (int a = 0; a < 10; ++a)
        for (int b = a + 1; b < 10; b += 3) two += std::to_string(a) + std::to_string(b) + " ";
    for (int a = 0; a < 300; a += 3) three += numberText(a * 3 % 1000).substr(2) + " ";
    for (int a = 0; a < 200; ++a) four += numberText(a * 37 % 10000).substr(1) + " ";
    in.compound.killTwo.text = two;
    in.compound.killThree.text = three;
    in.compound.killFour.text = four;
    in.compound.mustTwo.text = "01 23 45 67 89";
    in.compound.mustThree.text = "012 345 678 901";
    in.compound.mustFour.text = "0123456789";
    in.compound.positional.text = "12***\r\n*34**\r\n**5*6";
    return in;
}

std::vector<Draw> pastDraws(std::size_t n) {
    std::vector<Draw> draws;
    std::uint32_t x = 12345;
    for (std::size_t i = 0; i < n; ++i) {
        x = (x * 1103515245u + 12345u) & 0x7fffffffu;
        const std::string issue = std::to_string(2026000 + i);
        draws.push_back(Draw{issue, x % kNumberSpace, static_cast<int>(i + 1), issue, ""});
    }
    return draws;
}

void BM_Backtest1000Draws(benchmark::State& state) {
    const FilterInput in = everyConditionActive();
    const std::vector<Draw> draws = pastDraws(1000);
    std::size_t columns = 0;
    for (auto _ : state) {
        BacktestReport r = backtest(in, NumberSet{}, Tolerance{0, 3}, draws);
        columns = r.columns.size();
        benchmark::DoNotOptimize(r);
    }
    state.counters["columns"] = static_cast<double>(columns);
}
BENCHMARK(BM_Backtest1000Draws)->Unit(benchmark::kMillisecond);

void BM_ExplainOneNumber(benchmark::State& state) {
    const FilterInput in = everyConditionActive();
    std::size_t columns = 0;
    std::uint32_t v = 0;
    for (auto _ : state) {
        Explanation e = explain(in, NumberSet{}, Tolerance{0, 3}, v);
        v = (v + 7919) % kNumberSpace;
        columns = e.checks.size();
        benchmark::DoNotOptimize(e);
    }
    state.counters["columns"] = static_cast<double>(columns);
}
BENCHMARK(BM_ExplainOneNumber)->Unit(benchmark::kMicrosecond);

void BM_ParseDraws10000Lines(benchmark::State& state) {
    std::string text;
    for (const Draw& d : pastDraws(10000)) text += d.label + " " + numberText(d.value) + "\r\n";
    for (auto _ : state) benchmark::DoNotOptimize(parseDraws(text));
}
BENCHMARK(BM_ParseDraws10000Lines)->Unit(benchmark::kMillisecond);

}  // namespace
