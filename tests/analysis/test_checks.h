#pragma once
// Three small checks with hand-countable marks, so that backtest figures can
// be worked out by hand: 首位0 (d1 = 0, 10 % of all numbers), 尾奇 (d5 odd,
// 50 %) and 同首二 (d1 = d2, 10 %), plus 三同首 (d1 = d2 = d3, 1 %).

#include <array>
#include <span>

#include "conditions/filter_input.h"
#include "engine/filter_run.h"

namespace numsift::testing {

template <typename Pred>
void markWhere(const CandidateTable& t, ConditionMatrix& m, int step, const char* caption, Pred pred) {
    std::uint8_t* col = m.appendColumn(step, caption);
    for (std::size_t i = 0; i < t.size(); ++i) col[i] = pred(t.digits(i)) ? 1 : 0;
}

inline void firstZero(const FilterInput&, const CandidateTable& t, ConditionMatrix& m) {
    markWhere(t, m, 2, "首位0", [](const Digits& d) { return d[0] == 0; });
}
inline void lastOdd(const FilterInput&, const CandidateTable& t, ConditionMatrix& m) {
    markWhere(t, m, 3, "尾奇", [](const Digits& d) { return d[4] % 2 == 1; });
}
inline void firstTwoSame(const FilterInput&, const CandidateTable& t, ConditionMatrix& m) {
    markWhere(t, m, 9, "同首二", [](const Digits& d) { return d[0] == d[1]; });
}
inline void firstThreeSame(const FilterInput&, const CandidateTable& t, ConditionMatrix& m) {
    markWhere(t, m, 9, "三同首", [](const Digits& d) { return d[0] == d[1] && d[1] == d[2]; });
}

inline const std::array<RunStep, 3> kThreeChecks = {{
    {2, "首位0", firstZero},
    {3, "尾奇", lastOdd},
    {9, "同首二", firstTwoSame},
}};

}  // namespace numsift::testing
