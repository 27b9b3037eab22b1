#include "conditions/run_order.h"

#include <array>

#include "conditions/captions.h"
#include "conditions/checks.h"

namespace numsift {

namespace {

const std::array<RunStep, 21> kRunOrder = {{
    {steps::kStraightKill, captions::kStraightKill, checkStraightKill},
    {steps::kPositionalKill, captions::kPositionalKill, checkPositionalKill},
    {steps::kSumSpan, captions::kSumSpanFrame, checkSumSpanKill},
    {steps::kBanker, captions::kBanker, checkBankerGroups},
    {steps::kBigSmall, captions::kBigSmallKill, checkBigSmallPatterns},
    {steps::kOddEven, captions::kOddEvenKill, checkOddEvenPatterns},
    {steps::kPrimeComposite, captions::kPrimeCompositeKill, checkPrimeCompositePatterns},
    {steps::kRoad, captions::kRoadKill, checkRoadPatterns},
    {steps::kShapes, captions::kShapes, checkSpecialShapes},
    {steps::kBigSmallRatio, captions::kBigSmallRatio, checkBigSmallRatio},
    {steps::kOddEvenRatio, captions::kOddEvenRatio, checkOddEvenRatio},
    {steps::kPrimeCompositeRatio, captions::kPrimeCompositeRatio, checkPrimeCompositeRatio},
    {steps::kAc, captions::kAcKill, checkAcKill},
    {steps::kCompoundFirst + 0, captions::kCompound[0], checkJunkCompounds},
    {steps::kCompoundFirst + 1, captions::kCompound[1], checkKillTwoCodes},
    {steps::kCompoundFirst + 2, captions::kCompound[2], checkKillThreeCodes},
    {steps::kCompoundFirst + 3, captions::kCompound[3], checkKillFourCodes},
    {steps::kCompoundFirst + 4, captions::kCompound[4], checkMustTwoCodes},
    {steps::kCompoundFirst + 5, captions::kCompound[5], checkMustThreeCodes},
    {steps::kCompoundFirst + 6, captions::kCompound[6], checkMustFourCodes},
    {steps::kCompoundFirst + 7, captions::kCompound[7], checkPositionalCombinations},
}};

}  // namespace

std::span<const RunStep> runOrder() { return kRunOrder; }

RunResult runFilter(const FilterInput& input, const NumberSet& base, Tolerance tolerance) {
    return runChecks(runOrder(), input, base, tolerance);
}

RunResult runFilter(const FilterInput& input, const NumberSet& base, const GroupedTolerance& tolerance) {
    return runChecks(runOrder(), input, base, tolerance);
}

}  // namespace numsift
