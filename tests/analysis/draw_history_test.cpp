#include "analysis/draw_history.h"

#include <gtest/gtest.h>

#include <tuple>

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
    EXPECT_EQ(h.draws[0], (Draw{"2026120", 35789, 1, "2026120", ""}));
    EXPECT_EQ(h.draws[1], (Draw{"2026121", 35789, 2, "2026121", ""}));
    EXPECT_EQ(h.draws[2], (Draw{"", 35789, 3, "", ""}));
    EXPECT_EQ(h.draws[3], (Draw{"2026-01-05", 1234, 4, "", "2026-01-05"}));
    EXPECT_EQ(h.draws[4], (Draw{"第2026123期 开奖", 42, 5, "2026123", ""}));
    EXPECT_EQ(h.draws[5], (Draw{"", 12345, 6, "", ""}));
    EXPECT_EQ(h.draws[6], (Draw{"2026124期", 35789, 7, "2026124", ""}));
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
        "2026-5-1 3 5 7 8\n"  // a date's day is not the draw's first digit
        "第5期 1 2 3 4\n"     // nor is an issue
        "2026127 3 5 7 8 9期\n"
        "2026125 12345\r"  // lone CR ends a line too
        "----\n"
        "2026126 54321\n");
    ASSERT_EQ(h.draws.size(), 2u);
    EXPECT_EQ(h.draws[0], (Draw{"2026125", 12345, 12, "2026125", ""}));
    EXPECT_EQ(h.draws[1], (Draw{"2026126", 54321, 14, "2026126", ""}));
    EXPECT_EQ(h.badLineCount, 10u);
    EXPECT_EQ(h.firstBadLines, (std::vector<int>{1, 4, 5, 6, 7}));
    EXPECT_EQ(badLinesNote(h), "有 10 行不是开奖号码，已跳过：第 1、4、5、6、7 行等");
}

