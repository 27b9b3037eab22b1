// The play record: scoring a ledger of 1,000 records against 10,000 kept
// draws, and reading back (and checking the SHA-256 chain of) a record file
// of 1,000 records.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <random>

#include "analysis/play_ledger.h"
#include "io/play_record_file.h"

namespace {

using namespace numsift;

DrawStore tenThousandDraws() {
    std::mt19937 rng(11);
    std::vector<KeptDraw> draws;
    for (int i = 0; i < 10000; ++i)
        draws.push_back({std::to_string(2000001 + i), "", static_cast<std::uint32_t>(rng() % 100000)});
    return *DrawStore::fromOrdered(std::move(draws));
}

// 1,000 records of 200 to 5,000 numbers, most for drawn issues, some past the last draw.
std::vector<PlayRecord> thousandRecords() {
    std::mt19937 rng(12);
    std::vector<PlayRecord> records(1000);
    for (std::size_t i = 0; i < records.size(); ++i) {
        PlayRecord& r = records[i];
        r.issue = std::to_string(2009011 + i);
        r.time = "2026-05-01 20:30:00";
        r.multiple = 1 + static_cast<int>(rng() % 10);
        const std::uint32_t count = 200 + rng() % 4800;
        std::vector<std::uint8_t> in(100000, 0);
        for (std::uint32_t k = 0; k < count; ++k) in[rng() % 100000] = 1;
        for (std::uint32_t v = 0; v < 100000; ++v)
            if (in[v]) r.set.values.push_back(v);
    }
    return records;
}

void BM_ScoreLedgerOf1000RecordsAgainst10000Draws(benchmark::State& state) {
    const DrawStore history = tenThousandDraws();
    const std::vector<PlayRecord> records = thousandRecords();
    for (auto _ : state) {
        const Ledger ledger = scoreLedger(records, history);
        benchmark::DoNotOptimize(ledger.totals.prize);
        if (ledger.totals.drawn != 990) state.SkipWithError("wrong number of drawn records");
    }
}
BENCHMARK(BM_ScoreLedgerOf1000RecordsAgainst10000Draws)->Unit(benchmark::kMillisecond);

void BM_LoadPlayRecordFileOf1000Records(benchmark::State& state) {
    QTemporaryDir dir;
    const std::vector<PlayRecord> records = thousandRecords();
    const QString path = dir.filePath(QLatin1String(kPlayRecordFileName));
    if (!saveAtomically(path, playRecordText(records)).ok) state.SkipWithError("cannot write the file");
    for (auto _ : state) {
        PlayRecordFile file(path);
        const LoadedPlayRecord loaded = file.load();
        if (loaded.records.size() != records.size()) state.SkipWithError("records lost");
    }
}
BENCHMARK(BM_LoadPlayRecordFileOf1000Records)->Unit(benchmark::kMillisecond);

}  // namespace
