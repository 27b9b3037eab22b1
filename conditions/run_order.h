#pragma once
// The fixed order of the checks of a filter run (steps 1..21) and the run
// itself over a FilterInput.

#include <span>

#include "conditions/filter_input.h"
#include "engine/filter_run.h"

namespace numsift {

// Steps 1..21 in run order: 杀直选, 定位杀, 和、跨、胆, 胆组, 杀大小排列,
// 杀奇偶排列, 杀质合排列, 杀012排列, 特别排除, 大小比, 奇偶比, 质合比, 杀AC值,
// 杀垃圾复式, 杀两码, 杀三码, 杀四码, 必出两码, 必出三码, 必出四码, 组合定位杀.
std::span<const RunStep> runOrder();

RunResult runFilter(const FilterInput& input, const NumberSet& base, Tolerance tolerance);
RunResult runFilter(const FilterInput& input, const NumberSet& base, const GroupedTolerance& tolerance);

}  // namespace numsift
