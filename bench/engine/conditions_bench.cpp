// The filter run over all 100,000 numbers with every condition active (37
// columns, ten banker groups, hundreds of codes in every compound box, a
// 20,000-number kill list), beside the run without any condition, and the
// load of such a scheme.
#include <benchmark/benchmark.h>

#include <random>

#include "conditions/captions.h"
#include "conditions/run_order.h"
#include "conditions/scheme.h"

namespace {

using namespace numsift;

std::string codes(std::mt19937& rng, int length, int count) {
    std::string s;
    for (int i = 0; i < count; ++i) {
        if (i) s += (i % 10 == 0) ? "\r\n" : " ";
        for (int k = 0; k < length; ++k) s += static_cast<char>('0' + rng() % 10);
    }
    return s;
}

std::string group(std::mt19937& rng) {
    std::string g;
    const int n = 1 + static_cast<int>(rng() % 3);
    for (int i = 0; i < n; ++i) g += static_cast<char>('0' + rng() % 10);
    return g;
}

Scheme everything() {
    std::mt19937 rng(20240601);
    Scheme s = emptyScheme();
    FilterInput& in = s.input;
    std::vector<std::uint32_t> kill(kNumberSpace);
    for (std::uint32_t v = 0; v < kNumberSpace; ++v) kill[v] = v;
    std::shuffle(kill.begin(), kill.end(), rng);
    kill.resize(20000);
    std::sort(kill.begin(), kill.end());
    in.straightKill.text = formatNumbers(kill, kListLineWidth);
    for (int r = 0; r < 5; ++r)
        in.positionalKill[static_cast<std::size_t>(r)][static_cast<std::size_t>(r)] = true;
    in.sumTailKill[0] = in.sumTailKill[5] = true;
    in.sumValueKill.text = "00 01 02 43 44 45";
    in.spanKill[0] = in.spanKill[1] = in.spanKill[9] = true;
    in.digitKill[7] = true;
    for (BankerGroupInput& g : in.banker) {
        for (int k = 0; k < 5; ++k) g.digits[rng() % 10] = true;
        g.counts[1] = g.counts[2] = g.counts[3] = true;
    }
    for (const char* c : {"大大大大大", "小小小小小", "大小大小大"})
        in.bigSmallKill.set(*classBoxOfCaption(ClassKind::BigSmall, c));
    for (const char* c : {"奇奇奇奇奇", "偶偶偶偶偶"})
        in.oddEvenKill.set(*classBoxOfCaption(ClassKind::OddEven, c));
    for (const char* c : {"质质质质质", "合合合合合"})
        in.primeCompositeKill.set(*classBoxOfCaption(ClassKind::PrimeComposite, c));
    for (const char* c : {"00000", "11111", "22222", "01201", "12012"})
        in.roadKill.set(*roadPatternOfCaption(c));
    in.shapeKill.set();
    for (std::size_t k : {1, 2, 3, 4}) {
        in.bigSmallRatio.set(k);
        in.oddEvenRatio.set(k);
        in.primeCompositeRatio.set(k);
    }
    in.acKill.set(1).set(2).set(3);
    std::string junk, positional;
    for (int i = 0; i < 300; ++i) {
        if (i) junk += "\r\n", positional += "\r\n";
        junk += group(rng) + "*" + group(rng) + "*" + group(rng) + "*" + group(rng) + "*" + group(rng);
        std::string line;
        for (int k = 0; k < 5; ++k) line += rng() % 2 ? static_cast<char>('0' + rng() % 10) : '*';
        positional += line == "*****" ? "1****" : line;
    }
    in.compound.junk.text = junk;
    in.compound.killTwo.text = codes(rng, 2, 300);
    in.compound.killThree.text = codes(rng, 3, 300);
    in.compound.killFour.text = codes(rng, 4, 200) + "\r\n" + codes(rng, 6, 100);
    in.compound.mustTwo.text = codes(rng, 2, 300);
    in.compound.mustThree.text = codes(rng, 3, 300);
    in.compound.mustFour.text = codes(rng, 4, 200) + "\r\n" + codes(rng, 7, 100);
    in.compound.positional.text = positional;
    s.tolerance = {4, 9};
    return s;
}

void BM_RunEveryCondition(benchmark::State& state) {
    const Scheme s = everything();
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
    const std::string text = saveScheme(everything());
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
