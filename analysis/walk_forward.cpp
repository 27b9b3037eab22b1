#include "analysis/walk_forward.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>

#include "analysis/analysis_text.h"
#include "conditions/condition_id.h"
#include "conditions/run_order.h"
#include "engine/number.h"

namespace numsift {

namespace {

// The four controls rules feed, each one column of the run.
enum Dynamic { kPosition, kDigit, kSumTail, kSpan, kDynamicCount };
constexpr std::array<ConditionId, kDynamicCount> kDynamicConditions = {
    ConditionId::PositionalKill, ConditionId::DigitKill, ConditionId::SumTailKill, ConditionId::SpanKill};

int dynamicOf(RuleFamily f) {
    switch (f) {
        case RuleFamily::Any: return kDigit;
        case RuleFamily::SumTail: return kSumTail;
        case RuleFamily::Span: return kSpan;
        default: return kPosition;
    }
}

ValueMask maskOf(const std::array<bool, 10>& boxes) {
    ValueMask m = 0;
    for (int v = 0; v < 10; ++v)
        if (boxes[static_cast<std::size_t>(v)]) m = static_cast<ValueMask>(m | (1u << v));
    return m;
}

std::vector<std::uint8_t> valuesOf(ValueMask m) {
    std::vector<std::uint8_t> v;
    for (int x = 0; x < 10; ++x)
        if (m >> x & 1) v.push_back(static_cast<std::uint8_t>(x));
    return v;
}

using Bytes = std::uint8_t __attribute__((vector_size(16)));
constexpr std::size_t kLanes = 16;

Bytes load(const std::uint8_t* p) {
    Bytes b;
    __builtin_memcpy(&b, p, sizeof b);
    return b;
}

// Lanes 0xFF where a == b.
Bytes equal(Bytes a, Bytes b) { return (Bytes)(a == b); }

std::uint64_t laneSum(Bytes b) {
    std::uint64_t s = 0;
    for (std::size_t l = 0; l < kLanes; ++l) s += b[l];
    return s;
}

// The kills of the changing controls at one draw.
struct DrawKills {
    std::array<ValueMask, 5> position{};
    ValueMask digit = 0, sumTail = 0, span = 0;
};

DrawKills drawKills(const RuleKillsByControl& k) { return {k.position, k.digit, k.sumTail, k.span}; }

DrawKills joined(DrawKills a, const DrawKills& b) {
    for (std::size_t r = 0; r < 5; ++r) a.position[r] |= b.position[r];
    a.digit |= b.digit;
    a.sumTail |= b.sumTail;
    a.span |= b.span;
    return a;
}

// Which changing columns the kills fail a number in (0 or 1 each).
std::array<int, kDynamicCount> failsOf(std::uint32_t value, const DrawKills& k) {
    std::array<int, kDynamicCount> f{};
    const Digits& d = digitsOf(value);
    for (std::size_t r = 0; r < 5; ++r) f[kPosition] |= (k.position[r] >> d[r]) & 1;
    f[kDigit] = (familyValues(RuleFamily::Any, value) & k.digit) != 0;
    f[kSumTail] = (familyValues(RuleFamily::SumTail, value) & k.sumTail) != 0;
    f[kSpan] = (familyValues(RuleFamily::Span, value) & k.span) != 0;
    return f;
}

// A set of the grouped tolerance holding changing columns: its tolerance
// and which of them.
struct ChangingSet {
    std::size_t set = 0;
    Tolerance tolerance;
    std::vector<int> columns;
};

// The candidates whose fate depends on the draw's kills, column-wise so that
// sixteen of them are judged at once: their digits, sum tail, span and digit
// bits, whether the hand ticks already fail them in each changing column
// (0xFF) and their fails in the other columns of each changing set.
struct Undecided {
    std::size_t count = 0;
    std::array<std::vector<std::uint8_t>, 5> digit;
    std::vector<std::uint8_t> sumTail, span;
    std::vector<std::uint8_t> lowDigits, highDigits;  // digits 0–7 and 8–9 present, as bits
    std::array<std::vector<std::uint8_t>, kDynamicCount> handFails;
    std::vector<std::vector<std::uint8_t>> fails;  // per changing set
};

class Walk {
public:
    Walk(const Scheme& scheme, const NumberSet& base)
        : grouping_(scheme.grouping()), table_(CandidateTable::build(base)) {
        for (const KillRule& r : scheme.rules) dynamic_[static_cast<std::size_t>(dynamicOf(r.family))] = true;
        FilterInput fixed = scheme.input;
        RuleKillsByControl hand;
        if (dynamic_[kPosition])
            for (std::size_t r = 0; r < 5; ++r) {
                hand.position[r] = maskOf(fixed.positionalKill[r]);
                fixed.positionalKill[r] = {};
            }
        auto takeHand = [&](int d, std::array<bool, 10>& boxes, ValueMask& out) {
            if (!dynamic_[static_cast<std::size_t>(d)]) return;
            out = maskOf(boxes);
            boxes = {};
        };
        takeHand(kDigit, fixed.digitKill, hand.digit);
        takeHand(kSumTail, fixed.sumTailKill, hand.sumTail);
        takeHand(kSpan, fixed.spanKill, hand.span);
        hand_ = drawKills(hand);

        // The other conditions, once: their fails per set.
        const ConditionMatrix matrix = checkTable(runOrder(), fixed, table_);
        const std::vector<std::uint8_t> columnSets = grouping_.columnSets(matrix);
        const std::size_t n = table_.size();
        setFails_.assign(grouping_.setCount(), std::vector<std::uint8_t>(n, 0));
        for (std::size_t c = 0; c < matrix.columnCount(); ++c) {
            std::uint8_t* f = setFails_[columnSets[c]].data();
            const std::uint8_t* m = matrix.column(c).marks.data();
            for (std::size_t i = 0; i < n; ++i) f[i] = static_cast<std::uint8_t>(f[i] + m[i]);
        }
        for (int d = 0; d < kDynamicCount; ++d) {
            if (!dynamic_[static_cast<std::size_t>(d)]) continue;
            const std::size_t set =
                grouping_.setOf(ColumnId{kDynamicConditions[static_cast<std::size_t>(d)]});
            dynamicSet_[static_cast<std::size_t>(d)] = set;
            auto it = std::find_if(changing_.begin(), changing_.end(),
                                   [set](const ChangingSet& c) { return c.set == set; });
            if (it == changing_.end()) {
                changing_.push_back({set, grouping_.toleranceOf(set), {}});
                it = changing_.end() - 1;
            }
            it->columns.push_back(d);
        }
        sortCandidates();
        rowOf_.assign(kNumberSpace, -1);
        for (std::size_t i = 0; i < n; ++i) rowOf_[table_.values[i]] = static_cast<long>(i);
    }

