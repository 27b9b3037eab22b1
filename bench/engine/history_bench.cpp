// The kept draw history: omission figures of every condition item over the
// real draws and over 10,000 and 100,000 draws (linear), and importing the
// real draw file into an empty history and saving it.
#include <benchmark/benchmark.h>

#include <QString>
#include <QTemporaryDir>

#include <optional>
#include <string>
#include <vector>

#include "analysis/draw_store.h"
#include "analysis/omission_stats.h"
#include "engine/number.h"
#include "io/draw_history_file.h"
#include "io/text_file.h"

namespace {

using namespace numsift;

// The real draws beside the project (../shared/data), 7,318 of them.
const QString kRealDraws = QStringLiteral(NUMSIFT_SOURCE_DIR "/../shared/data/five-digit-draws.txt");

// The real draws' text; nothing (and the benchmark skipped) when missing.
std::optional<std::string> realDrawsText(benchmark::State& state) {
    const TextFileResult file = readTextFile(kRealDraws);
    if (!file.ok) {
        state.SkipWithError("../shared/data/five-digit-draws.txt is missing");
        return std::nullopt;
    }
    return file.text.toStdString();
}

std::vector<std::uint32_t> randomDraws(std::size_t n) {
    std::vector<std::uint32_t> draws(n);
    std::uint32_t x = 2026;
    for (std::uint32_t& v : draws) {
        x = (x * 1103515245u + 12345u) & 0x7fffffffu;
        v = x % kNumberSpace;
    }
    return draws;
}

void BM_OmissionStatsRealDraws(benchmark::State& state) {
    const std::optional<std::string> text = realDrawsText(state);
    if (!text) return;
    DrawStore store;
    store.importText(*text);
    const std::vector<std::uint32_t> draws = store.values();
    for (auto _ : state) benchmark::DoNotOptimize(omissionStats(draws));
    state.counters["draws"] = static_cast<double>(draws.size());
}
BENCHMARK(BM_OmissionStatsRealDraws)->Unit(benchmark::kMillisecond);

void BM_OmissionStats(benchmark::State& state) {
    const std::vector<std::uint32_t> draws = randomDraws(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(omissionStats(draws));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_OmissionStats)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_ImportAndSaveRealDraws(benchmark::State& state) {
    QTemporaryDir dir;
    const DrawHistoryFile file(dir.filePath(QLatin1String(kDrawHistoryFileName)));
    std::size_t kept = 0;
    for (auto _ : state) {
        const std::optional<std::string> text = realDrawsText(state);
        if (!text) return;
        DrawStore store;
        store.importText(*text);
        if (!file.save(store).ok) {
            state.SkipWithError("cannot save");
            return;
        }
        kept = store.size();
    }
    state.counters["draws"] = static_cast<double>(kept);
}
BENCHMARK(BM_ImportAndSaveRealDraws)->Unit(benchmark::kMillisecond);

// Importing the same 7,318 draws again into the kept history: every issue
// is found unchanged.
void BM_ReimportRealDraws(benchmark::State& state) {
    const std::optional<std::string> text = realDrawsText(state);
    if (!text) return;
    DrawStore store;
    store.importText(*text);
    for (auto _ : state) benchmark::DoNotOptimize(store.importText(*text));
}
BENCHMARK(BM_ReimportRealDraws)->Unit(benchmark::kMillisecond);

}  // namespace
