// 复式 tickets for whole results: all 100,000 numbers, the example scheme's
// result, a random half of all numbers (no structure to merge), and results
// of random player schemes. The counters say how many tickets ticketsOf
// gives against grouping by the best single position (ticketFloor).
#include <benchmark/benchmark.h>

#include <fstream>
#include <numeric>
#include <random>
#include <sstream>

#include "bench/engine/bench_schemes.h"
#include "conditions/run_order.h"
#include "results/tickets.h"

namespace {

using namespace numsift;

std::vector<std::uint32_t> exampleResult() {
    std::ifstream in(NUMSIFT_SOURCE_DIR "/examples/example.json");
    std::stringstream text;
    text << in.rdbuf();
    const SchemeLoad load = loadScheme(text.str());
    if (!load.ok) return {};
    return runFilter(load.scheme.input, NumberSet{}, load.scheme.grouping()).result;
}

void ticketsOfSet(benchmark::State& state, const std::vector<std::uint32_t>& numbers) {
    std::size_t count = 0;
    for (auto _ : state) {
        const std::vector<Ticket> tickets = ticketsOf(numbers);
        count = tickets.size();
        benchmark::DoNotOptimize(tickets.data());
    }
    if (betCount(ticketsOf(numbers)) != numbers.size()) state.SkipWithError("tickets do not hold the set");
    state.counters["numbers"] = static_cast<double>(numbers.size());
    state.counters["tickets"] = static_cast<double>(count);
    state.counters["floor"] = static_cast<double>(ticketFloor(numbers));
}

void BM_TicketsOfAllNumbers(benchmark::State& state) {
    std::vector<std::uint32_t> all(kNumberSpace);
    std::iota(all.begin(), all.end(), 0u);
    ticketsOfSet(state, all);
}
BENCHMARK(BM_TicketsOfAllNumbers)->Unit(benchmark::kMillisecond);

void BM_TicketsOfExampleScheme(benchmark::State& state) {
    const std::vector<std::uint32_t> result = exampleResult();
    if (result.size() != 82666) state.SkipWithError("examples/example.json no longer keeps 82,666 numbers");
    ticketsOfSet(state, result);
}
BENCHMARK(BM_TicketsOfExampleScheme)->Unit(benchmark::kMillisecond);

void BM_TicketsOfRandomHalf(benchmark::State& state) {
    std::mt19937 rng(7);
    std::vector<std::uint32_t> half;
    for (std::uint32_t v = 0; v < kNumberSpace; ++v)
        if (rng() % 2) half.push_back(v);
    ticketsOfSet(state, half);
}
BENCHMARK(BM_TicketsOfRandomHalf)->Unit(benchmark::kMillisecond);

// 200 random player schemes, each run once outside the timing: the time is
// that of their tickets; tickets and floor are summed over the schemes, and
// below_floor is the share of schemes with fewer tickets than the floor.
void BM_TicketsOfRandomSchemes(benchmark::State& state) {
    std::mt19937 rng(20260501);
    std::vector<std::vector<std::uint32_t>> results;
    while (results.size() < 200) {
        const Scheme s = bench::randomPlayerScheme(rng);
        std::vector<std::uint32_t> r = runFilter(s.input, NumberSet{}, s.grouping()).result;
        if (!r.empty()) results.push_back(std::move(r));
    }
    for (auto _ : state)
        for (const auto& r : results) benchmark::DoNotOptimize(ticketsOf(r).data());
    double tickets = 0, floor = 0, numbers = 0, below = 0, worst = 0;
    for (const auto& r : results) {
        const double t = static_cast<double>(ticketsOf(r).size());
        const double f = static_cast<double>(ticketFloor(r));
        tickets += t;
        floor += f;
        numbers += static_cast<double>(r.size());
        below += t < f;
        worst = std::max(worst, t / f);
    }
    state.counters["numbers"] = numbers / static_cast<double>(results.size());
    state.counters["tickets"] = tickets;
    state.counters["floor"] = floor;
    state.counters["tickets/floor"] = tickets / floor;
    state.counters["below_floor"] = below / static_cast<double>(results.size());
    state.counters["worst_ratio"] = worst;
}
BENCHMARK(BM_TicketsOfRandomSchemes)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