TEST(DrawHistory, TabsInsideALabelBecomeBlanksSoCopiedTablesKeepTheirColumns) {
    const DrawHistory h = parseDraws("2026120\t2026-05-01\t35789\n2026121\t\t3\t5\t7\t8\t9\n");
    ASSERT_EQ(h.draws.size(), 2u);
    EXPECT_EQ(h.draws[0], (Draw{"2026120 2026-05-01", 35789, 1, "2026120", "2026-05-01"}));
    EXPECT_EQ(h.draws[1], (Draw{"2026121", 35789, 2, "2026121", ""}));
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

// Issue, date and value of every draw, for comparing whole imports.
std::vector<std::tuple<std::string, std::string, std::uint32_t>> issueDateValue(const DrawHistory& h) {
    std::vector<std::tuple<std::string, std::string, std::uint32_t>> out;
    for (const Draw& d : h.draws) out.emplace_back(d.issue, d.date, d.value);
    return out;
}

TEST(DrawHistory, FreeFormLabelsGiveIssueAndDate) {
    const DrawHistory h = parseDraws(
        "2026120 2026-05-01 35789\n"
        "2026-05-02 2026121 3 5 7 8 9\n"       // date first
        "第２０２６１２２期 2026/5/3 00042\n"  // full-width issue digits
        "2026年5月4日 20:30 12345\n"           // a time of day is no issue
        "20260505 54321\n"                     // eight digits alone are an issue, not a date
        "2026-02-30 11111\n"                   // no such day: no date
        "开奖 22222\n");
    EXPECT_EQ(h.badLineCount, 0u);
    using R = std::tuple<std::string, std::string, std::uint32_t>;
    EXPECT_EQ(issueDateValue(h), (std::vector<R>{{"2026120", "2026-05-01", 35789},
                                                 {"2026121", "2026-05-02", 35789},
                                                 {"2026122", "2026-05-03", 42},
                                                 {"", "2026-05-04", 12345},
                                                 {"20260505", "", 54321},
                                                 {"", "", 11111},
                                                 {"", "", 22222}}));
    EXPECT_EQ(h.draws[2].label, "第２０２６１２２期 2026/5/3");  // the label stays as written
}

TEST(DrawHistory, HeadedTablesAreReadByTheirColumns) {
    using R = std::tuple<std::string, std::string, std::uint32_t>;
    // The forms of the issue: CSV and tab-separated, Chinese and English
    // names, position columns; extra columns, any order, quotes, CR LF.
    const DrawHistory cn = parseDraws("期号,日期,号码\r\n2026120,2026-05-01,35789\r\n2026121,,00042\r\n");
    EXPECT_EQ(issueDateValue(cn), (std::vector<R>{{"2026120", "2026-05-01", 35789}, {"2026121", "", 42}}));
    EXPECT_EQ(cn.badLineCount, 0u);                      // the header is no bad line
    EXPECT_EQ(cn.draws[0].label, "2026120,2026-05-01");  // as the line-by-line reading gave it

    const DrawHistory en = parseDraws("\xEF\xBB\xBFIssue\tDate\tNumber\n2026120\t20260501\t\"35789\"\n");
    EXPECT_EQ(issueDateValue(en), (std::vector<R>{{"2026120", "2026-05-01", 35789}}));
    EXPECT_EQ(en.draws[0].label, "2026120 20260501");

    const DrawHistory seq = parseDraws("Seq,pos_1,pos_2,pos_3,pos_4,pos_5\n1,3,5,7,8,9\n2,0,0,0,4,2\n");
    EXPECT_EQ(issueDateValue(seq), (std::vector<R>{{"1", "", 35789}, {"2", "", 42}}));
    EXPECT_EQ(seq.badLineCount, 0u);  // "pos_1..pos_5" is not read as the draw 12345

    const DrawHistory wide = parseDraws(
        "号码,和值,跨度,开奖日期,期号\n"
        "35789,32,6,2026-05-01,第2026120期\n"
        "3 5 7 8 9,32,6,,2026121\n");
    EXPECT_EQ(issueDateValue(wide),
              (std::vector<R>{{"2026120", "2026-05-01", 35789}, {"2026121", "", 35789}}));
    EXPECT_EQ(wide.draws[0].label, "2026120 2026-05-01");  // nothing before the draw: issue and date

    const DrawHistory positions = parseDraws("日期;万位;千位;百位;十位;个位\n2026-05-01;3;5;7;8;9\n");
    EXPECT_EQ(issueDateValue(positions), (std::vector<R>{{"", "2026-05-01", 35789}}));
}

TEST(DrawHistory, RowsAHeaderCannotReadAreNamedAndOtherFormsStillRead) {
    const DrawHistory h = parseDraws(
        "issue,date,number\n"
        "2026120,2026-05-01,35789\n"
        "2026121,2026-05-02,3578\n"  // 3: four digits
        "2026122,May 3,35789\n"      // 4: unreadable date
        "A123,2026-05-04,35789\n"    // 5: unreadable issue
        "2026125,2026-05-05\n"       // 6: no number cell
        "2026126 35789\n"            // no comma: read line by line
        "issue,date,number,sum\n"    // a second header
        "2026127,2026-05-07,12345,15\n");
    ASSERT_EQ(h.draws.size(), 3u);
    EXPECT_EQ(h.draws[1].issue, "2026126");
    EXPECT_EQ(h.draws[2].value, 12345u);
    EXPECT_EQ(h.firstBadLines, (std::vector<int>{3, 4, 5, 6}));
    // A header of blank-separated names is a line without a draw, as always.
    EXPECT_EQ(parseDraws("期号 号码\n2026120 35789\n").firstBadLines, (std::vector<int>{1}));
    // A row of data is never a header, even with a column name in it.
    EXPECT_EQ(parseDraws("number,35789\n").draws.size(), 1u);
}

TEST(DrawHistory, DatesAndIssuesAreReadStrictly) {
    EXPECT_EQ(readDate("2024-02-29", false), "2024-02-29");
    EXPECT_EQ(readDate("2023-02-29", false), "");
    EXPECT_EQ(readDate("1900-02-29", false), "");
    EXPECT_EQ(readDate("2000-02-29", false), "2000-02-29");
    EXPECT_EQ(readDate("2026.5.1", false), "2026-05-01");
    EXPECT_EQ(readDate("2026年12月31日", false), "2026-12-31");
    EXPECT_EQ(readDate("2026年12月31", false), "2026-12-31");
    EXPECT_EQ(readDate("2026-5/1", false), "");
    EXPECT_EQ(readDate("2026-13-01", false), "");
    EXPECT_EQ(readDate("2026-001-01", false), "");
    EXPECT_EQ(readDate("20260501", false), "");
    EXPECT_EQ(readDate("20260501", true), "2026-05-01");
    EXPECT_EQ(readDate("2026-05-01x", false), "");
    EXPECT_EQ(readIssue("第2026001期"), "2026001");
    EXPECT_EQ(readIssue("007"), "007");
    EXPECT_EQ(readIssue("期"), "");
    EXPECT_EQ(readIssue("20x6"), "");
}

}  // namespace
}  // namespace numsift
