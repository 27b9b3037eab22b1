#include <gtest/gtest.h>

#include <numeric>

#include "conditions/filter_input.h"
#include "engine/filter_run.h"

using namespace numsift;

namespace {

// Test checks: each marks the candidates whose value has a given remainder.
template <int Mod, int Rem>
void remainderCheck(const FilterInput&, const CandidateTable& t, ConditionMatrix& m) {
    std::uint8_t* col = m.appendColumn(Mod, "remainder");
    for (std::size_t i = 0; i < t.size(); ++i) col[i] = t.values[i] % Mod == Rem;
}

void inactiveCheck(const FilterInput&, const CandidateTable&, ConditionMatrix&) {}

const FilterInput& noInput() {
    static const FilterInput input;
    return input;
}

}  // namespace

TEST(FilterRun, NoConditionKeepsTheWholeTableOnlyAtLowerBoundZero) {
    RunResult r = runChecks({}, noInput(), {}, {0, 0});
    ASSERT_EQ(r.result.size(), kNumberSpace);
    EXPECT_EQ(r.result.front(), 0u);
    EXPECT_EQ(r.result.back(), 99999u);
    EXPECT_EQ(r.matrix.columnCount(), 0u);

    r = runChecks({}, noInput(), {}, {1, 5});
    EXPECT_TRUE(r.result.empty());
}

TEST(FilterRun, BaseSetIsTheCandidateSource) {
    NumberSet one{{4711}};
    RunResult r = runChecks({}, noInput(), one, {0, 0});
    EXPECT_EQ(r.result, std::vector<std::uint32_t>{4711});
    EXPECT_EQ(r.table.size(), 1u);
    EXPECT_EQ(r.table.digits(0), (Digits{0, 4, 7, 1, 1}));
}

TEST(FilterRun, ToleranceWindowOnFailCounts) {
    const RunStep steps[] = {
        {1, "a", remainderCheck<2, 0>},  // even values fail
        {2, "b", inactiveCheck},         // adds nothing
        {3, "c", remainderCheck<3, 0>},  // multiples of 3 fail
        {4, "d", remainderCheck<5, 0>},  // multiples of 5 fail
    };
    RunResult r = runChecks(steps, noInput(), {}, {0, 0});
    EXPECT_EQ(r.matrix.columnCount(), 3u);
    // Fail count 0: coprime to 30, i.e. 8 of every 30 numbers.
    EXPECT_EQ(r.result.size(), 26'666u);
    for (std::uint32_t v : r.result) ASSERT_TRUE(v % 2 && v % 3 && v % 5);

    // Exactly one failed check.
    r = runChecks(steps, noInput(), {}, {1, 1});
    for (std::uint32_t v : r.result) ASSERT_EQ((v % 2 == 0) + (v % 3 == 0) + (v % 5 == 0), 1);
    EXPECT_EQ(r.result.size(), 46'668u);

    // Two to five failed checks; candidates with fewer are dropped.
    r = runChecks(steps, noInput(), {}, {2, 5});
    for (std::uint32_t v : r.result) ASSERT_GE((v % 2 == 0) + (v % 3 == 0) + (v % 5 == 0), 2);

    // The same inputs give the same result set.
    EXPECT_EQ(runChecks(steps, noInput(), {}, {2, 5}).result, r.result);
}

TEST(FilterRun, ColumnsKeepStepCaptionAndCounts) {
    const RunStep steps[] = {{7, "x", remainderCheck<10, 3>}};
    NumberSet base{{3, 13, 14, 23}};
    RunResult r = runChecks(steps, noInput(), base, {0, 0});
    ASSERT_EQ(r.matrix.columnCount(), 1u);
    EXPECT_EQ(r.matrix.column(0).step, 10);
    EXPECT_EQ(r.matrix.column(0).caption, "remainder");
    EXPECT_EQ(r.matrix.column(0).markedCount(), 3u);
    EXPECT_EQ(r.failCounts, (std::vector<std::uint8_t>{1, 1, 0, 1}));
    EXPECT_EQ(r.result, std::vector<std::uint32_t>{14});
}
