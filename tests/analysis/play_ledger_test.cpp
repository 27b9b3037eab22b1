// The play record's rules: which issue comes next, which records are
// refused and why, and how records are scored, totalled and charted.
#include "analysis/play_ledger.h"

#include <gtest/gtest.h>

using namespace numsift;

namespace {

DrawStore historyOf(std::vector<KeptDraw> draws) { return *DrawStore::fromOrdered(std::move(draws)); }

PlayRecord recordOf(std::string issue, std::vector<std::uint32_t> numbers, int multiple = 1) {
    PlayRecord r;
    r.issue = std::move(issue);
    r.time = "2026-05-01 20:30:00";
    r.set.values = std::move(numbers);
    r.multiple = multiple;
    return r;
}

}  // namespace

TEST(PlayLedger, TheNextIssueFollowsTheLastKeptDraw) {
    EXPECT_EQ(nextIssue(DrawStore{}), "1");
    EXPECT_EQ(nextIssue(historyOf({{"2026119", "", 1}, {"2026120", "2026-05-01", 2}})), "2026121");
    EXPECT_EQ(nextIssue(historyOf({{"0099", "", 1}})), "0100");
    EXPECT_EQ(nextIssue(historyOf({{"999", "", 1}})), "1000");
    // The last draw of a year: the daily numbering starts again.
    EXPECT_EQ(nextIssue(historyOf({{"2024352", "2024-12-31", 1}})), "2025001");
    EXPECT_EQ(nextIssue(historyOf({{"2024352", "2024-12-30", 1}})), "2024353");
    EXPECT_EQ(nextIssue(historyOf({{"2024352", "", 1}})), "2024353");
}

TEST(PlayLedger, ARecordForAnIssueAlreadyDrawnOrEarlierIsRefusedWithTheReason) {
    const DrawStore history = historyOf({{"2026119", "", 11111}, {"2026121", "", 35789}});
    EXPECT_EQ(recordRefusal(recordOf("2026122", {1, 2}), history), "");
    EXPECT_EQ(recordRefusal(recordOf("2026130", {1, 2}), history), "");  // a later issue may be named
    EXPECT_EQ(recordRefusal(recordOf("2026121", {1, 2}), history),
              "第 2026121 期已开奖（35789），开奖后补记的记录不能说明选号的眼光，不予记录");
    EXPECT_EQ(recordRefusal(recordOf("002026121", {1, 2}), history).substr(0, 17), "第 002026121 期");
    EXPECT_EQ(recordRefusal(recordOf("2026120", {1, 2}), history),
              "第 2026120 期在已保存的最后一期（2026121）之前，多半已经开奖，不予记录；下一期是 2026122");
    EXPECT_EQ(recordRefusal(recordOf("", {1}), history), "期号应为数字（至多 20 位）");
    EXPECT_EQ(recordRefusal(recordOf("第2026122期", {1}), history), "期号应为数字（至多 20 位）");
    EXPECT_EQ(recordRefusal(recordOf("2026122", {}), history), "没有号码，无法记录");
    EXPECT_EQ(recordRefusal(recordOf("2026122", {1}, 0), history), "倍数应为 1–99");
    EXPECT_EQ(recordRefusal(recordOf("2026122", {1}, 100), history), "倍数应为 1–99");
    PlayRecord badTime = recordOf("2026122", {1});
    for (const char* time : {"", "2026-02-30 10:00:00", "2026-05-01 24:00:00", "2026-05-01T20:30:00"}) {
        badTime.time = time;
        EXPECT_EQ(recordRefusal(badTime, history), "记录时间应为 YYYY-MM-DD HH:MM:SS") << time;
    }
}

