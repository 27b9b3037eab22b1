// 大小比, 奇偶比, 质合比: keep the candidates whose count of big (odd, prime)
// digits is a selected ratio; 杀AC值: kill the selected AC values.
#include "conditions/captions.h"
#include "conditions/checks.h"
#include "conditions/column_fill.h"
#include "conditions/number_traits.h"

namespace numsift {

namespace {

// Ratio row r holds cmdBi(6r .. 6r+5), button k standing for k counted digits.
void checkRatio(ClassKind kind, int row, int step, const FilterInput& in, const CandidateTable& t,
                ConditionMatrix& m) {
    std::uint8_t fails[6] = {1, 1, 1, 1, 1, 1};
    bool any = false;
    for (int k = 0; k <= 5; ++k)
        if (in.ratioButtons[static_cast<std::size_t>(6 * row + k)]) fails[k] = 0, any = true;
    if (!any) return;
    fillFromProperty(t, m.appendColumn(step, ratioConditionCaption(kind)),
                     numberTraits().ratioCount[static_cast<int>(kind)], fails);
}

}  // namespace

void checkBigSmallRatio(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    checkRatio(ClassKind::BigSmall, 0, steps::kBigSmallRatio, in, t, m);
}

void checkOddEvenRatio(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    checkRatio(ClassKind::OddEven, 1, steps::kOddEvenRatio, in, t, m);
}

void checkPrimeCompositeRatio(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    checkRatio(ClassKind::PrimeComposite, 2, steps::kPrimeCompositeRatio, in, t, m);
}

void checkAcKill(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    std::uint8_t killed[11] = {};
    bool any = false;
    for (int v = 1; v <= 9; ++v)
        if (in.ratioButtons[static_cast<std::size_t>(17 + v)]) killed[v] = 1, any = true;
    if (!any) return;
    fillFromProperty(t, m.appendColumn(steps::kAc, captions::kAcKill), numberTraits().ac, killed);
}

}  // namespace numsift
