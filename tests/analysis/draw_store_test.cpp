#include "analysis/draw_store.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "engine/number.h"

namespace numsift {
namespace {

std::vector<KeptDraw> keptOf(const DrawStore& s) { return s.draws(); }

TEST(DrawStore, DrawsAreOrderedByIssueAsNumbers) {
    DrawStore store;
    const MergeReport r =
        store.importText("2026010 11111\n2026009 22222\n99 33333\n0100 44444\n2025365 55555\n");
    EXPECT_EQ(r.added, 5u);
    EXPECT_EQ(keptOf(store), (std::vector<KeptDraw>{{"99", "", 33333},
                                                    {"0100", "", 44444},
                                                    {"2025365", "", 55555},
                                                    {"2026009", "", 22222},
                                                    {"2026010", "", 11111}}));
    EXPECT_EQ(store.find("100"), 1u);  // leading zeros do not count
    EXPECT_EQ(store.find("2026009"), 3u);
    EXPECT_FALSE(store.find("2026011"));
    EXPECT_LT(compareIssues("9", "10"), 0);
    EXPECT_EQ(compareIssues("007", "7"), 0);
    EXPECT_GT(compareIssues("2026010", "2026009"), 0);
}

TEST(DrawStore, ImportingTheSameIssuesAgainChangesNothing) {
    const std::string text = "期号,日期,号码\n2026001,2026-01-01,12345\n2026002,2026-01-02,23456\n";
    DrawStore store;
    store.importText(text);
    const DrawStore before = store;
    const MergeReport again = store.importText(text);
    EXPECT_EQ(store, before);
    EXPECT_EQ(again.added, 0u);
    EXPECT_EQ(again.unchanged, 2u);
    EXPECT_FALSE(again.changed());
    EXPECT_EQ(mergeNote(again), "新增 0 期，已有 2 期未变");

    // The same draws in another form, without dates, and one new issue.
    const MergeReport more = store.importText("2026002 2 3 4 5 6\n2026003 34567\n2026001 12345\n");
    EXPECT_EQ(more.added, 1u);
    EXPECT_EQ(more.unchanged, 2u);
    EXPECT_EQ(store.size(), 3u);
    EXPECT_EQ(store.draws()[0].date, "2026-01-01");  // a draw without a date keeps the kept one
}

TEST(DrawStore, AnIssueWithAnotherNumberIsReportedAndTheKeptOneStays) {
    DrawStore store;
    store.importText("2026001 12345\n2026002 23456\n");
    const MergeReport r = store.importText(
        "2026002 99999\n"  // another number
        "2026003 34567\n"  // new
        "2026003 34568\n"  // the same import disagrees with itself: the first stays
        "2026001 12345\n");
    EXPECT_EQ(r.added, 1u);
    EXPECT_EQ(r.unchanged, 1u);
    EXPECT_EQ(r.conflicts, (std::vector<IssueConflict>{{"2026002", 23456, 99999, "", "", 1},
                                                       {"2026003", 34567, 34568, "", "", 3}}));
    EXPECT_EQ(keptOf(store), (std::vector<KeptDraw>{
                                 {"2026001", "", 12345}, {"2026002", "", 23456}, {"2026003", "", 34567}}));
    EXPECT_EQ(mergeNote(r),
              "新增 1 期，已有 1 期未变；有 2 期与已有的不同，保留原样：期号 2026002 已有 23456、导入 99999，"
              "期号 2026003 已有 34567、导入 34568");

    // A date is filled in where missing, never replaced.
    const MergeReport dates = store.importText("2026001,2026-01-01,12345\n2026001,2026-01-09,12345\n");
    EXPECT_EQ(dates.datesAdded, 1u);
    EXPECT_TRUE(dates.changed());
    EXPECT_EQ(store.draws()[0].date, "2026-01-01");
    ASSERT_EQ(dates.conflicts.size(), 1u);
    EXPECT_EQ(dates.conflicts[0].offeredDate, "2026-01-09");
    EXPECT_NE(mergeNote(dates).find("期号 2026001 日期已有 2026-01-01、导入 2026-01-09"), std::string::npos);
}

TEST(DrawStore, ThePlayersOwnCorrectionReplacesAKeptDraw) {
    DrawStore store;
    store.importText("2026001 12345\n2026003 34567\n");
    EXPECT_TRUE(store.put({"2026003", "2026-01-03", 99999}));  // replaces
    EXPECT_TRUE(store.put({"02026002", "", 23456}));           // goes between
    EXPECT_FALSE(store.put({"2026x", "", 1}));
    EXPECT_FALSE(store.put({"2026004", "2026-02-30", 1}));
    EXPECT_FALSE(store.put({"2026004", "", 100000}));
    EXPECT_EQ(keptOf(store),
              (std::vector<KeptDraw>{
                  {"2026001", "", 12345}, {"02026002", "", 23456}, {"2026003", "2026-01-03", 99999}}));
    EXPECT_TRUE(store.remove("2026002"));
    EXPECT_FALSE(store.remove("2026002"));
    EXPECT_EQ(store.size(), 2u);
    EXPECT_EQ(DrawStore::fromOrdered(store.draws()), store);
}

TEST(DrawStore, DrawsWithoutAnIssueAreNotKeptButNamed) {
    DrawStore store;
    const MergeReport r = store.importText("期号 号码\n35789\n2026001 12345\n2026-05-01 11111\n");
    EXPECT_EQ(store.size(), 1u);
    EXPECT_EQ(r.withoutIssue, 2u);
    EXPECT_EQ(r.firstWithoutIssue, (std::vector<int>{2, 4}));
    EXPECT_EQ(mergeNote(r),
              "新增 1 期；有 2 行没有期号，未加入历史：第 2、4 行；有 1 行不是开奖号码，已跳过：第 1 行");
}

TEST(DrawStore, TextsWithoutIssuesKeepTheirOrderForAnalysis) {
    const OrderedDraws plain = drawsInOrder(parseDraws("33333\n11111\nx\n22222\n"));
    EXPECT_EQ(plain.values, (std::vector<std::uint32_t>{33333, 11111, 22222}));
    EXPECT_EQ(plain.note, "有 1 行不是开奖号码，已跳过：第 3 行");

    const OrderedDraws numbered = drawsInOrder(parseDraws("3 33333\n1 11111\n11111\n2 22222\n1 11112\n"));
    EXPECT_EQ(numbered.values, (std::vector<std::uint32_t>{11111, 22222, 33333}));
    ASSERT_EQ(numbered.draws.size(), 3u);
    EXPECT_EQ(numbered.draws[0], (Draw{"1", 11111, 2, "1", ""}));  // the first of issue 1, with its line
    EXPECT_EQ(numbered.draws[2].line, 1);
    EXPECT_EQ(
        numbered.note,
        "有 1 期与已有的不同，保留原样：期号 1 已有 11111、导入 11112；有 1 行没有期号，未计入：第 3 行");
}

// The backtest and the statistics read a text as an import into an empty
// history keeps it: the same draws, in the same order.
TEST(DrawStore, OrderedDrawsAreWhatAnImportKeeps) {
    std::mt19937 random(11);
    for (int round = 0; round < 20; ++round) {
        std::string text;
        for (int i = 0; i < 60; ++i) {
            const std::uint32_t issue = random() % 40, value = random() % 3;
            text += (random() % 10 == 0 ? "" : std::to_string(2026000 + issue) + " ") + "0000" +
                    std::to_string(value) + (random() % 4 == 0 ? " x\n" : "\n");
        }
        DrawStore store;
        store.importText(text);
        const OrderedDraws ordered = drawsInOrder(parseDraws(text));
        EXPECT_EQ(ordered.values, store.values()) << text;
        for (std::size_t i = 0; i < ordered.draws.size() && i < store.size(); ++i)
            EXPECT_EQ(ordered.draws[i].issue, store.draws()[i].issue);
    }
}

TEST(DrawStore, MergeAgreesWithASortedMapOnRandomImports) {
    std::mt19937 random(12);
    DrawStore store;
    std::map<long, std::uint32_t> expected;
    for (int round = 0; round < 30; ++round) {
        std::string text;
        std::size_t conflicts = 0, added = 0;
        for (int k = 0; k < 40; ++k) {
            const long issue = static_cast<long>(random() % 300);
            const std::uint32_t value =
                random() % 3 == 0 ? random() % 100000 : static_cast<std::uint32_t>(issue * 7);
            text += std::to_string(issue) + " " + numberText(value) + "\n";
            const auto kept = expected.find(issue);
            if (kept == expected.end()) {
                expected[issue] = value;
                ++added;
            } else if (kept->second != value) {
                ++conflicts;
            }
        }
        const MergeReport r = store.importText(text);
        EXPECT_EQ(r.added, added);
        EXPECT_EQ(r.conflicts.size(), conflicts);
        EXPECT_EQ(r.added + r.unchanged + r.conflicts.size(), 40u);
    }
    ASSERT_EQ(store.size(), expected.size());
    std::size_t i = 0;
    for (const auto& [issue, value] : expected) {
        EXPECT_EQ(store.draws()[i].issue, std::to_string(issue));
        EXPECT_EQ(store.draws()[i].value, value);
        ++i;
    }
}

TEST(DrawStore, FromOrderedTakesOnlyDrawsItCanKeepInIssueOrder) {
    EXPECT_FALSE(DrawStore::fromOrdered({{"2", "", 1}, {"1", "", 2}}));
    EXPECT_FALSE(DrawStore::fromOrdered({{"1", "", 100000}}));
    EXPECT_FALSE(DrawStore::fromOrdered({{"", "", 1}}));
    EXPECT_TRUE(DrawStore::fromOrdered({{"1", "2026-01-01", 0}, {"02", "", 99999}}));
}

TEST(DrawStore, TheBacktestReadsTheStoreAsItReadsTheFile) {
    const std::string text = "2026001 12345\n2026002 3 4 5 6 7\n2026003,00001\n";
    DrawStore store;
    store.importText(text);
    const std::vector<Draw> fromStore = store.toDraws();
    const DrawHistory fromText = parseDraws(text);
    ASSERT_EQ(fromStore.size(), fromText.draws.size());
    for (std::size_t i = 0; i < fromStore.size(); ++i) {
        EXPECT_EQ(fromStore[i].label, fromText.draws[i].label);
        EXPECT_EQ(fromStore[i].value, fromText.draws[i].value);
    }
}

}  // namespace
}  // namespace numsift

