#include "analysis/backtest.h"

#include <algorithm>
#include <cmath>

#include "conditions/run_order.h"

namespace numsift {

namespace {

bool sameColumns(const ConditionMatrix& a, const ConditionMatrix& b) {
    if (a.columnCount() != b.columnCount()) return false;
    for (std::size_t c = 0; c < a.columnCount(); ++c)
        if (a.column(c).step != b.column(c).step || a.column(c).id != b.column(c).id) return false;
    return true;
}

// Row of value in an ascending table, or -1.
long rowOf(const CandidateTable& table, std::uint32_t value) {
    const auto it = std::lower_bound(table.values.begin(), table.values.end(), value);
    if (it == table.values.end() || *it != value) return -1;
    return static_cast<long>(it - table.values.begin());
}

}  // namespace

double binomialUpperTail(std::size_t n, std::size_t k, double p) {
    if (k == 0) return 1.0;
    if (k > n) return 0.0;
    if (!(p > 0.0)) return 0.0;
    if (!(p < 1.0)) return 1.0;
    const double dn = static_cast<double>(n);
    const double mean = dn * p;
    const double logOdds = std::log(p) - std::log1p(-p);
    auto logPmf = [&](double i) {
        return std::lgamma(dn + 1) - std::lgamma(i + 1) - std::lgamma(dn - i + 1) + i * std::log(p) +
               (dn - i) * std::log1p(-p);
    };
    // Sum the side of the distribution that starts at k and runs away from
    // the mode, so the loop stops once the terms no longer matter; in log
    // steps, so tiny terms stay exact enough.
    if (static_cast<double>(k) > mean) {
        double logTerm = logPmf(static_cast<double>(k));
        double sum = 0.0;
        for (std::size_t i = k; i <= n; ++i) {
            const double term = std::exp(logTerm);
            sum += term;
            if (term <= sum * 1e-17) break;
            if (i < n) logTerm += std::log(static_cast<double>(n - i) / static_cast<double>(i + 1)) + logOdds;
        }
        return std::clamp(sum, 0.0, 1.0);
    }
    // P(X >= k) = 1 - P(X <= k - 1), the lower side summed downwards.
    double logTerm = logPmf(static_cast<double>(k - 1));
    double lower = 0.0;
    for (std::size_t i = k - 1;; --i) {
        const double term = std::exp(logTerm);
        lower += term;
        if (i == 0 || term <= lower * 1e-17) break;
        logTerm += std::log(static_cast<double>(i) / static_cast<double>(n - i + 1)) - logOdds;
    }
    return std::clamp(1.0 - lower, 0.0, 1.0);
}

std::vector<double> holmAdjusted(std::span<const double> pValues) {
    const std::size_t m = pValues.size();
    std::vector<std::size_t> order(m);
    for (std::size_t i = 0; i < m; ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return pValues[a] < pValues[b]; });
    std::vector<double> adjusted(m);
    double running = 0.0;
    for (std::size_t rank = 0; rank < m; ++rank) {
        const std::size_t i = order[rank];
        running = std::max(running, std::min(1.0, static_cast<double>(m - rank) * pValues[i]));
        adjusted[i] = running;
    }
    return adjusted;
}

BacktestReport backtestRun(const RunResult& run, std::span<const RunStep> steps, const FilterInput& input,
                           std::span<const Draw> draws) {
    BacktestReport report;
    const ConditionMatrix& matrix = run.matrix;
    const std::size_t columns = matrix.columnCount();

    // Draws the run had no row for (outside the base set): evaluate the same
    // checks over a table of just these numbers.
    NumberSet outside;
    for (const Draw& d : draws)
        if (rowOf(run.table, d.value) < 0) outside.values.push_back(d.value);
    std::sort(outside.values.begin(), outside.values.end());
    outside.values.erase(std::unique(outside.values.begin(), outside.values.end()), outside.values.end());
    RunResult outsideRun;
    bool outsideKnown = false;
    if (!outside.empty()) {
        outsideRun = runChecks(steps, input, outside, run.tolerance);
        outsideKnown = sameColumns(matrix, outsideRun.matrix);
    }

    const GroupedTolerance grouping = run.grouping();
    BacktestSummary& s = report.summary;
    s.setFailedDraws.assign(grouping.setCount(), 0);

    report.columns.resize(columns);
    for (std::size_t c = 0; c < columns; ++c) {
        ColumnOutcome& co = report.columns[c];
        co.set = c < run.columnSets.size() ? run.columnSets[c] : grouping.restSet();
        co.step = matrix.column(c).step;
        co.caption = matrix.column(c).caption;
        co.id = matrix.column(c).id;
        co.candidatesMarked = matrix.column(c).markedCount();
        co.candidateShare = run.table.size() ? static_cast<double>(co.candidatesMarked) /
                                                   static_cast<double>(run.table.size())
                                             : 0.0;
    }

    report.draws.reserve(draws.size());
    std::size_t missRun = 0;
    for (const Draw& d : draws) {
        DrawOutcome o;
        o.label = d.label;
        o.value = d.value;
        const long row = rowOf(run.table, d.value);
        const ConditionMatrix* m = &matrix;
        long r = row;
        if (row < 0) {
            o.inBase = false;
            ++s.outsideBase;
            m = outsideKnown ? &outsideRun.matrix : nullptr;
            r = m ? rowOf(outsideRun.table, d.value) : -1;
        }
        if (m && r >= 0) {
            for (std::size_t c = 0; c < columns; ++c) {
                if (m->column(c).marks[static_cast<std::size_t>(r)]) {
                    o.failedColumns.push_back(c);
                    ++report.columns[c].drawsMarked;
                }
            }
        }
        o.failCount = static_cast<int>(o.failedColumns.size());
        o.setFails.assign(grouping.setCount(), 0);
        for (std::size_t c : o.failedColumns) ++o.setFails[report.columns[c].set];
        for (std::size_t set = 0; set < grouping.setCount(); ++set) {
            if (within(grouping.toleranceOf(set), o.setFails[set])) continue;
            o.failedSets.push_back(set);
            ++s.setFailedDraws[set];
        }
        o.survives = o.inBase && o.failedSets.empty();
        if (o.survives) {
            ++s.survived;
            missRun = 0;
        } else {
            s.longestMissRun = std::max(s.longestMissRun, ++missRun);
        }
        report.draws.push_back(std::move(o));
    }

    s.drawCount = draws.size();
    completeFigures(run, report);
    return report;
}

