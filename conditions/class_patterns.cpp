// 杀大小排列, 杀奇偶排列, 杀质合排列: a candidate fails when the pattern its
// digits' classes form is ticked.
#include "conditions/captions.h"
#include "conditions/checks.h"
#include "conditions/column_fill.h"
#include "conditions/number_traits.h"

namespace numsift {

namespace {

void checkClassPatterns(ClassKind kind, ConditionId condition, const ClassPatternSet& ticked,
                        const CandidateTable& t, ConditionMatrix& m) {
    if (ticked.none()) return;
    std::uint8_t selected[kClassPatternCount] = {};
    for (int box = 0; box < kClassPatternCount; ++box)
        if (ticked.test(static_cast<std::size_t>(box))) selected[classPatternOfBox(kind, box)] = 1;
    fillFromProperty(t, appendColumn(m, {condition}), numberTraits().classPattern[static_cast<int>(kind)],
                     selected);
}

}  // namespace

void checkBigSmallPatterns(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    checkClassPatterns(ClassKind::BigSmall, ConditionId::BigSmallPatterns, in.bigSmallKill, t, m);
}

void checkOddEvenPatterns(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    checkClassPatterns(ClassKind::OddEven, ConditionId::OddEvenPatterns, in.oddEvenKill, t, m);
}

void checkPrimeCompositePatterns(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    checkClassPatterns(ClassKind::PrimeComposite, ConditionId::PrimeCompositePatterns, in.primeCompositeKill,
                       t, m);
}

}  // namespace numsift
