// 杀大小排列, 杀奇偶排列, 杀质合排列: a candidate fails when the pattern its
// digits' classes form is ticked. Ticked boxes are read by their captions.
#include "conditions/captions.h"
#include "conditions/checks.h"
#include "conditions/column_fill.h"
#include "conditions/number_traits.h"

namespace numsift {

namespace {

void checkClassPatterns(ClassKind kind, int step, const std::vector<std::string>& ticked,
                        const CandidateTable& t, ConditionMatrix& m) {
    std::uint8_t selected[kClassPatternCount] = {};
    bool any = false;
    for (const std::string& caption : ticked)
        if (const auto pattern = classPatternOfCaption(kind, caption)) selected[*pattern] = 1, any = true;
    if (!any) return;
    fillFromProperty(t, m.appendColumn(step, classPatternConditionCaption(kind)),
                     numberTraits().classPattern[static_cast<int>(kind)], selected);
}

}  // namespace

void checkBigSmallPatterns(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    checkClassPatterns(ClassKind::BigSmall, steps::kBigSmall, in.bigSmallKill, t, m);
}

void checkOddEvenPatterns(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    checkClassPatterns(ClassKind::OddEven, steps::kOddEven, in.oddEvenKill, t, m);
}

void checkPrimeCompositePatterns(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    checkClassPatterns(ClassKind::PrimeComposite, steps::kPrimeComposite, in.primeCompositeKill, t, m);
}

}  // namespace numsift
