#include "results/result_csv.h"

namespace numsift {

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string s = "\"";
    for (char c : text) {
        if (c == '"') s += '"';
        s += c;
    }
    return s + "\"";
}

namespace {

// ="00056", quoted as CSV quotes a field with quotes: "=""00056""".
void appendSpreadsheetNumber(std::string& s, std::uint32_t value) {
    s += "\"=\"\"";
    s += numberText(value);
    s += "\"\"\"";
}

}  // namespace

std::string stackedCsv(std::span<const std::uint32_t> numbers, std::span<const std::uint16_t> keptBy,
                       std::string_view eol) {
    std::string s = "\xEF\xBB\xBF号码,被几个方案保留";
    s += eol;
    s.reserve(s.size() + numbers.size() * 16);
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        appendSpreadsheetNumber(s, numbers[i]);
        s += ',';
        if (i < keptBy.size()) s += std::to_string(keptBy[i]);
        s += eol;
    }
    return s;
}

std::string resultCsv(const RunResult& run, std::string_view eol, CsvStyle style) {
    const bool spreadsheet = style == CsvStyle::Spreadsheet;
    const bool grouped = !run.groups.empty();
    const GroupedTolerance grouping = run.grouping();
    std::vector<std::string> setNames;
    for (std::size_t set = 0; set < grouping.setCount(); ++set) setNames.push_back(setName(grouping, set));
    std::vector<std::string> captions;
    for (const CheckColumn& c : run.matrix.columns()) captions.push_back(c.caption);

    std::string s = spreadsheet ? "\xEF\xBB\xBF" : "";
    s += grouped ? "号码,错误数,未通过的条件,分组" : "号码,错误数,未通过的条件";
    s += eol;
    s.reserve(s.size() + run.result.size() * 24);
    std::size_t k = 0;  // the next result number; the result is the kept rows in table order
    for (std::size_t row = 0; row < run.table.size() && k < run.result.size(); ++row) {
        if (run.table.values[row] != run.result[k]) continue;
        ++k;
        std::string failed, groups;
        for (std::size_t c = 0; c < run.matrix.columnCount(); ++c) {
            if (!run.matrix.column(c).marks[row]) continue;
            if (!failed.empty()) {
                failed += "、";
                groups += "、";
            }
            failed += captions[c];
            if (grouped)
                groups += setNames[c < run.columnSets.size() ? run.columnSets[c] : grouping.restSet()];
        }
        if (spreadsheet) {
            appendSpreadsheetNumber(s, run.table.values[row]);
        } else {
            s += numberText(run.table.values[row]);
        }
        s += ',';
        s += std::to_string(run.failCounts[row]);
        s += ',';
        s += csvField(failed);
        if (grouped) {
            s += ',';
            s += csvField(groups);
        }
        s += eol;
    }
    return s;
}

}  // namespace numsift