void completeFigures(const RunResult& run, BacktestReport& report) {
    BacktestSummary& s = report.summary;
    s.survivedPercent =
        s.drawCount ? 100.0 * static_cast<double>(s.survived) / static_cast<double>(s.drawCount) : 0.0;
    s.resultSize = run.result.size();
    s.resultShare = static_cast<double>(s.resultSize) / static_cast<double>(kNumberSpace);
    s.candidateCount = run.table.size();
    s.tolerance = run.tolerance;
    s.groups = run.groups;

    for (ColumnOutcome& co : report.columns) {
        const std::size_t n = s.drawCount;
        co.drawShare = n ? static_cast<double>(co.drawsMarked) / static_cast<double>(n) : 0.0;
        co.expectedDraws = static_cast<double>(n) * co.candidateShare;
        co.tailProbability = binomialUpperTail(n, co.drawsMarked, co.candidateShare);
    }
    std::vector<double> tails;
    tails.reserve(report.columns.size());
    for (const ColumnOutcome& co : report.columns) tails.push_back(co.tailProbability);
    const std::vector<double> adjusted = holmAdjusted(tails);
    for (std::size_t c = 0; c < report.columns.size(); ++c) {
        ColumnOutcome& co = report.columns[c];
        co.adjustedProbability = adjusted[c];
        co.overKills = static_cast<double>(co.drawsMarked) > co.expectedDraws &&
                       co.adjustedProbability <= kOverKillLevel;
    }
}

BacktestBatches::BacktestBatches(const RunResult& run, std::span<const RunStep> steps,
                                 const FilterInput& input)
    : run_(run), steps_(steps), input_(input), total_(backtestRun(run, steps, input, {})) {}

BacktestReport BacktestBatches::add(std::span<const Draw> draws) {
    BacktestReport batch = backtestRun(run_, steps_, input_, draws);
    BacktestSummary& s = total_.summary;
    for (const DrawOutcome& o : batch.draws) {
        missRun_ = o.survives ? 0 : missRun_ + 1;
        s.longestMissRun = std::max(s.longestMissRun, missRun_);
    }
    s.drawCount += batch.summary.drawCount;
    s.survived += batch.summary.survived;
    s.outsideBase += batch.summary.outsideBase;
    for (std::size_t set = 0; set < s.setFailedDraws.size(); ++set)
        s.setFailedDraws[set] += batch.summary.setFailedDraws[set];
    for (std::size_t c = 0; c < total_.columns.size(); ++c)
        total_.columns[c].drawsMarked += batch.columns[c].drawsMarked;
    return batch;
}

BacktestReport BacktestBatches::finish() const {
    BacktestReport report = total_;
    completeFigures(run_, report);
    return report;
}

BacktestReport backtest(std::span<const RunStep> steps, const FilterInput& input, const NumberSet& base,
                        const GroupedTolerance& tolerance, std::span<const Draw> draws) {
    const RunResult run = runChecks(steps, input, base, tolerance);
    return backtestRun(run, steps, input, draws);
}

BacktestReport backtest(std::span<const RunStep> steps, const FilterInput& input, const NumberSet& base,
                        Tolerance tolerance, std::span<const Draw> draws) {
    return backtest(steps, input, base, GroupedTolerance(tolerance), draws);
}

BacktestReport backtest(const FilterInput& input, const NumberSet& base, const GroupedTolerance& tolerance,
                        std::span<const Draw> draws) {
    return backtest(runOrder(), input, base, tolerance, draws);
}

BacktestReport backtest(const FilterInput& input, const NumberSet& base, Tolerance tolerance,
                        std::span<const Draw> draws) {
    return backtest(runOrder(), input, base, GroupedTolerance(tolerance), draws);
}

}  // namespace numsift