    // K: how many candidates the panel keeps with the rules' kills added.
    std::size_t resultSize(const DrawKills& rules) const {
        const Undecided& u = undecided_;
        if (u.count == 0) return alwaysKept_;
        // The rules' values, each a vector of sixteen equal lanes.
        struct Compare {
            const std::uint8_t* values;
            Bytes value;
        };
        std::vector<Compare> position, tails, spans;
        for (std::size_t r = 0; r < 5; ++r)
            for (std::uint8_t v : valuesOf(rules.position[r]))
                position.push_back({u.digit[r].data(), Bytes{} + v});
        for (std::uint8_t v : valuesOf(rules.sumTail)) tails.push_back({u.sumTail.data(), Bytes{} + v});
        for (std::uint8_t v : valuesOf(rules.span)) spans.push_back({u.span.data(), Bytes{} + v});
        const Bytes lowKill = Bytes{} + static_cast<std::uint8_t>(rules.digit & 0xFF);
        const Bytes highKill = Bytes{} + static_cast<std::uint8_t>(rules.digit >> 8);
        const Bytes zero{};
        auto anyEqual = [](const std::vector<Compare>& list, std::size_t at, Bytes m) {
            for (const Compare& c : list) m |= equal(load(c.values + at), c.value);
            return m;
        };

        // Every changing column in one set (always so without groups): the
        // columns' fails add up in registers.
        const bool oneSet = changing_.size() == 1;
        const std::uint8_t lower = changing_[0].tolerance.lower;
        const auto width = static_cast<std::uint8_t>(changing_[0].tolerance.upper - lower);

        std::uint64_t kept = alwaysKept_;
        Bytes tally{};
        std::size_t inTally = 0;
        const std::size_t vectors = u.count / kLanes;
        for (std::size_t j = 0; j < vectors; ++j) {
            const std::size_t at = j * kLanes;
            // Per changing column, 0xFF where the number fails it.
            Bytes fails[kDynamicCount] = {};
            if (dynamic_[kPosition])
                fails[kPosition] = anyEqual(position, at, load(u.handFails[kPosition].data() + at));
            if (dynamic_[kDigit]) {
                const Bytes hit =
                    (load(u.lowDigits.data() + at) & lowKill) | (load(u.highDigits.data() + at) & highKill);
                fails[kDigit] = load(u.handFails[kDigit].data() + at) | ~equal(hit, zero);
            }
            if (dynamic_[kSumTail])
                fails[kSumTail] = anyEqual(tails, at, load(u.handFails[kSumTail].data() + at));
            if (dynamic_[kSpan]) fails[kSpan] = anyEqual(spans, at, load(u.handFails[kSpan].data() + at));
            // 0xFF is -1: subtracting a failed lane adds one fail.
            Bytes ok = ~zero;
            if (oneSet) {
                const Bytes total = load(u.fails[0].data() + at) - fails[kPosition] - fails[kDigit] -
                                    fails[kSumTail] - fails[kSpan];
                ok = (Bytes)((Bytes)(total - lower) <= width);
            } else {
                for (std::size_t c = 0; c < changing_.size(); ++c) {
                    Bytes total = load(u.fails[c].data() + at);
                    for (int d : changing_[c].columns) total -= fails[d];
                    const Tolerance t = changing_[c].tolerance;
                    ok &= (Bytes)((Bytes)(total - t.lower) <= static_cast<std::uint8_t>(t.upper - t.lower));
                }
            }
            tally -= ok;  // ok lanes are 0xFF: one more kept
            if (++inTally == 255) {
                kept += laneSum(tally);
                tally = Bytes{};
                inTally = 0;
            }
        }
        kept += laneSum(tally);
        for (std::size_t i = vectors * kLanes; i < u.count; ++i) kept += admitsUndecided(i, rules);
        return kept;
    }

