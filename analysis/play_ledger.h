#pragma once
// The play record ("投注记录"): what the player bought before a draw, frozen
// when he bought it, and scored against the kept history when the draw
// arrives. io/play_record_file.h keeps it, append-only and chained by
// SHA-256, so that a record edited or removed afterwards is found.
//
// A record is made for an issue not yet drawn: the next issue after the
// last kept draw (nextIssue) or a later one. An issue that is in the kept
// history, or lies before its last draw, is refused: a record made once the
// draw could be known proves nothing about the player's choice.
//
// Scoring: a record whose issue is in the kept history is drawn; it hits
// when its set holds the drawn number and then pays 100,000 元 per multiple
// (one straight bet of 2 元 wins 100,000 元). The chance return of any set
// is 50 %: each bet has one chance in 100,000 of 100,000 元 for its 2 元.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/draw_store.h"
#include "engine/number_list.h"

namespace numsift {

inline constexpr std::uint64_t kPrizePerMultiple = 100000;  // 元, a straight hit at multiple 1
inline constexpr int kChanceReturnPercent = 50;

struct PlayRecord {
    std::string issue;   // 期号, ASCII digits
    std::string time;    // 记录时间 "YYYY-MM-DD HH:MM:SS", local time when it was made
    NumberSet set;       // the numbers bought
    int multiple = 1;    // 倍数, kMinMultiple..kMaxMultiple (results/shop_file.h)
    std::string scheme;  // the scheme file that made the set; empty when not known

    std::uint64_t bets() const { return set.size(); }  // 注数
    std::uint64_t stake() const;                       // 投入: 注数 × 2 元 × 倍数

    bool operator==(const PlayRecord&) const = default;
};

// The issue after the last kept draw: its issue plus one, as wide as it
// (leading zeros kept). A seven-digit issue "YYYYNNN" whose draw is dated
// 31 December of the year YYYY is followed by "(YYYY+1)001". "1" for an
// empty history.
std::string nextIssue(const DrawStore& history);

// Why record cannot be kept, in a short Chinese sentence; empty when it
// can: an issue that is not digits, an issue already drawn (with its number)
// or before the last kept draw, no numbers, a multiple outside 1–99, a time
// not "YYYY-MM-DD HH:MM:SS".
std::string recordRefusal(const PlayRecord& record, const DrawStore& history);

// One record scored against the history.
struct ScoredRecord {
    std::optional<std::uint32_t> drawn;  // the drawn number; none while the issue is not drawn
    bool hit = false;
    std::uint64_t prize = 0;  // 奖金, 元
};

// Totals over the drawn records; the pending ones are counted apart.
struct LedgerTotals {
    std::size_t drawn = 0;  // records whose draw is kept
    std::size_t hits = 0;
    std::uint64_t stake = 0;  // 投入 of the drawn records
    std::uint64_t prize = 0;  // 奖金
    std::size_t pending = 0;  // records still waiting for their draw
    std::uint64_t pendingStake = 0;

    std::int64_t balance() const {
        return static_cast<std::int64_t>(prize) - static_cast<std::int64_t>(stake);
    }
};

// A point of the cumulative balance chart: after the drawn records up to
// and including this issue (in issue order, records of one issue in their
// own order), what was won less what was paid, and what the chance return
// would have left (half of what was paid, lost).
struct BalancePoint {
    std::string issue;
    std::int64_t balance = 0;  // 元
    double chance = 0;         // 元
};

struct Ledger {
    std::vector<ScoredRecord> rows;  // one per record, in record order
    LedgerTotals totals;
    std::vector<BalancePoint> balance;  // one per drawn issue
};

// Linear in the records plus a binary search in the history and in each
// record's set.
Ledger scoreLedger(std::span<const PlayRecord> records, const DrawStore& history);

// "62.50%": the return rate 奖金 / 投入 to two decimals, halves up; "—"
// when nothing was paid.
std::string returnRateText(const LedgerTotals& totals);

// The ledger as tab-separated text, each line ending with eol: a header,
// one line per record (期号, 记录时间, 注数, 倍数, 投入, 开奖号码 or 待开奖,
// 中奖 是/否 or —, 奖金 or —), then the totals, one a line: 已开奖 (records
// and hits), 投入, 奖金, 盈亏, 回报率 beside the chance return, 待开奖.
std::string ledgerText(std::span<const PlayRecord> records, const Ledger& ledger, std::string_view eol);

}  // namespace numsift
