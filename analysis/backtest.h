#pragma once
// The backtest ("历史验证") of the current conditions over past draws: would
// the scheme have kept each draw, which conditions failed it, at what cost
// (the result size K), and which condition does more harm than good.
//
// The conditions do not depend on the draw, so one filter run serves every
// draw: each draw is looked up in the candidate table and its row of the
// condition matrix read. Draws outside the base set are not candidates; the
// checks are evaluated for them on a small table of their own so the player
// still sees which conditions they fail, but they never count as kept.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/draw_history.h"
#include "engine/filter_run.h"

namespace numsift {

struct DrawOutcome {
    std::string label;
    std::uint32_t value = 0;
    bool inBase = true;                      // false: a base set was used and lacks the draw
    int failCount = 0;                       // checks the draw fails
    std::vector<std::size_t> failedColumns;  // indexes into BacktestReport::columns
    bool survives = false;                   // inBase and the tolerance admits its fails
    std::vector<int> setFails;            // fails per set of the grouped tolerance (one set without groups)
    std::vector<std::size_t> failedSets;  // the sets whose fails lie outside their tolerance
};

struct ColumnOutcome {
    int step = 0;
    std::string caption;
    std::optional<ColumnId> id;        // the condition (and item) of the column
    std::size_t set = 0;               // its set of the grouped tolerance
    std::size_t candidatesMarked = 0;  // rows of the run the column marks
    double candidateShare = 0;         // candidatesMarked / candidate count
    std::size_t drawsMarked = 0;       // draws the column marks
    double drawShare = 0;              // drawsMarked / draw count
    double expectedDraws = 0;          // draw count * candidateShare
    // The column kills past draws more often than its share of candidates
    // explains: if draws fell on the candidates at random, a column marking a
    // share p of them would mark X ~ Binomial(n, p) of n draws, and
    // tailProbability = P(X >= drawsMarked) is the one-sided p-value. Every
    // column of the backtest is tested at once, so the p-values are adjusted
    // by Holm's method over all of them; the flag is set when drawsMarked
    // exceeds n * p and the adjusted p-value is at most 5 %. On random draws
    // the chance that any column of the backtest is flagged stays at most
    // 5 %, however many conditions are active. Such a belief costs more hits
    // than the candidates it removes are worth.
    bool overKills = false;
    double tailProbability = 1;      // P(X >= drawsMarked)
    double adjustedProbability = 1;  // tailProbability adjusted by Holm over the backtest's columns
};

struct BacktestSummary {
    std::size_t drawCount = 0;
    std::size_t survived = 0;
    double survivedPercent = 0;               // 0 when there are no draws
    std::size_t longestMissRun = 0;           // most consecutive draws (text order) not kept
    std::size_t resultSize = 0;               // K of the run
    double resultShare = 0;                   // K / 100,000
    std::size_t candidateCount = 0;           // N of the run (100,000 or the base set)
    std::size_t outsideBase = 0;              // draws not in the base set
    Tolerance tolerance;                      // the rest's; without groups, every column's
    std::vector<ToleranceGroup> groups;       // empty without grouped tolerance
    std::vector<std::size_t> setFailedDraws;  // per set: draws whose fails there lie outside its tolerance

    GroupedTolerance grouping() const { return GroupedTolerance(tolerance, groups); }
};

struct BacktestReport {
    std::vector<DrawOutcome> draws;      // in the order given
    std::vector<ColumnOutcome> columns;  // in run order
    BacktestSummary summary;
};

inline constexpr double kOverKillLevel = 0.05;

// Backtest over an existing run (its steps must be the ones given, so that the
// draws outside the base set are checked the same way).
BacktestReport backtestRun(const RunResult& run, std::span<const RunStep> steps, const FilterInput& input,
                           std::span<const Draw> draws);

// Recomputes what follows from the counts of a report (the summary's
// shares, each column's shares, p-values and flags), as backtestRun does.
void completeFigures(const RunResult& run, BacktestReport& report);

// A backtest over more draws than their outcomes could be held for at once
// (numsift-cli on a long file): the draws are judged a batch at a time, in
// order, each batch's outcomes given back to be written and dropped, and
// finish() gives the summary and the columns over every batch, as one
// backtestRun over all the draws would.
class BacktestBatches {
public:
    // run, steps and input must outlive this object.
    BacktestBatches(const RunResult& run, std::span<const RunStep> steps, const FilterInput& input);
    BacktestReport add(std::span<const Draw> draws);
    BacktestReport finish() const;  // its draws are empty

private:
    const RunResult& run_;
    std::span<const RunStep> steps_;
    const FilterInput& input_;
    BacktestReport total_;     // counts so far, no draws
    std::size_t missRun_ = 0;  // draws not kept at the end of the last batch
};

// Runs the given steps once and backtests the draws against that run.
BacktestReport backtest(std::span<const RunStep> steps, const FilterInput& input, const NumberSet& base,
                        const GroupedTolerance& tolerance, std::span<const Draw> draws);
BacktestReport backtest(std::span<const RunStep> steps, const FilterInput& input, const NumberSet& base,
                        Tolerance tolerance, std::span<const Draw> draws);

// The same with the program's full run order.
BacktestReport backtest(const FilterInput& input, const NumberSet& base, const GroupedTolerance& tolerance,
                        std::span<const Draw> draws);
BacktestReport backtest(const FilterInput& input, const NumberSet& base, Tolerance tolerance,
                        std::span<const Draw> draws);

// P(X >= k) for X ~ Binomial(n, p).
double binomialUpperTail(std::size_t n, std::size_t k, double p);

// Holm-Bonferroni adjusted p-values, in the order given: with the m values
// sorted ascending, the i-th smallest (1-based) becomes the largest of
// min(1, (m - j + 1) * p(j)) over j <= i. Rejecting every hypothesis whose
// adjusted value is at most a level keeps the chance of any false rejection
// at most that level.
std::vector<double> holmAdjusted(std::span<const double> pValues);

}  // namespace numsift
