#pragma once
// The checks of the filter run, one per condition, in the form the run order
// calls them: each reads its own part of the condition panel state, decides
// whether it is active and, if so, appends its column(s) of fail marks.

#include "conditions/condition_id.h"
#include "conditions/filter_input.h"
#include "engine/candidate_table.h"
#include "engine/condition_matrix.h"

namespace numsift {

// straight_kill.cpp: 杀直选, the whole numbers of txtDan5.
void checkStraightKill(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m);
// positional_kill.cpp: 定位杀.
void checkPositionalKill(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m);
// sum_span_kill.cpp: 杀和尾, 杀和值, 杀跨度, 通杀码 (up to four columns).
void checkSumSpanKill(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m);
// banker_groups.cpp: 胆组 (one column for all groups).
void checkBankerGroups(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m);
// class_patterns.cpp: 杀大小排列, 杀奇偶排列, 杀质合排列.
void checkBigSmallPatterns(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m);
void checkOddEvenPatterns(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m);
void checkPrimeCompositePatterns(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m);
// road_patterns.cpp: 杀012排列.
void checkRoadPatterns(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m);
// special_shapes.cpp: one column per ticked shape box.
void checkSpecialShapes(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m);
// ratios_ac.cpp: 大小比, 奇偶比, 质合比 (ratios to keep), 杀AC值.
void checkBigSmallRatio(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m);
void checkOddEvenRatio(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m);
void checkPrimeCompositeRatio(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m);
void checkAcKill(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m);
// position_sets.cpp: 杀垃圾复式 (txtCompose(0)), 组合定位杀 (txtCompose(7)).
void checkJunkCompounds(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m);
void checkPositionalCombinations(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m);
// code_containment.cpp: 杀两码/杀三码/杀四码 and 必出两码/必出三码/必出四码.
void checkKillTwoCodes(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m);
void checkKillThreeCodes(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m);
void checkKillFourCodes(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m);
void checkMustTwoCodes(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m);
void checkMustThreeCodes(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m);
void checkMustFourCodes(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m);

}  // namespace numsift