namespace numsift {
namespace {

TEST(DrawStore, TheImportReportCountsEveryLine) {
    DrawStore store;
    store.importText("2026001 12345\n2026002 23456\n");
    const MergeReport r = store.importText(
        "期号 号码\n"        // no draw
        "2026002 99999\n"    // a conflict
        "2026001 12345\n"    // kept already
        "2026003 34567\n"    // new
        "35789\n"            // no issue
        "2026004 1 2 3 4\n"  // no draw
        "2026005 45678\n");
    EXPECT_EQ(importReportText(r),
              "导入 4 期：新增 2 期，已有 1 期，冲突 1 期，无法读取 3 行（第 1、5、6 行）");
    EXPECT_EQ(importReportText(store.importText("2026005 45678\n")),
              "导入 1 期：新增 0 期，已有 1 期，冲突 0 期，无法读取 0 行");
}

// The player's own changes: each applies only to the draw he saw, and its
// reverse undoes it.
TEST(DrawStore, EditsCorrectDeleteAddAndUndo) {
    DrawStore store;
    store.importText("2026001 12345\n2026002 23456\n");
    const DrawStore start = store;

    const DrawEdit correct{"2026002", KeptDraw{"2026002", "", 23456},
                           KeptDraw{"2026002", "2026-01-02", 23457}};
    ASSERT_TRUE(applyEdit(store, correct));
    EXPECT_EQ(store.draws()[1], (KeptDraw{"2026002", "2026-01-02", 23457}));
    EXPECT_FALSE(applyEdit(store, correct));  // the draw is no longer what the edit saw
    ASSERT_TRUE(applyEdit(store, correct.reversed()));
    EXPECT_EQ(store, start);

    const DrawEdit typed{"2026003", std::nullopt, KeptDraw{"2026003", "", 35789}};  // today's draw, by hand
    ASSERT_TRUE(applyEdit(store, typed));
    EXPECT_EQ(store.size(), 3u);
    const DrawEdit remove{"2026001", KeptDraw{"2026001", "", 12345}, std::nullopt};
    ASSERT_TRUE(applyEdit(store, remove));
    EXPECT_FALSE(store.find("2026001"));
    ASSERT_TRUE(applyEdit(store, remove.reversed()));
    ASSERT_TRUE(applyEdit(store, typed.reversed()));
    EXPECT_EQ(store, start);

    EXPECT_FALSE(applyEdit(store, {"2026001", KeptDraw{"2026001", "", 12345}, KeptDraw{"2026009", "", 1}}));
    EXPECT_FALSE(
        applyEdit(store, {"2026001", KeptDraw{"2026001", "", 12345}, KeptDraw{"2026001", "", 100000}}));
    EXPECT_EQ(store, start);

    // A conflict of an import, accepted: the offered number in the kept one's place.
    const MergeReport r = store.importText("2026002,2026-01-02,99999\n");
    ASSERT_EQ(r.conflicts.size(), 1u);
    EXPECT_EQ(store, start);  // an import never changes a kept draw by itself
    ASSERT_TRUE(applyEdit(store, acceptedConflict(r.conflicts[0])));
    EXPECT_EQ(store.draws()[1], (KeptDraw{"2026002", "2026-01-02", 99999}));
    ASSERT_TRUE(applyEdit(store, acceptedConflict(r.conflicts[0]).reversed()));
    EXPECT_EQ(store, start);
}

}  // namespace
}  // namespace numsift
