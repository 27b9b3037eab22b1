// Every column of a run names its condition (and shape box), and a column's
// caption converts to that name and back.
#include "conditions/condition_id.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "conditions/captions.h"
#include "tests/conditions/check_helpers.h"

namespace numsift {
namespace {

using checktest::Checked;

std::vector<ColumnId> everyColumn() {
    std::vector<ColumnId> columns;
    for (int i = 0; i < kConditionCount; ++i) {
        const auto condition = static_cast<ConditionId>(i);
        if (conditionItemCount(condition) == 0)
            columns.push_back({condition});
        else
            for (int item = 0; item < conditionItemCount(condition); ++item)
                columns.push_back({condition, item});
    }
    return columns;
}

TEST(ConditionId, ColumnCaptionsNameTheirColumnAndBack) {
    const std::vector<ColumnId> columns = everyColumn();
    ASSERT_EQ(columns.size(), 37u);  // 23 conditions of one column, 14 shape boxes
    std::set<std::string> captions;
    for (const ColumnId& c : columns) {
        const std::string caption = columnCaption(c);
        ASSERT_FALSE(caption.empty());
        captions.insert(caption);
        EXPECT_EQ(columnOfCaption(caption), c) << caption;
    }
    EXPECT_EQ(captions.size(), columns.size());

    EXPECT_EQ(columnOfCaption("杀和尾"), (ColumnId{ConditionId::SumTailKill}));
    EXPECT_EQ(columnOfCaption("胆组"), (ColumnId{ConditionId::Banker}));
    EXPECT_EQ(columnOfCaption("5连"), (ColumnId{ConditionId::Shapes, kShapeRun5}));
    EXPECT_EQ(columnOfCaption("杀两码"), (ColumnId{ConditionId::KillTwoCodes}));
    // The frame caption and step captions name no column; nor does other text.
    for (const char* text : {"特别排除", "和、跨、胆", "", "杀和尾 ", "6连", "remainder"})
        EXPECT_FALSE(columnOfCaption(text)) << text;
    EXPECT_STREQ(conditionCaption(ConditionId::Shapes), "特别排除");
    // An item a condition does not have has no caption.
    EXPECT_EQ(columnCaption({ConditionId::Shapes, kShapeCount}), "");
    EXPECT_EQ(columnCaption({ConditionId::SumTailKill, 0}), "");
}

// Every check names its columns with its own condition: the identity, the
// step and the caption of each column agree, and each column is there once.
TEST(ConditionId, EveryColumnOfARunKnowsItsCondition) {
    FilterInput in;
    in.straightKill.text = "12345";
    in.positionalKill[0][1] = true;
    in.sumTailKill[1] = in.spanKill[1] = in.digitKill[1] = true;
    in.sumValueKill.text = "10";
    in.banker[0].digits[1] = true;
    in.bigSmallKill.set(0);
    in.oddEvenKill.set(0);
    in.primeCompositeKill.set(0);
    in.roadKill.set(0);
    in.shapeKill.set();
    in.bigSmallRatio.set(0);
    in.oddEvenRatio.set(0);
    in.primeCompositeRatio.set(0);
    in.acKill.set(1);
    in.compound = {HintedText{"1*2*3*4*5", ""},
                   {"12", ""},
                   {"123", ""},
                   {"1234", ""},
                   {"12", ""},
                   {"123", ""},
                   {"1234", ""},
                   {"1****", ""}};
    Checked run(in);
    ASSERT_EQ(run.columns(), 37u);
    std::vector<ColumnId> seen;
    for (const CheckColumn& c : run.r.matrix.columns()) {
        ASSERT_TRUE(c.id.has_value()) << c.caption;
        EXPECT_EQ(conditionStep(c.id->condition), c.step) << c.caption;
        EXPECT_EQ(columnCaption(*c.id), c.caption);
        seen.push_back(*c.id);
    }
    // Run order is enum order, shapes in their evaluation order.
    std::vector<ColumnId> expected;
    for (const ColumnId& c : everyColumn())
        if (c.condition != ConditionId::Shapes) expected.push_back(c);
    const auto shapesAt = expected.begin() + static_cast<long>(ConditionId::Shapes);
    std::vector<ColumnId> shapes;
    for (int box : kShapeRunOrder) shapes.push_back({ConditionId::Shapes, box});
    expected.insert(shapesAt, shapes.begin(), shapes.end());
    EXPECT_EQ(seen, expected);
}

// Each check reads its own typed field: one field set, one column, of the
// condition that field belongs to.
TEST(ConditionId, EachFieldDrivesItsOwnCondition) {
    const struct {
        void (*set)(FilterInput&);
        ColumnId column;
    } cases[] = {
        {[](FilterInput& in) { in.bigSmallKill.set(3); }, {ConditionId::BigSmallPatterns}},
        {[](FilterInput& in) { in.oddEvenKill.set(3); }, {ConditionId::OddEvenPatterns}},
        {[](FilterInput& in) { in.primeCompositeKill.set(3); }, {ConditionId::PrimeCompositePatterns}},
        {[](FilterInput& in) { in.roadKill.set(100); }, {ConditionId::RoadPatterns}},
        {[](FilterInput& in) { in.shapeKill.set(kShapeAABBC); }, {ConditionId::Shapes, kShapeAABBC}},
        {[](FilterInput& in) { in.bigSmallRatio.set(5); }, {ConditionId::BigSmallRatio}},
        {[](FilterInput& in) { in.oddEvenRatio.set(5); }, {ConditionId::OddEvenRatio}},
        {[](FilterInput& in) { in.primeCompositeRatio.set(5); }, {ConditionId::PrimeCompositeRatio}},
        {[](FilterInput& in) { in.acKill.set(9); }, {ConditionId::AcKill}},
        {[](FilterInput& in) { in.compound.junk.text = "1*2*3*4*5"; }, {ConditionId::JunkCompound}},
        {[](FilterInput& in) { in.compound.killTwo.text = "12"; }, {ConditionId::KillTwoCodes}},
        {[](FilterInput& in) { in.compound.killThree.text = "123"; }, {ConditionId::KillThreeCodes}},
        {[](FilterInput& in) { in.compound.killFour.text = "1234"; }, {ConditionId::KillFourCodes}},
        {[](FilterInput& in) { in.compound.mustTwo.text = "12"; }, {ConditionId::MustTwoCodes}},
        {[](FilterInput& in) { in.compound.mustThree.text = "123"; }, {ConditionId::MustThreeCodes}},
        {[](FilterInput& in) { in.compound.mustFour.text = "1234"; }, {ConditionId::MustFourCodes}},
        {[](FilterInput& in) { in.compound.positional.text = "1****"; },
         {ConditionId::PositionalCombinations}},
    };
    for (const auto& c : cases) {
        FilterInput in;
        c.set(in);
        Checked run(in);
        ASSERT_EQ(run.columns(), 1u) << columnCaption(c.column);
        EXPECT_EQ(run.column().id, c.column) << columnCaption(c.column);
    }
}

}  // namespace
}  // namespace numsift
