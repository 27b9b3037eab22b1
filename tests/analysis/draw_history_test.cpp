#include "analysis/draw_history.h"

#include <gtest/gtest.h>

namespace numsift {
namespace {

TEST(DrawHistory, ReadsLabelsAndEveryWayOfWritingADraw) {
    const DrawHistory h = parseDraws(
        "2026120 3 5 7 8 9\r\n"
        "2026121,35789\n"
        "35789\n"
        "2026-01-05：0,1,2,3,4\n"
        "第2026123期 开奖 00042 \n"
        "\xEF\xBC\x91\xEF\xBC\x92\xEF\xBC\x93\xEF\xBC\x94\xEF\xBC\x95\n"  // full-width 12345
        "2026124期35789");
    ASSERT_EQ(h.draws.size(), 7u);
    EXPECT_EQ(h.badLineCount, 0u);
    EXPECT_EQ(h.draws[0], (Draw{"2026120", 35789, 1}));
    EXPECT_EQ(h.draws[1], (Draw{"2026121", 35789, 2}));
    EXPECT_EQ(h.draws[2], (Draw{"", 35789, 3}));
    EXPECT_EQ(h.draws[3], (Draw{"2026-01-05", 1234, 4}));
    EXPECT_EQ(h.draws[4], (Draw{"第2026123期 开奖", 42, 5}));
    EXPECT_EQ(h.draws[5], (Draw{"", 12345, 6}));
    EXPECT_EQ(h.draws[6], (Draw{"2026124期", 35789, 7}));
    EXPECT_TRUE(badLinesNote(h).empty());
}

TEST(DrawHistory, CountsLinesWithoutADrawAndSkipsBlankOnes) {
    const DrawHistory h = parseDraws(
        "\xEF\xBB\xBF期号 开奖号码\n"  // header line after a BOM
        "\n"
        "   \t\n"
        "2026120 3578\n"      // four digits
        "2026121 357890\n"    // six digits
        "2026122 3 5 7 8\n"   // four single digits after a longer run
        "2026123 35 7 8 9\n"  // a two-digit run among the last five
        "35789 2026124\n"     // label after the draw
        "2026125 12345\r"     // lone CR ends a line too
        "----\n"
        "2026126 54321\n");
    ASSERT_EQ(h.draws.size(), 2u);
    EXPECT_EQ(h.draws[0], (Draw{"2026125", 12345, 9}));
    EXPECT_EQ(h.draws[1], (Draw{"2026126", 54321, 11}));
    EXPECT_EQ(h.badLineCount, 7u);
    EXPECT_EQ(h.firstBadLines, (std::vector<int>{1, 4, 5, 6, 7}));
    EXPECT_EQ(badLinesNote(h), "有 7 行不是开奖号码，已跳过：第 1、4、5、6、7 行等");
}

TEST(DrawHistory, TabsInsideALabelBecomeBlanksSoCopiedTablesKeepTheirColumns) {
    const DrawHistory h = parseDraws("2026120\t2026-05-01\t35789\n2026121\t\t3\t5\t7\t8\t9\n");
    ASSERT_EQ(h.draws.size(), 2u);
    EXPECT_EQ(h.draws[0], (Draw{"2026120 2026-05-01", 35789, 1}));
    EXPECT_EQ(h.draws[1], (Draw{"2026121", 35789, 2}));
}

TEST(DrawHistory, NoteListsAllBadLinesWhenFew) {
    const DrawHistory h = parseDraws("abc\n12345\n1234\n");
    EXPECT_EQ(badLinesNote(h), "有 2 行不是开奖号码，已跳过：第 1、3 行");
}

TEST(DrawHistory, EmptyAndOddBytesGiveNoDrawAndNoCrash) {
    EXPECT_TRUE(parseDraws("").draws.empty());
    EXPECT_EQ(parseDraws("").badLineCount, 0u);
    // Truncated UTF-8 and a stray full-width lead byte at the very end.
    const DrawHistory h = parseDraws(std::string("12345\xEF\xBC", 7) + "\n\xEF");
    ASSERT_EQ(h.draws.size(), 1u);
    EXPECT_EQ(h.draws[0].value, 12345u);
    EXPECT_EQ(h.badLineCount, 1u);

    // One enormous line of single digits: the draw is its last five.
    std::string huge;
    for (int i = 0; i < 1000000; ++i) huge += static_cast<char>('0' + i % 10), huge += ' ';
    const DrawHistory big = parseDraws(huge);
    ASSERT_EQ(big.draws.size(), 1u);
    EXPECT_EQ(big.draws[0].value, 56789u);
    EXPECT_EQ(big.draws[0].label.size(), 2u * 999995 - 1);
}

}  // namespace
}  // namespace numsift