    // Whether the panel with the rules' kills added keeps the number.
    bool keeps(std::uint32_t value, const DrawKills& rules) const {
        const long row = rowOf_[value];
        if (row < 0) return false;
        const std::array<int, kDynamicCount> dyn = failsOf(value, joined(hand_, rules));
        for (std::size_t set = 0; set < grouping_.setCount(); ++set) {
            int fails = setFails_[set][static_cast<std::size_t>(row)];
            for (int d = 0; d < kDynamicCount; ++d)
                if (dynamic_[static_cast<std::size_t>(d)] && dynamicSet_[static_cast<std::size_t>(d)] == set)
                    fails += dyn[static_cast<std::size_t>(d)];
            if (!within(grouping_.toleranceOf(set), fails)) return false;
        }
        return true;
    }

private:
    bool admitsUndecided(std::size_t i, const DrawKills& rules) const {
        const Undecided& u = undecided_;
        const std::uint32_t value =
            valueOf({u.digit[0][i], u.digit[1][i], u.digit[2][i], u.digit[3][i], u.digit[4][i]});
        const std::array<int, kDynamicCount> dyn = failsOf(value, joined(hand_, rules));
        for (std::size_t c = 0; c < changing_.size(); ++c) {
            int fails = u.fails[c][i];
            for (int d : changing_[c].columns) fails += dyn[static_cast<std::size_t>(d)];
            if (!within(changing_[c].tolerance, fails)) return false;
        }
        return true;
    }

    // Every candidate is kept whatever the rules kill, never kept, or
    // undecided. The changing columns of a set add from the columns the hand
    // ticks already fail to all of them, so a set decides alone when its
    // tolerance holds, or misses, that whole span.
    void sortCandidates() {
        Undecided& u = undecided_;
        u.fails.assign(changing_.size(), {});
        std::vector<bool> isChanging(grouping_.setCount(), false);
        for (const ChangingSet& c : changing_) isChanging[c.set] = true;
        for (std::size_t i = 0; i < table_.size(); ++i) {
            bool never = false;
            for (std::size_t set = 0; set < grouping_.setCount() && !never; ++set)
                never = !isChanging[set] && !within(grouping_.toleranceOf(set), setFails_[set][i]);
            if (never) continue;
            const std::uint32_t value = table_.values[i];
            const std::array<int, kDynamicCount> handFails = failsOf(value, hand_);
            bool always = true;
            for (std::size_t c = 0; c < changing_.size() && !never; ++c) {
                const int f = setFails_[changing_[c].set][i];
                int least = f, most = f;
                for (int d : changing_[c].columns) {
                    least += handFails[static_cast<std::size_t>(d)];
                    ++most;
                }
                const Tolerance t = changing_[c].tolerance;
                never = least > t.upper || most < t.lower;
                always = always && within(t, least) && within(t, most);
            }
            if (never) continue;
            if (always) {
                ++alwaysKept_;
                continue;
            }
            const Digits& d = digitsOf(value);
            for (std::size_t r = 0; r < 5; ++r) u.digit[r].push_back(d[r]);
            u.sumTail.push_back(
                static_cast<std::uint8_t>(std::countr_zero(familyValues(RuleFamily::SumTail, value))));
            u.span.push_back(
                static_cast<std::uint8_t>(std::countr_zero(familyValues(RuleFamily::Span, value))));
            const ValueMask digits = familyValues(RuleFamily::Any, value);
            u.lowDigits.push_back(static_cast<std::uint8_t>(digits & 0xFF));
            u.highDigits.push_back(static_cast<std::uint8_t>(digits >> 8));
            for (int c = 0; c < kDynamicCount; ++c)
                u.handFails[static_cast<std::size_t>(c)].push_back(
                    handFails[static_cast<std::size_t>(c)] ? 0xFF : 0);
            for (std::size_t c = 0; c < changing_.size(); ++c)
                u.fails[c].push_back(setFails_[changing_[c].set][i]);
            ++u.count;
        }
    }

