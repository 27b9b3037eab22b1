#include "conditions/condition_id.h"

#include "conditions/captions.h"

namespace numsift {

namespace {

struct ConditionRow {
    ConditionId id;
    int step;
    const char* caption;
};

// In enum order, so that row i describes condition i.
constexpr std::array<ConditionRow, kConditionCount> kConditions = {{
    {ConditionId::StraightKill, steps::kStraightKill, captions::kStraightKill},
    {ConditionId::PositionalKill, steps::kPositionalKill, captions::kPositionalKill},
    {ConditionId::SumTailKill, steps::kSumSpan, captions::kSumTailKill},
    {ConditionId::SumValueKill, steps::kSumSpan, captions::kSumValueKill},
    {ConditionId::SpanKill, steps::kSumSpan, captions::kSpanKill},
    {ConditionId::DigitKill, steps::kSumSpan, captions::kDigitKill},
    {ConditionId::Banker, steps::kBanker, captions::kBanker},
    {ConditionId::BigSmallPatterns, steps::kBigSmall, captions::kBigSmallKill},
    {ConditionId::OddEvenPatterns, steps::kOddEven, captions::kOddEvenKill},
    {ConditionId::PrimeCompositePatterns, steps::kPrimeComposite, captions::kPrimeCompositeKill},
    {ConditionId::RoadPatterns, steps::kRoad, captions::kRoadKill},
    {ConditionId::Shapes, steps::kShapes, captions::kShapes},
    {ConditionId::BigSmallRatio, steps::kBigSmallRatio, captions::kBigSmallRatio},
    {ConditionId::OddEvenRatio, steps::kOddEvenRatio, captions::kOddEvenRatio},
    {ConditionId::PrimeCompositeRatio, steps::kPrimeCompositeRatio, captions::kPrimeCompositeRatio},
    {ConditionId::AcKill, steps::kAc, captions::kAcKill},
    {ConditionId::JunkCompound, steps::kCompoundFirst + 0, captions::kCompound[0]},
    {ConditionId::KillTwoCodes, steps::kCompoundFirst + 1, captions::kCompound[1]},
    {ConditionId::KillThreeCodes, steps::kCompoundFirst + 2, captions::kCompound[2]},
    {ConditionId::KillFourCodes, steps::kCompoundFirst + 3, captions::kCompound[3]},
    {ConditionId::MustTwoCodes, steps::kCompoundFirst + 4, captions::kCompound[4]},
    {ConditionId::MustThreeCodes, steps::kCompoundFirst + 5, captions::kCompound[5]},
    {ConditionId::MustFourCodes, steps::kCompoundFirst + 6, captions::kCompound[6]},
    {ConditionId::PositionalCombinations, steps::kCompoundFirst + 7, captions::kCompound[7]},
}};

constexpr bool inEnumOrder() {
    for (std::size_t i = 0; i < kConditions.size(); ++i)
        if (static_cast<std::size_t>(kConditions[i].id) != i) return false;
    return true;
}
static_assert(inEnumOrder());

const ConditionRow& rowOf(ConditionId condition) { return kConditions[static_cast<std::size_t>(condition)]; }

}  // namespace

int conditionStep(ConditionId condition) { return rowOf(condition).step; }

const char* conditionCaption(ConditionId condition) { return rowOf(condition).caption; }

int conditionItemCount(ConditionId condition) { return condition == ConditionId::Shapes ? kShapeCount : 0; }

std::string columnCaption(ColumnId column) {
    if (conditionItemCount(column.condition) == 0)
        return column.item == -1 ? conditionCaption(column.condition) : std::string();
    return shapeCaption(column.item);
}

std::optional<ColumnId> columnOfCaption(std::string_view caption) {
    if (const auto box = shapeBoxOfCaption(caption)) return ColumnId{ConditionId::Shapes, *box};
    for (const ConditionRow& row : kConditions)
        if (conditionItemCount(row.id) == 0 && caption == row.caption) return ColumnId{row.id};
    return std::nullopt;
}

}  // namespace numsift
