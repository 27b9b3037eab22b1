// The grouped tolerance rule, checked on hand-made checks against a plain
// re-count of every candidate's fails per group.
#include "engine/tolerance_groups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "conditions/filter_input.h"
#include "engine/filter_run.h"

using namespace numsift;

namespace {

ColumnId condition(int k) { return ColumnId{static_cast<ConditionId>(k)}; }

// Marks the candidates whose value leaves remainder Rem modulo Mod, as the
// column of condition Id.
template <int Id, int Mod, int Rem>
void remainderCheck(const FilterInput&, const CandidateTable& t, ConditionMatrix& m) {
    std::uint8_t* col = m.appendColumn(Id, "c" + std::to_string(Id), condition(Id));
    for (std::size_t i = 0; i < t.size(); ++i) col[i] = t.values[i] % Mod == Rem;
}

const RunStep kSteps[] = {
    {1, "c1", remainderCheck<1, 2, 0>},  // even
    {2, "c2", remainderCheck<2, 3, 0>},  // multiples of 3
    {3, "c3", remainderCheck<3, 5, 1>},  // 1 mod 5
    {4, "c4", remainderCheck<4, 7, 2>},  // 2 mod 7
    {5, "c5", remainderCheck<5, 4, 3>},  // 3 mod 4
};

const FilterInput& noInput() {
    static const FilterInput input;
    return input;
}

ToleranceGroup group(std::string name, Tolerance t, std::vector<int> ids) {
    ToleranceGroup g{std::move(name), t, {}};
    for (int id : ids) g.columns.push_back(condition(id));
    return g;
}

// The rule in its plain meaning: each candidate's fails counted per group
// by looking its columns up, every group and the rest within its bounds.
std::vector<std::uint32_t> recount(const RunResult& run, const GroupedTolerance& tolerance) {
    std::vector<std::uint32_t> kept;
    for (std::size_t row = 0; row < run.table.size(); ++row) {
        std::map<std::string, int> fails;
        for (const CheckColumn& c : run.matrix.columns()) {
            std::string owner = "(rest)";
            for (const ToleranceGroup& g : tolerance.groups)
                if (std::count(g.columns.begin(), g.columns.end(), *c.id)) owner = g.name;
            fails[owner] += c.marks[row];
        }
        bool ok = fails["(rest)"] >= tolerance.rest.lower && fails["(rest)"] <= tolerance.rest.upper;
        for (const ToleranceGroup& g : tolerance.groups)
            ok = ok && fails[g.name] >= g.tolerance.lower && fails[g.name] <= g.tolerance.upper;
        if (ok) kept.push_back(run.table.values[row]);
    }
    return kept;
}

}  // namespace

TEST(GroupedTolerance, EachGroupAndTheRestWithinTheirOwnBounds) {
    const GroupedTolerance cases[] = {
        GroupedTolerance({0, 0}, {group("A", {0, 1}, {1, 2}), group("B", {1, 1}, {3})}),
        GroupedTolerance({0, 1}, {group("A", {2, 2}, {1, 2, 3})}),
        GroupedTolerance({1, 2},
                         {group("A", {0, 0}, {5}), group("B", {0, 1}, {4}), group("C", {1, 2}, {1, 2})}),
    };
    for (const GroupedTolerance& t : cases) {
        const RunResult r = runChecks(kSteps, noInput(), {}, t);
        ASSERT_EQ(r.matrix.columnCount(), 5u);
        EXPECT_FALSE(r.result.empty());
        EXPECT_EQ(r.result, recount(r, t));
        EXPECT_EQ(r.failCounts, r.matrix.failCounts());
        EXPECT_EQ(r.columnSets, t.columnSets(r.matrix));
    }
}

TEST(GroupedTolerance, AGroupWithoutActiveColumnsCountsNoFails) {
    // Condition 9 makes no column: its group counts 0 fails for everyone.
    const GroupedTolerance lenient({0, 1}, {group("idle", {0, 2}, {9})});
    const RunResult plain = runChecks(kSteps, noInput(), {}, Tolerance{0, 1});
    EXPECT_EQ(runChecks(kSteps, noInput(), {}, lenient).result, plain.result);

    // ... so a lower bound above 0 there keeps nothing, as the whole panel
    // keeps nothing at L >= 1 without an active condition.
    const GroupedTolerance strict({0, 5}, {group("idle", {1, 2}, {9})});
    EXPECT_TRUE(runChecks(kSteps, noInput(), {}, strict).result.empty());

    // Every column in a group leaves the rest with 0 fails.
    const GroupedTolerance all({1, 3}, {group("A", {0, 5}, {1, 2, 3, 4, 5})});
    EXPECT_TRUE(runChecks(kSteps, noInput(), {}, all).result.empty());
    const GroupedTolerance allRestZero({0, 0}, {group("A", {0, 5}, {1, 2, 3, 4, 5})});
    EXPECT_EQ(runChecks(kSteps, noInput(), {}, allRestZero).result.size(), kNumberSpace);
}

TEST(GroupedTolerance, LowerBoundAboveZeroInAGroupNeedsThatManyFailsThere) {
    const GroupedTolerance t({0, 0}, {group("A", {1, 2}, {1, 2})});
    const RunResult r = runChecks(kSteps, noInput(), {}, t);
    EXPECT_EQ(r.result, recount(r, t));
    for (std::uint32_t v : r.result) {
        const int inA = (v % 2 == 0) + (v % 3 == 0);
        ASSERT_GE(inA, 1) << v;
        ASSERT_EQ((v % 5 == 1) + (v % 7 == 2) + (v % 4 == 3), 0) << v;
    }
}

TEST(GroupedTolerance, WithoutGroupsTheRunIsThePlainOne) {
    const NumberSet base{{3, 10, 14, 22, 35, 71, 99999}};
    for (const Tolerance t : {Tolerance{0, 0}, Tolerance{1, 2}, Tolerance{0, 5}}) {
        for (const NumberSet& b : {NumberSet{}, base}) {
            const RunResult plain = runChecks(kSteps, noInput(), b, t);
            const RunResult grouped = runChecks(kSteps, noInput(), b, GroupedTolerance(t));
            EXPECT_EQ(grouped.result, plain.result);
            EXPECT_EQ(grouped.failCounts, plain.failCounts);
            EXPECT_TRUE(grouped.groups.empty());
        }
    }
}

TEST(GroupedTolerance, SetsOfColumnsAndTheirNames) {
    const GroupedTolerance t({0, 2}, {group("A", {0, 1}, {1, 4}), group("B", {1, 1}, {2})});
    EXPECT_EQ(t.setOf(condition(4)), 0u);
    EXPECT_EQ(t.setOf(condition(2)), 1u);
    EXPECT_EQ(t.setOf(condition(3)), t.restSet());
    EXPECT_EQ(t.setOf(std::nullopt), t.restSet());  // a column naming no condition
    EXPECT_EQ(setName(t, 1), "B");
    EXPECT_EQ(setName(t, 2), "其余条件");
    EXPECT_EQ(t.toleranceOf(2), (Tolerance{0, 2}));

    const int inside[] = {1, 1, 2};
    const int groupOut[] = {2, 1, 0};
    const int restOut[] = {0, 1, 3};
    EXPECT_TRUE(t.admits(inside));
    EXPECT_FALSE(t.admits(groupOut));
    EXPECT_FALSE(t.admits(restOut));
}
