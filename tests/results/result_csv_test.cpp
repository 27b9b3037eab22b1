// A run's result as CSV: every result number, its fails and their groups.
#include "results/result_csv.h"

#include <gtest/gtest.h>

#include "conditions/filter_input.h"

namespace numsift {
namespace {

ColumnId condition(int k) { return ColumnId{static_cast<ConditionId>(k)}; }

template <int Id, int Mod, int Rem>
void remainderCheck(const FilterInput&, const CandidateTable& t, ConditionMatrix& m) {
    std::uint8_t* col = m.appendColumn(Id, "余" + std::to_string(Mod), condition(Id));
    for (std::size_t i = 0; i < t.size(); ++i) col[i] = t.values[i] % Mod == Rem;
}

const RunStep kSteps[] = {
    {1, "", remainderCheck<1, 2, 0>},
    {2, "", remainderCheck<2, 3, 0>},
    {3, "", remainderCheck<3, 5, 0>},
};

const NumberSet kBase{{1, 2, 6, 7, 10, 15, 30}};

TEST(ResultCsv, EveryResultNumberWithItsFailedConditions) {
    const RunResult r = runChecks(kSteps, FilterInput{}, kBase, Tolerance{0, 2});
    EXPECT_EQ(resultCsv(r, "\r\n", CsvStyle::Plain),
              "号码,错误数,未通过的条件\r\n"
              "00001,0,\r\n"
              "00002,1,余2\r\n"
              "00006,2,余2、余3\r\n"
              "00007,0,\r\n"
              "00010,2,余2、余5\r\n"
              "00015,2,余3、余5\r\n");  // 30 fails all three: not in the result
}

TEST(ResultCsv, WithGroupsEachFailedConditionNamesItsGroup) {
    const GroupedTolerance t({0, 1}, {ToleranceGroup{"甲,\"乙\"", {0, 2}, {condition(1), condition(3)}}});
    const RunResult r = runChecks(kSteps, FilterInput{}, kBase, t);
    EXPECT_EQ(resultCsv(r, "\n", CsvStyle::Plain),
              "号码,错误数,未通过的条件,分组\n"
              "00001,0,,\n"
              "00002,1,余2,\"甲,\"\"乙\"\"\"\n"
              "00006,2,余2、余3,\"甲,\"\"乙\"\"、其余条件\"\n"
              "00007,0,,\n"
              "00010,2,余2、余5,\"甲,\"\"乙\"\"、甲,\"\"乙\"\"\"\n"
              "00015,2,余3、余5,\"其余条件、甲,\"\"乙\"\"\"\n"
              "00030,3,余2、余3、余5,\"甲,\"\"乙\"\"、其余条件、甲,\"\"乙\"\"\"\n");
    EXPECT_EQ(csvField("plain"), "plain");
    EXPECT_EQ(csvField("two\nlines"), "\"two\nlines\"");
}

// For a spreadsheet: a BOM, and each number as a formula a spreadsheet
// shows as the five-digit text; the rest as for a script.
TEST(ResultCsv, ASpreadsheetKeepsTheFiveDigitsAndReadsTheHeaderAsUtf8) {
    const RunResult r = runChecks(kSteps, FilterInput{}, kBase, Tolerance{0, 1});
    EXPECT_EQ(resultCsv(r, "\r\n"),
              "\xEF\xBB\xBF号码,错误数,未通过的条件\r\n"
              "\"=\"\"00001\"\"\",0,\r\n"
              "\"=\"\"00002\"\"\",1,余2\r\n"
              "\"=\"\"00007\"\"\",0,\r\n");
}

}  // namespace
}  // namespace numsift