    GroupedTolerance grouping_;
    CandidateTable table_;
    std::array<bool, kDynamicCount> dynamic_{};
    std::array<std::size_t, kDynamicCount> dynamicSet_{};
    DrawKills hand_;
    std::vector<ChangingSet> changing_;
    std::vector<std::vector<std::uint8_t>> setFails_;  // per set, per candidate row
    std::size_t alwaysKept_ = 0;
    Undecided undecided_;
    std::vector<long> rowOf_;
};

}  // namespace

std::optional<WalkReport> walkForward(const Scheme& scheme, const NumberSet& base,
                                      std::span<const std::uint32_t> draws, DrawSpan range,
                                      const ProgressFn& progress) {
    range.end = std::min(range.end, draws.size());
    range.begin = std::min(range.begin, range.end);
    const std::size_t total = range.end + range.size();
    ProgressFn rulesProgress;
    if (progress) rulesProgress = [&](std::size_t done, std::size_t) { return progress(done, total); };
    const auto kills = ruleKills(scheme.rules, draws, range.begin, range.end, rulesProgress);
    if (!kills) return std::nullopt;

    const Walk walk(scheme, base);
    WalkReport report;
    report.draws.reserve(range.size());
    std::vector<ValueMask> at(scheme.rules.size());
    for (std::size_t t = range.begin; t < range.end; ++t) {
        if (progress && (t - range.begin) % 64 == 0 && !progress(range.end + t - range.begin, total))
            return std::nullopt;
        for (std::size_t r = 0; r < at.size(); ++r) at[r] = (*kills)[r][t - range.begin];
        const DrawKills k = drawKills(killsByControl(scheme.rules, at));
        report.draws.push_back({t, draws[t], walk.resultSize(k), walk.keeps(draws[t], k)});
    }
    if (progress && !progress(total, total)) return std::nullopt;
    report.summary = walkSummary(report.draws);
    return report;
}

WalkSummary walkSummary(std::span<const WalkDraw> rows) {
    WalkSummary s;
    s.drawCount = rows.size();
    std::uint64_t sizes = 0;
    std::size_t missRun = 0;
    for (const WalkDraw& d : rows) {
        sizes += d.resultSize;
        if (d.kept) {
            ++s.kept;
            missRun = 0;
        } else {
            s.longestMissRun = std::max(s.longestMissRun, ++missRun);
        }
    }
    if (s.drawCount > 0) {
        const double n = static_cast<double>(s.drawCount);
        s.keptShare = static_cast<double>(s.kept) / n;
        s.averageSize = static_cast<double>(sizes) / n;
        s.theory = s.averageSize / static_cast<double>(kNumberSpace);
    }
    s.cost = sizes * kPriceYuan;
    s.prize = s.kept * kPrizeYuan;
    s.returnRate = s.cost > 0 ? static_cast<double>(s.prize) / static_cast<double>(s.cost) : 0.0;
    return s;
}

std::string walkDrawTable(const WalkReport& report, std::span<const std::string> labels,
                          std::string_view eol) {
    std::string s = "期号\t号码\t结果注数\t保留";
    s += eol;
    for (const WalkDraw& d : report.draws) {
        if (d.draw < labels.size()) s += labels[d.draw];
        s += "\t" + numberText(d.value) + "\t" + std::to_string(d.resultSize) + "\t" + (d.kept ? "是" : "否");
        s += eol;
    }
    return s;
}

std::string walkSummaryText(const WalkSummary& s, std::string_view eol) {
    char average[32];
    std::snprintf(average, sizeof average, "%.1f", s.averageSize);
    std::string out;
    auto line = [&](const char* name, const std::string& value) {
        out += name;
        out += "\t" + value;
        out += eol;
    };
    line("期数", std::to_string(s.drawCount));
    line("保留期数", std::to_string(s.kept) + "/" + std::to_string(s.drawCount) + "（" +
                         percentText(100.0 * s.keptShare) + "）");
    line("理论", percentText(100.0 * s.theory));
    line("平均注数", average);
    line("投入", std::to_string(s.cost) + " 元");
    line("奖金", std::to_string(s.prize) + " 元");
    line("回报率", (s.cost > 0 ? percentText(100.0 * s.returnRate) : std::string("—")) + "（随机 " +
                       percentText(100.0 * kChanceReturn) + "）");
    line("最长连续未中", std::to_string(s.longestMissRun));
    return out;
}

}  // namespace numsift
