#pragma once
// The conditions of the panel by name: what the columns of a run's condition
// matrix are, for the window, reports, the backtest and anything that groups
// or counts conditions. A column's caption (as reports print it) converts to
// its condition and back; nothing else needs to read captions.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/condition_matrix.h"

namespace numsift {

// Step numbers of the run order; the compound boxes txtCompose(i) are step
// kCompoundFirst + i.
namespace steps {
inline constexpr int kStraightKill = 1, kPositionalKill = 2, kSumSpan = 3, kBanker = 4, kBigSmall = 5,
                     kOddEven = 6, kPrimeComposite = 7, kRoad = 8, kShapes = 9, kBigSmallRatio = 10,
                     kOddEvenRatio = 11, kPrimeCompositeRatio = 12, kAc = 13, kCompoundFirst = 14;
}  // namespace steps

// Every condition that appends a column, in run order. 特别排除 is one
// condition whose items are its fourteen shape boxes (ShapeBox), each with a
// column of its own; every other condition has one column.
enum class ConditionId : std::uint8_t {
    StraightKill,            // 杀直选
    PositionalKill,          // 定位杀
    SumTailKill,             // 杀和尾
    SumValueKill,            // 杀和值
    SpanKill,                // 杀跨度
    DigitKill,               // 通杀码
    Banker,                  // 胆组
    BigSmallPatterns,        // 杀大小排列
    OddEvenPatterns,         // 杀奇偶排列
    PrimeCompositePatterns,  // 杀质合排列
    RoadPatterns,            // 杀012排列
    Shapes,                  // 特别排除
    BigSmallRatio,           // 大小比
    OddEvenRatio,            // 奇偶比
    PrimeCompositeRatio,     // 质合比
    AcKill,                  // 杀AC值
    JunkCompound,            // 杀垃圾复式
    KillTwoCodes,            // 杀两码
    KillThreeCodes,          // 杀三码
    KillFourCodes,           // 杀四码
    MustTwoCodes,            // 必出两码
    MustThreeCodes,          // 必出三码
    MustFourCodes,           // 必出四码
    PositionalCombinations,  // 组合定位杀
};

inline constexpr int kConditionCount = 24;

// Step of the run order that evaluates the condition.
int conditionStep(ConditionId condition);

// The condition's caption: its column's caption, and for 特别排除 the frame's.
const char* conditionCaption(ConditionId condition);

// Number of items of a condition with a column per item (14 for 特别排除), 0
// for a condition with one column.
int conditionItemCount(ConditionId condition);

// The caption of the column: the condition's caption, or for a shape box the
// box's caption ("上山"). Empty for an item the condition does not have.
std::string columnCaption(ColumnId column);

// The column a caption names: "杀和尾" -> {SumTailKill}, "5连" -> {Shapes,
// kShapeRun5}. Empty for any other text, "特别排除" included (it names no
// column).
std::optional<ColumnId> columnOfCaption(std::string_view caption);

}  // namespace numsift
