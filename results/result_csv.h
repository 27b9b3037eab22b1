#pragma once
// A run's result as CSV for a spreadsheet ("导出到文件"): a header line, then
// one line per result number in result order with its fail count and the
// captions of the conditions it fails; with grouped tolerance also the group
// of each failed condition, in the same order. Fields are quoted only when
// they hold a comma, a double quote or a line break (a group's name may).

#include <string>
#include <string_view>

#include "engine/filter_run.h"

namespace numsift {

// 号码,错误数,未通过的条件[,分组]; the lists inside a field are joined by "、".
std::string resultCsv(const RunResult& run, std::string_view eol);

// text as one CSV field.
std::string csvField(std::string_view text);

}  // namespace numsift
