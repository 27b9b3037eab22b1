#include "analysis/play_ledger.h"

#include <algorithm>
#include <numeric>

#include "engine/number.h"
#include "results/shop_file.h"
#include "results/tickets.h"

namespace numsift {

namespace {

constexpr std::size_t kMaxIssueDigits = 20;

bool isIssue(std::string_view s) {
    return !s.empty() && s.size() <= kMaxIssueDigits &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "YYYY-MM-DD HH:MM:SS" of a real day and time.
bool isRecordTime(std::string_view t) {
    if (t.size() != 19 || t[10] != ' ' || t[13] != ':' || t[16] != ':') return false;
    if (readDate(t.substr(0, 10), false) != t.substr(0, 10)) return false;
    auto field = [t](std::size_t at, int max) {
        const char a = t[at], b = t[at + 1];
        return a >= '0' && a <= '9' && b >= '0' && b <= '9' && (a - '0') * 10 + (b - '0') <= max;
    };
    return field(11, 23) && field(14, 59) && field(17, 59);
}

// The decimal text plus one, as wide as it or one digit wider.
std::string plusOne(std::string issue) {
    for (std::size_t i = issue.size(); i-- > 0;) {
        if (issue[i] != '9') {
            ++issue[i];
            return issue;
        }
        issue[i] = '0';
    }
    return "1" + issue;
}

std::string yuan(std::uint64_t amount) { return std::to_string(amount) + " 元"; }

}  // namespace

std::uint64_t PlayRecord::stake() const {
    return bets() * kYuanPerBet * static_cast<std::uint64_t>(std::max(multiple, 0));
}

std::string nextIssue(const DrawStore& history) {
    if (history.empty()) return "1";
    const KeptDraw& last = history.draws().back();
    // A daily draw numbered YYYYNNN starts again at 001 after 31 December.
    if (last.issue.size() == 7 && last.date.size() == 10 && last.date.substr(4) == "-12-31" &&
        last.date.substr(0, 4) == last.issue.substr(0, 4))
        return plusOne(last.issue.substr(0, 4)) + "001";
    return plusOne(last.issue);
}

std::string recordRefusal(const PlayRecord& record, const DrawStore& history) {
    if (!isIssue(record.issue)) return "期号应为数字（至多 20 位）";
    if (const std::optional<std::size_t> at = history.find(record.issue))
        return "第 " + record.issue + " 期已开奖（" + numberText(history.draws()[*at].value) +
               "），开奖后补记的记录不能说明选号的眼光，不予记录";
    if (!history.empty() && compareIssues(record.issue, history.draws().back().issue) < 0)
        return "第 " + record.issue + " 期在已保存的最后一期（" + history.draws().back().issue +
               "）之前，多半已经开奖，不予记录；下一期是 " + nextIssue(history);
    if (record.set.empty()) return "没有号码，无法记录";
    if (record.multiple < kMinMultiple || record.multiple > kMaxMultiple) return "倍数应为 1–99";
    if (!isRecordTime(record.time)) return "记录时间应为 YYYY-MM-DD HH:MM:SS";
    return {};
}

Ledger scoreLedger(std::span<const PlayRecord> records, const DrawStore& history) {
    Ledger ledger;
    ledger.rows.resize(records.size());
    std::vector<std::size_t> drawn;  // indices of the drawn records
    for (std::size_t i = 0; i < records.size(); ++i) {
        const PlayRecord& r = records[i];
        ScoredRecord& row = ledger.rows[i];
        const std::optional<std::size_t> at = history.find(r.issue);
        if (!at) {
            ++ledger.totals.pending;
            ledger.totals.pendingStake += r.stake();
            continue;
        }
        row.drawn = history.draws()[*at].value;
        row.hit = std::binary_search(r.set.values.begin(), r.set.values.end(), *row.drawn);
        row.prize = row.hit ? kPrizePerMultiple * static_cast<std::uint64_t>(r.multiple) : 0;
        ++ledger.totals.drawn;
        ledger.totals.hits += row.hit;
        ledger.totals.stake += r.stake();
        ledger.totals.prize += row.prize;
        drawn.push_back(i);
    }

    std::stable_sort(drawn.begin(), drawn.end(), [&records](std::size_t a, std::size_t b) {
        return compareIssues(records[a].issue, records[b].issue) < 0;
    });
    std::int64_t balance = 0;
    std::uint64_t paid = 0;
    for (const std::size_t i : drawn) {
        const PlayRecord& r = records[i];
        balance += static_cast<std::int64_t>(ledger.rows[i].prize) - static_cast<std::int64_t>(r.stake());
        paid += r.stake();
        const double chance = -static_cast<double>(paid) * (100 - kChanceReturnPercent) / 100.0;
        if (!ledger.balance.empty() && compareIssues(ledger.balance.back().issue, r.issue) == 0)
            ledger.balance.back() = {r.issue, balance, chance};
        else
            ledger.balance.push_back({r.issue, balance, chance});
    }
    return ledger;
}

std::string returnRateText(const LedgerTotals& totals) {
    if (totals.stake == 0) return "—";
    // Hundredths of a percent, halves up, in whole numbers.
    const std::uint64_t hundredths = (totals.prize * 20000 + totals.stake) / (2 * totals.stake);
    std::string fraction = std::to_string(hundredths % 100);
    if (fraction.size() < 2) fraction.insert(0, "0");
    return std::to_string(hundredths / 100) + "." + fraction + "%";
}

std::string ledgerText(std::span<const PlayRecord> records, const Ledger& ledger, std::string_view eol) {
    const std::string e(eol);
    std::string text = "期号\t记录时间\t注数\t倍数\t投入\t开奖号码\t中奖\t奖金" + e;
    for (std::size_t i = 0; i < records.size() && i < ledger.rows.size(); ++i) {
        const PlayRecord& r = records[i];
        const ScoredRecord& row = ledger.rows[i];
        text += r.issue + "\t" + r.time + "\t" + std::to_string(r.bets()) + "\t" +
                std::to_string(r.multiple) + "\t" + std::to_string(r.stake()) + "\t";
        if (row.drawn)
            text +=
                numberText(*row.drawn) + "\t" + (row.hit ? "是" : "否") + "\t" + std::to_string(row.prize);
        else
            text += "待开奖\t—\t—";
        text += e;
    }
    const LedgerTotals& t = ledger.totals;
    const std::int64_t balance = t.balance();
    text += "已开奖\t" + std::to_string(t.drawn) + " 条\t中奖 " + std::to_string(t.hits) + " 次" + e;
    text += "投入\t" + yuan(t.stake) + e;
    text += "奖金\t" + yuan(t.prize) + e;
    text += "盈亏\t" + std::string(balance > 0 ? "+" : "") + std::to_string(balance) + " 元" + e;
    text += "回报率\t" + returnRateText(t) + "\t随机选号 " + std::to_string(kChanceReturnPercent) + "%" + e;
    text += "待开奖\t" + std::to_string(t.pending) + " 条\t投入 " + yuan(t.pendingStake) + e;
    return text;
}

}  // namespace numsift
