#pragma once
// What-if ("假如") over a backtest: what the result size and the share of past
// draws kept would be at other tolerances, and with one condition switched
// off. Everything is read from the run's condition matrix and the draws'
// fail marks of the backtest; the filter is not run again.
//
// Tolerance bands: for each set of the grouped tolerance (without groups the
// one set of all columns), its upper bound U from its lower bound L up to the
// largest fail count of that set among the candidates the other sets admit
// (beyond it nothing changes), the other sets keeping their tolerance.
// Conditions: for each column of the run, the figures with that column
// alone removed, every tolerance as it is.

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/backtest.h"
#include "engine/filter_run.h"

namespace numsift {

struct WhatIfFigures {
    std::size_t resultSize = 0;  // K
    double resultShare = 0;      // K / candidate count
    std::size_t drawsKept = 0;
    double drawShare = 0;  // drawsKept / draw count (draws outside the base set are never kept)

    bool operator==(const WhatIfFigures&) const = default;
};

struct ToleranceBand {
    std::size_t set = 0;   // the set whose upper bound this row moves
    Tolerance tolerance;   // that set's tolerance in this row
    bool current = false;  // the tolerance of the run
    WhatIfFigures figures;
};

struct ConditionOff {
    std::size_t column = 0;  // index into the run's columns (and the backtest's)
    WhatIfFigures figures;   // with the column removed
};

struct WhatIf {
    WhatIfFigures current;
    std::vector<ToleranceBand> bands;      // by set, then by U
    std::vector<ConditionOff> conditions;  // in column order
};

// report must be the backtest of run (backtestRun).
WhatIf whatIf(const RunResult& run, const BacktestReport& report);

}  // namespace numsift
