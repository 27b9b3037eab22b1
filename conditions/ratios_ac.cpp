// 大小比, 奇偶比, 质合比: keep the candidates whose count of big (odd, prime)
// digits is a selected ratio; 杀AC值: kill the selected AC values.
#include "conditions/captions.h"
#include "conditions/checks.h"
#include "conditions/column_fill.h"
#include "conditions/number_traits.h"

namespace numsift {

namespace {

void checkRatio(ClassKind kind, ConditionId condition, const RatioSet& keep, const CandidateTable& t,
                ConditionMatrix& m) {
    if (keep.none()) return;
    std::uint8_t fails[6] = {};
    for (int k = 0; k <= 5; ++k) fails[k] = !keep.test(static_cast<std::size_t>(k));
    fillFromProperty(t, appendColumn(m, {condition}), numberTraits().ratioCount[static_cast<int>(kind)],
                     fails);
}

}  // namespace

void checkBigSmallRatio(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    checkRatio(ClassKind::BigSmall, ConditionId::BigSmallRatio, in.bigSmallRatio, t, m);
}

void checkOddEvenRatio(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    checkRatio(ClassKind::OddEven, ConditionId::OddEvenRatio, in.oddEvenRatio, t, m);
}

void checkPrimeCompositeRatio(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    checkRatio(ClassKind::PrimeComposite, ConditionId::PrimeCompositeRatio, in.primeCompositeRatio, t, m);
}

void checkAcKill(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    std::uint8_t killed[11] = {};
    bool any = false;
    for (int v = 1; v <= 9; ++v)
        if (in.acKill.test(static_cast<std::size_t>(v))) killed[v] = 1, any = true;
    if (!any) return;
    fillFromProperty(t, appendColumn(m, {ConditionId::AcKill}), numberTraits().ac, killed);
}

}  // namespace numsift
