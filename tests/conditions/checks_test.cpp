// The checks of the filter run over the whole number space, with the
// figures and example numbers of each condition.
#include <gtest/gtest.h>

#include "conditions/captions.h"
#include "conditions/hint_texts.h"
#include "tests/conditions/check_helpers.h"

namespace numsift {
namespace {

using checktest::Checked;

FilterInput none() { return {}; }

TEST(StraightKill, ListedNumbersFail) {
    FilterInput in;
    in.straightKill = {"12345 54321", hints::kStraightKill};
    Checked run(in);
    ASSERT_EQ(run.columns(), 1u);
    EXPECT_EQ(run.column().caption, "杀直选");
    EXPECT_EQ(run.column().step, 1);
    EXPECT_EQ(run.marked(), 2u);
    EXPECT_EQ(run.mark("12345"), 1);
    EXPECT_EQ(run.r.result.size(), 99998u);
}

TEST(StraightKill, HintEmptyOrInvalidAddsNoColumn) {
    FilterInput in;
    in.straightKill = {hints::kStraightKill, hints::kStraightKill};
    EXPECT_EQ(Checked(in).columns(), 0u);
    in.straightKill.text = "1234 123456";
    EXPECT_EQ(Checked(in).columns(), 0u);
    in.straightKill.text = "";
    EXPECT_EQ(Checked(in).columns(), 0u);
}

TEST(PositionalKill, Examples) {
    FilterInput in;
    in.positionalKill[0][0] = true;
    Checked first(in);
    ASSERT_EQ(first.columns(), 1u);
    EXPECT_EQ(first.marked(), 10000u);
    EXPECT_EQ(first.mark("09999"), 1);
    EXPECT_EQ(first.mark("10000"), 0);

    FilterInput tens;
    tens.positionalKill[3][5] = tens.positionalKill[4][5] = true;
    Checked run(tens);
    ASSERT_EQ(run.columns(), 1u);
    EXPECT_EQ(run.mark("12355"), 1);
    EXPECT_EQ(run.mark("12345"), 1);
    EXPECT_EQ(run.mark("12346"), 0);

    FilterInput row;
    row.positionalKill[2].fill(true);
    EXPECT_EQ(Checked(row).marked(), 100000u);
}

TEST(SumSpanKill, TailsValuesSpansDigits) {
    FilterInput in;
    in.sumTailKill[0] = true;
    Checked tail(in);
    ASSERT_EQ(tail.columns(), 1u);
    EXPECT_EQ(tail.column().caption, "杀和尾");
    EXPECT_EQ(tail.mark("00000"), 1);
    EXPECT_EQ(tail.mark("12340"), 1);
    EXPECT_EQ(tail.mark("99991"), 0);

    FilterInput sums;
    sums.sumValueKill = {"00 45", hints::kSumValue};
    Checked sum(sums);
    ASSERT_EQ(sum.columns(), 1u);
    EXPECT_EQ(sum.column().caption, "杀和值");
    EXPECT_EQ(sum.marked(), 2u);
    EXPECT_EQ(sum.mark("99999"), 1);
    sums.sumValueKill.text = hints::kSumValue;
    EXPECT_EQ(Checked(sums).columns(), 0u);

    FilterInput spans;
    spans.spanKill[0] = true;
    Checked span(spans);
    EXPECT_EQ(span.column().caption, "杀跨度");
    EXPECT_EQ(span.marked(), 10u);

    FilterInput digits;
    digits.digitKill[0] = true;
    Checked digit(digits);
    EXPECT_EQ(digit.column().caption, "通杀码");
    EXPECT_EQ(digit.marked(), 100000u - 59049u);  // 9^5 numbers have no 0
    EXPECT_EQ(digit.mark("12345"), 0);
}

TEST(SumSpanKill, ColumnsAreIndependentChecks) {
    FilterInput in;
    in.sumTailKill[5] = true;
    in.spanKill[5] = true;
    Checked run(in);
    ASSERT_EQ(run.columns(), 2u);
    EXPECT_EQ(run.column(1).caption, "杀跨度");
    EXPECT_EQ(run.failCount("12345"), 1);
    EXPECT_EQ(run.failCount("05550"), 2);
}

TEST(BankerGroups, CountsOfGroupZero) {
    FilterInput in;
    for (int d : {1, 2, 5, 8, 9}) in.banker[0].digits[d] = true;
    in.banker[0].counts[2] = in.banker[0].counts[3] = true;
    Checked run(in);
    ASSERT_EQ(run.columns(), 1u);
    EXPECT_EQ(run.column().caption, "胆组");
    EXPECT_EQ(run.mark("12345"), 0);
    EXPECT_EQ(run.mark("11234"), 0);
    EXPECT_EQ(run.mark("10000"), 1);
    EXPECT_EQ(run.mark("12589"), 1);
}

TEST(BankerGroups, DefaultCountsRepeatsAndZero) {
    FilterInput nine;
    nine.banker[0].digits[9] = true;
    Checked dflt(nine);
    EXPECT_EQ(dflt.mark("12345"), 1);
    EXPECT_EQ(dflt.mark("99000"), 0);

    nine.banker[0].counts[2] = true;
    nine.countRepeats = true;
    EXPECT_EQ(Checked(nine).mark("99000"), 0);
    EXPECT_EQ(Checked(nine).mark("99919"), 1);  // four hits with repeats counted
    nine.countRepeats = false;
    EXPECT_EQ(Checked(nine).mark("99000"), 1);

    FilterInput zero;
    zero.banker[3].digits[0] = true;
    zero.banker[3].counts[0] = true;
    EXPECT_EQ(Checked(zero).marked(), 100000u - 59049u);
}

TEST(BankerGroups, GroupsIntersectInOneColumn) {
    FilterInput in;
    in.banker[0].digits[1] = true;
    in.banker[4].digits[2] = true;
    Checked run(in);
    ASSERT_EQ(run.columns(), 1u);
    EXPECT_EQ(run.mark("12000"), 0);
    EXPECT_EQ(run.mark("10000"), 1);
    EXPECT_EQ(run.mark("33333"), 1);  // fails both groups, still one mark

    FilterInput countsOnly;
    countsOnly.banker[2].counts[3] = true;
    EXPECT_EQ(Checked(countsOnly).columns(), 0u);

    // More counts than digits (reachable in the panel) fail every candidate.
    FilterInput impossible;
    impossible.banker[0].digits[1] = true;
    impossible.banker[0].counts[3] = true;
    EXPECT_EQ(Checked(impossible).marked(), 100000u);
}

TEST(ClassPatterns, ExampleCaptions) {
    FilterInput in;
    in.bigSmallKill.set(*classBoxOfCaption(ClassKind::BigSmall, "小小小小小"));
    Checked dx(in);
    ASSERT_EQ(dx.columns(), 1u);
    EXPECT_EQ(dx.column().caption, "杀大小排列");
    EXPECT_EQ(dx.marked(), 3125u);

    FilterInput zh;
    zh.primeCompositeKill.set(*classBoxOfCaption(ClassKind::PrimeComposite, "质质质质质"));
    Checked z(zh);
    EXPECT_EQ(z.column().step, 7);
    EXPECT_EQ(z.mark("11111"), 1);
    EXPECT_EQ(z.mark("12357"), 1);
    EXPECT_EQ(z.mark("10000"), 0);
    EXPECT_EQ(z.mark("99999"), 0);

    FilterInput jo;
    jo.oddEvenKill.set(*classBoxOfCaption(ClassKind::OddEven, "偶奇偶奇偶"));
    Checked j(jo);
    EXPECT_EQ(j.mark("01234"), 1);
    EXPECT_EQ(j.mark("12345"), 0);
}

TEST(ClassPatterns, AllTickedKillsEverything) {
    FilterInput in;
    in.bigSmallKill.set();
    Checked run(in);
    EXPECT_EQ(run.marked(), 100000u);
    EXPECT_TRUE(run.r.result.empty());
}

TEST(RoadPatterns, Examples) {
    FilterInput in;
    in.roadKill.set(*roadPatternOfCaption("00000"));
    Checked run(in);
    ASSERT_EQ(run.columns(), 1u);
    EXPECT_EQ(run.column().caption, "杀012排列");
    EXPECT_EQ(run.marked(), 1024u);
    EXPECT_EQ(run.mark("03699"), 1);
    EXPECT_EQ(run.mark("90000"), 1);
    EXPECT_EQ(run.mark("10000"), 0);

    in.roadKill.reset().set(*roadPatternOfCaption("01201"));
    Checked one(in);
    EXPECT_EQ(one.mark("34534"), 1);
    EXPECT_EQ(one.mark("01201"), 1);
    EXPECT_EQ(one.mark("01202"), 0);
}

TEST(SpecialShapes, OneColumnPerTickedBoxInRunOrder) {
    FilterInput in;
    in.shapeKill.set(kShapeABCDE).set(kShapeUphill);
    Checked run(in);
    ASSERT_EQ(run.columns(), 2u);
    EXPECT_EQ(run.column(0).caption, "上山");
    EXPECT_EQ(run.column(1).caption, "ABCDE");
    EXPECT_EQ(run.column(1).step, 9);
    EXPECT_EQ(run.failCount("12345"), 2);
    Checked tolerant(in, {}, {0, 1});
    EXPECT_TRUE(std::find(tolerant.r.result.begin(), tolerant.r.result.end(), 12345u) ==
                tolerant.r.result.end());
}

TEST(Ratios, KeepSelectedRatios) {
    FilterInput in;
    in.bigSmallRatio.set(2);  // 大小比 2:3
    Checked run(in);
    ASSERT_EQ(run.columns(), 1u);
    EXPECT_EQ(run.column().caption, "大小比");
    EXPECT_EQ(run.mark("00059"), 0);
    EXPECT_EQ(run.mark("12567"), 1);
    EXPECT_EQ(run.mark("00000"), 1);

    FilterInput prime;
    prime.primeCompositeRatio.set(0);  // 质合比 0:5
    Checked p(prime);
    EXPECT_EQ(p.column().caption, "质合比");
    EXPECT_EQ(p.marked(), 100000u - 3125u);
    EXPECT_EQ(p.mark("10000"), 1);

    FilterInput all;
    all.oddEvenRatio.set();
    Checked a(all);
    ASSERT_EQ(a.columns(), 1u);
    EXPECT_EQ(a.column().caption, "奇偶比");
    EXPECT_EQ(a.marked(), 0u);
}

TEST(Ratios, AcKill) {
    FilterInput in;
    in.acKill.set(1);  // AC 1
    Checked run(in);
    ASSERT_EQ(run.columns(), 1u);
    EXPECT_EQ(run.column().caption, "杀AC值");
    EXPECT_EQ(run.marked(), 10u);
    EXPECT_EQ(run.mark("44444"), 1);
}

TEST(CodeContainment, KillTwoCodes) {
    FilterInput in;
    in.compound.killTwo = {"23", ""};
    Checked run(in);
    ASSERT_EQ(run.columns(), 1u);
    EXPECT_EQ(run.column().caption, "杀两码");
    EXPECT_EQ(run.column().step, 15);
    EXPECT_EQ(run.mark("12345"), 1);
    EXPECT_EQ(run.mark("32000"), 1);
    EXPECT_EQ(run.mark("22222"), 0);

    in.compound.killTwo.text = "22";
    Checked twos(in);
    EXPECT_EQ(twos.mark("12000"), 0);
    EXPECT_EQ(twos.mark("20200"), 1);
}

TEST(CodeContainment, MustCodes) {
    FilterInput in;
    in.compound.mustTwo = {"23 45", ""};
    Checked run(in);
    EXPECT_EQ(run.column().caption, "必出两码");
    EXPECT_EQ(run.mark("12345"), 0);
    EXPECT_EQ(run.mark("20000"), 1);

    FilterInput three;
    three.compound.mustThree = {"123", ""};
    EXPECT_EQ(Checked(three).mark("11223"), 0);
    EXPECT_EQ(Checked(three).mark("11224"), 1);

    FilterInput nothing;  // a must code that no candidate holds fails them all
    nothing.compound.mustFour = {"1111", hints::kCompose[6]};
    nothing.compound.mustFour.text = "11111";
    Checked n(nothing);
    EXPECT_EQ(n.marked(), 100000u - 46u);  // 11111 and the 45 numbers with four 1s
}

TEST(CodeContainment, FourCodesAndLongEntries) {
    FilterInput in;
    in.compound.killFour = {"2406", hints::kCompose[3]};
    Checked run(in);
    EXPECT_EQ(run.column().caption, "杀四码");
    for (const char* n : {"24061", "60423", "00246"}) EXPECT_EQ(run.mark(n), 1) << n;
    EXPECT_EQ(run.mark("24000"), 0);

    in.compound.killFour.text = "24061387";
    Checked longer(in);
    EXPECT_EQ(longer.mark("22222"), 0);
    EXPECT_EQ(longer.mark("22406"), 1);
    EXPECT_EQ(longer.mark("87310"), 1);
    EXPECT_EQ(longer.mark("87355"), 0);

    // A box showing its hint is inactive.
    in.compound.killFour.text = hints::kCompose[3];
    EXPECT_EQ(Checked(in).columns(), 0u);
}

TEST(PositionSets, FiguresOfBothBoxes) {
    FilterInput in;
    in.compound.positional = {"12***", hints::kCompose[7]};
    Checked run(in);
    ASSERT_EQ(run.columns(), 1u);
    EXPECT_EQ(run.column().caption, "组合定位杀");
    EXPECT_EQ(run.column().step, 21);
    EXPECT_EQ(run.marked(), 1000u);
    EXPECT_EQ(run.mark("12999"), 1);
    in.compound.positional.text = "1***7";
    EXPECT_EQ(Checked(in).marked(), 1000u);

    FilterInput junk;
    junk.compound.junk = {"17*235*12*789*01", hints::kCompose[0]};
    junk.compound.positional = {"12***", hints::kCompose[7]};
    Checked both(junk);
    ASSERT_EQ(both.columns(), 2u);
    EXPECT_EQ(both.column(0).caption, "杀垃圾复式");
    EXPECT_EQ(both.marked(0), 72u);
    EXPECT_EQ(both.mark("12000", 0), 0);
    EXPECT_EQ(both.mark("12000", 1), 1);
    EXPECT_EQ(both.mark("13170", 0), 1);
}

TEST(PositionSets, EmptyGroupAddsAnAllClearColumn) {
    FilterInput in;
    in.compound.junk = {"1****", hints::kCompose[0]};
    Checked run(in);
    ASSERT_EQ(run.columns(), 1u);
    EXPECT_EQ(run.marked(), 0u);
}

TEST(RunOrder, EveryConditionAddsThirtySevenColumns) {
    FilterInput in;
    in.straightKill.text = "12345";
    in.positionalKill[0][1] = true;
    in.sumTailKill[1] = in.spanKill[1] = in.digitKill[1] = true;
    in.sumValueKill.text = "10";
    in.banker[0].digits[1] = true;
    in.bigSmallKill.set(*classBoxOfCaption(ClassKind::BigSmall, "大大大大大"));
    in.oddEvenKill.set(*classBoxOfCaption(ClassKind::OddEven, "奇奇奇奇奇"));
    in.primeCompositeKill.set(*classBoxOfCaption(ClassKind::PrimeComposite, "质质质质质"));
    in.roadKill.set(*roadPatternOfCaption("00000"));
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
    int lastStep = 0;
    for (const CheckColumn& c : run.r.matrix.columns()) {
        EXPECT_GE(c.step, lastStep);
        lastStep = c.step;
    }
    EXPECT_EQ(run.column(36).step, 21);
    EXPECT_EQ(runOrder().size(), 21u);
    EXPECT_EQ(runOrder()[8].caption, "特别排除");

    Checked empty(none());
    EXPECT_EQ(empty.columns(), 0u);
    EXPECT_EQ(empty.r.result.size(), 100000u);
}

// The checks take a shortcut when the table holds every number; over a base
// set every column must mark exactly what the whole-space run marks there.
TEST(RunOrder, BaseSetMarksMatchTheWholeSpace) {
    FilterInput in;
    in.straightKill.text = "00007 12345，54321、99999";
    in.positionalKill[1][3] = in.positionalKill[4][8] = true;
    in.sumTailKill[4] = true;
    in.sumValueKill.text = "20 21";
    in.spanKill[6] = true;
    in.digitKill[2] = true;
    in.banker[1].digits[3] = in.banker[1].digits[4] = true;
    in.banker[1].counts[1] = true;
    in.bigSmallKill.set(*classBoxOfCaption(ClassKind::BigSmall, "大小大小大"));
    in.oddEvenKill.set(*classBoxOfCaption(ClassKind::OddEven, "奇偶奇偶奇"));
    in.primeCompositeKill.set(*classBoxOfCaption(ClassKind::PrimeComposite, "合合质质合"));
    in.roadKill.set(*roadPatternOfCaption("01201")).set(*roadPatternOfCaption("22100"));
    in.shapeKill.set();
    in.bigSmallRatio.set(3);
    in.oddEvenRatio.set(2);
    in.primeCompositeRatio.set(2);
    in.acKill.set(5);
    in.compound = {HintedText{"17*235*12*789*01", ""},
                   {"12 34", ""},
                   {"567", ""},
                   {"24061387", ""},
                   {"90", ""},
                   {"135", ""},
                   {"2468", ""},
                   {"1***7 *9*9*", ""}};
    Checked whole(in);
    ASSERT_EQ(whole.columns(), 37u);
    NumberSet base;
    for (std::uint32_t v = 7; v < kNumberSpace; v += 7) base.values.push_back(v);
    Checked part(in, base);
    ASSERT_EQ(part.columns(), 37u);
    for (std::size_t c = 0; c < 37; ++c) {
        EXPECT_EQ(part.column(c).caption, whole.column(c).caption);
        for (std::size_t row = 0; row < base.size(); ++row)
            ASSERT_EQ(part.column(c).marks[row], whole.column(c).marks[base.values[row]])
                << part.column(c).caption << " " << base.values[row];
    }
}

TEST(RunOrder, BaseSetAndTolerance) {
    FilterInput in;
    in.straightKill.text = "12345";
    NumberSet base{{12345, 22222, 54321}};
    Checked kept(in, base);
    EXPECT_EQ(kept.r.result, (std::vector<std::uint32_t>{22222, 54321}));
    Checked failed(in, base, {1, 1});
    EXPECT_EQ(failed.r.result, (std::vector<std::uint32_t>{12345}));
    EXPECT_EQ(Checked(none(), base, {1, 3}).r.result.size(), 0u);
}

}  // namespace
}  // namespace numsift
