#pragma once
// A run's result as CSV for a spreadsheet ("导出到文件"): a header line, then
// one line per result number in result order with its fail count and the
// captions of the conditions it fails; with grouped tolerance also the group
// of each failed condition, in the same order. Fields are quoted only when
// they hold a comma, a double quote or a line break (a group's name may).
// Checked once by converting an export with LibreOffice Calc headless
// (soffice --infilter="CSV:44,34,76,1" --convert-to xlsx) and reading the
// cells back: the header in Chinese, every number the text "00056".

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "engine/filter_run.h"

namespace numsift {

// Who reads the CSV.
enum class CsvStyle {
    // A spreadsheet (the window's export): UTF-8 with a BOM, so that Excel
    // on a Chinese Windows PC reads the header as UTF-8, and each number
    // written as the formula ="00056" (quoted as CSV quotes a field with
    // quotes), so that Excel and LibreOffice Calc show its five digits as
    // text instead of the number 56.
    Spreadsheet,
    // A script (numsift-cli run --csv): no BOM, the number as it is.
    Plain,
};

// 号码,错误数,未通过的条件[,分组]; the lists inside a field are joined by "、".
std::string resultCsv(const RunResult& run, std::string_view eol, CsvStyle style = CsvStyle::Spreadsheet);

// A stacked result (方案叠加) for a spreadsheet, as resultCsv writes one:
// 号码,被几个方案保留, one line per number in result order. keptBy[i] is how
// many schemes keep numbers[i].
std::string stackedCsv(std::span<const std::uint32_t> numbers, std::span<const std::uint16_t> keptBy,
                       std::string_view eol);

// text as one CSV field.
std::string csvField(std::string_view text);

}  // namespace numsift
