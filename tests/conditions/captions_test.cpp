#include "conditions/captions.h"

#include <set>

#include <gtest/gtest.h>

namespace numsift {
namespace {

TEST(Captions, ClassPatternRowsFollowTheBitRule) {
    struct Row {
        int index;
        const char* dx;
        const char* jo;
        const char* zh;
    };
    const Row rows[] = {
        {0, "大大大大大", "奇奇奇奇奇", "质质质质质"},  {1, "大大大大小", "奇奇奇奇偶", "质质质质合"},
        {2, "大大大小大", "奇奇奇偶奇", "质质质合质"},  {3, "大大大小小", "奇奇奇偶偶", "质质质合合"},
        {16, "小大大大大", "偶奇奇奇奇", "合质质质质"}, {30, "小小小小大", "偶偶偶偶奇", "合合合合质"},
        {31, "小小小小小", "偶偶偶偶偶", "合合合合合"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(classPatternCaption(ClassKind::BigSmall, r.index), r.dx);
        EXPECT_EQ(classPatternCaption(ClassKind::OddEven, r.index), r.jo);
        EXPECT_EQ(classPatternCaption(ClassKind::PrimeComposite, r.index), r.zh);
    }
    EXPECT_EQ(classPatternCaption(ClassKind::BigSmall, 32), "");
    EXPECT_EQ(classPatternCaption(ClassKind::BigSmall, -1), "");
}

TEST(Captions, ClassPatternCaptionsReadBackAsClasses) {
    for (ClassKind kind : kClassKinds) {
        std::set<int> seen;
        for (int i = 0; i < kClassPatternCount; ++i) {
            const auto p = classPatternOfCaption(kind, classPatternCaption(kind, i));
            ASSERT_TRUE(p.has_value());
            seen.insert(*p);
        }
        EXPECT_EQ(seen.size(), 32u);
    }
    // Class 0 is small / even / prime: "小小小小小" is the all-zero pattern.
    EXPECT_EQ(classPatternOfCaption(ClassKind::BigSmall, "小小小小小"), 0);
    EXPECT_EQ(classPatternOfCaption(ClassKind::BigSmall, "大小小小小"), 16);
    EXPECT_EQ(classPatternOfCaption(ClassKind::PrimeComposite, "质质质质合"), 1);
    EXPECT_FALSE(classPatternOfCaption(ClassKind::BigSmall, "奇奇奇奇奇"));
    EXPECT_FALSE(classPatternOfCaption(ClassKind::BigSmall, "小小小小"));
    EXPECT_FALSE(classPatternOfCaption(ClassKind::BigSmall, "小小小小小小"));
    EXPECT_FALSE(classPatternOfCaption(ClassKind::BigSmall, "\xe5\xb0"));
}

// The checks turn a box index into its class pattern without its caption;
// that must be the pattern the caption shows.
TEST(Captions, ClassBoxesStandForThePatternTheirCaptionsShow) {
    for (ClassKind kind : kClassKinds)
        for (int box = 0; box < kClassPatternCount; ++box) {
            const std::string caption = classPatternCaption(kind, box);
            EXPECT_EQ(classBoxOfCaption(kind, caption), box) << caption;
            EXPECT_EQ(classPatternOfBox(kind, box), classPatternOfCaption(kind, caption)) << caption;
        }
    EXPECT_EQ(classPatternOfBox(ClassKind::BigSmall, 31), 0);       // "小小小小小": five small digits
    EXPECT_EQ(classPatternOfBox(ClassKind::PrimeComposite, 1), 1);  // "质质质质合"
    EXPECT_FALSE(classBoxOfCaption(ClassKind::OddEven, "小小小小小"));
    EXPECT_FALSE(classBoxOfCaption(ClassKind::OddEven, "奇奇奇奇"));
}

TEST(Captions, DigitClassTables) {
    const DigitClasses& zh = digitClasses(ClassKind::PrimeComposite);
    EXPECT_EQ(zh.classOf[1], 0);  // 1 is prime
    EXPECT_EQ(zh.classOf[0], 1);
    EXPECT_EQ(zh.classOf[9], 1);
    EXPECT_EQ(zh.ratioClass, 0);
    const DigitClasses& dx = digitClasses(ClassKind::BigSmall);
    for (int d = 0; d < 10; ++d) EXPECT_EQ(dx.classOf[static_cast<std::size_t>(d)], d >= 5 ? 1 : 0);
    EXPECT_EQ(dx.ratioClass, 1);
    EXPECT_EQ(digitClasses(ClassKind::OddEven).classOf[3], 1);
}

TEST(Captions, RoadCaptionsAreBaseThree) {
    EXPECT_EQ(roadCaption(0), "00000");
    EXPECT_EQ(roadCaption(5), "00012");
    EXPECT_EQ(roadCaption(8), "00022");
    EXPECT_EQ(roadCaption(9), "00100");
    EXPECT_EQ(roadCaption(80), "02222");
    EXPECT_EQ(roadCaption(81), "10000");
    EXPECT_EQ(roadCaption(242), "22222");
    EXPECT_EQ(roadCaption(243), "");
    for (int i = 0; i < kRoadPatternCount; ++i) EXPECT_EQ(roadPatternOfCaption(roadCaption(i)), i);
    EXPECT_FALSE(roadPatternOfCaption("01203"));
    EXPECT_FALSE(roadPatternOfCaption("0120"));
}

TEST(Captions, ShapesAndRatios) {
    EXPECT_EQ(shapeCaption(kShapeAAAAA), "AAAAA");
    EXPECT_EQ(shapeCaption(kShapeAAABB), "AAABB");
    EXPECT_EQ(shapeCaption(14), "");
    std::set<int> order(kShapeLeftToRight.begin(), kShapeLeftToRight.end());
    EXPECT_EQ(order.size(), 14u);
    EXPECT_EQ(shapeCaption(kShapeLeftToRight[2]), "不连");
    EXPECT_EQ(shapeCaption(kShapeLeftToRight[13]), "ABCDE");
    EXPECT_EQ(shapeCaption(kShapeRunOrder[11]), "AAABB");
    for (int i = 0; i < kShapeCount; ++i) EXPECT_EQ(shapeBoxOfCaption(shapeCaption(i)), i);
    EXPECT_FALSE(shapeBoxOfCaption("6连"));
    EXPECT_EQ(ratioCaption(0), "0:5");
    EXPECT_EQ(ratioCaption(3), "3:2");
    EXPECT_EQ(ratioCaption(5), "5:0");
    EXPECT_EQ(ratioOfCaption("2:3"), 2);
    EXPECT_FALSE(ratioOfCaption("2:2"));
    EXPECT_EQ(acCaption(9), "9");
    EXPECT_EQ(acCaption(0), "");
}

}  // namespace
}  // namespace numsift