TEST(PlayLedger, DrawnRecordsAreScoredAndTotalledPendingOnesCountedApart) {
    const DrawStore history = historyOf({{"2026120", "", 35789}, {"2026121", "", 12345}, {"2026122", "", 0}});
    const std::vector<PlayRecord> records = {
        recordOf("2026121", {12345, 54321}, 3),  // hit: 100,000 × 3
        recordOf("2026120", {1, 2, 3}),          // miss
        recordOf("2026123", {7}, 2),             // not drawn yet
        recordOf("2026121", {11111}),            // the same issue again, a miss
    };
    const Ledger ledger = scoreLedger(records, history);
    ASSERT_EQ(ledger.rows.size(), 4u);
    EXPECT_EQ(ledger.rows[0].drawn, 12345u);
    EXPECT_TRUE(ledger.rows[0].hit);
    EXPECT_EQ(ledger.rows[0].prize, 300000u);
    EXPECT_FALSE(ledger.rows[1].hit);
    EXPECT_EQ(ledger.rows[1].prize, 0u);
    EXPECT_FALSE(ledger.rows[2].drawn.has_value());

    const LedgerTotals& t = ledger.totals;
    EXPECT_EQ(t.drawn, 3u);
    EXPECT_EQ(t.hits, 1u);
    EXPECT_EQ(t.stake, 12u + 6u + 2u);
    EXPECT_EQ(t.prize, 300000u);
    EXPECT_EQ(t.balance(), 299980);
    EXPECT_EQ(t.pending, 1u);
    EXPECT_EQ(t.pendingStake, 4u);
    EXPECT_EQ(returnRateText(t), "1500000.00%");

    // One point per drawn issue, in issue order: 2026120 first although recorded second.
    ASSERT_EQ(ledger.balance.size(), 2u);
    EXPECT_EQ(ledger.balance[0].issue, "2026120");
    EXPECT_EQ(ledger.balance[0].balance, -6);
    EXPECT_DOUBLE_EQ(ledger.balance[0].chance, -3.0);
    EXPECT_EQ(ledger.balance[1].issue, "2026121");
    EXPECT_EQ(ledger.balance[1].balance, 299980);
    EXPECT_DOUBLE_EQ(ledger.balance[1].chance, -10.0);
}

TEST(PlayLedger, TheReturnRateIsRoundedHalfUpAndAbsentWhenNothingWasPaid) {
    LedgerTotals t;
    EXPECT_EQ(returnRateText(t), "—");
    t.stake = 3;
    EXPECT_EQ(returnRateText(t), "0.00%");
    t.prize = 2;  // 66.666…%
    EXPECT_EQ(returnRateText(t), "66.67%");
    t.stake = 8;
    t.prize = 1;  // 12.5%
    EXPECT_EQ(returnRateText(t), "12.50%");
    t.stake = 200000;
    t.prize = 1;  // 0.0005% rounds up
    EXPECT_EQ(returnRateText(t), "0.00%");
    t.stake = 20000;  // 0.005%
    EXPECT_EQ(returnRateText(t), "0.01%");
}

TEST(PlayLedger, TheLedgerTextHasOneLinePerRecordThenTheTotals) {
    const DrawStore history = historyOf({{"2026121", "", 12345}});
    const std::vector<PlayRecord> records = {recordOf("2026121", {12345, 54321}, 2),
                                             recordOf("2026122", {7})};
    EXPECT_EQ(ledgerText(records, scoreLedger(records, history), "\n"),
              "期号\t记录时间\t注数\t倍数\t投入\t开奖号码\t中奖\t奖金\n"
              "2026121\t2026-05-01 20:30:00\t2\t2\t8\t12345\t是\t200000\n"
              "2026122\t2026-05-01 20:30:00\t1\t1\t2\t待开奖\t—\t—\n"
              "已开奖\t1 条\t中奖 1 次\n"
              "投入\t8 元\n"
              "奖金\t200000 元\n"
              "盈亏\t+199992 元\n"
              "回报率\t2500000.00%\t随机选号 50%\n"
              "待开奖\t1 条\t投入 2 元\n");
}
