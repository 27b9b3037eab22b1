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
    case RuleFamily::Any:
        return kDigit;
    case RuleFamily::SumTail:
        return kSumTail;
    case RuleFamily::Span:
        return kSpan;
    default:
        return kPosition;
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
using SignedBytes = std::int8_t __attribute__((vector_size(16)));
using Words = std::uint16_t __attribute__((vector_size(32)));
constexpr std::size_t kLanes = 16;

// The candidates that can still survive, column-wise so that a draw's
// changing columns are compared sixteen candidates at a time.
struct Survivors {
    std::size_t count = 0;
    std::array<std::vector<std::uint8_t>, 5> digit;
    std::vector<std::uint8_t> sumTail, span;
    std::vector<std::uint16_t> digitMask;
    std::vector<std::vector<std::uint8_t>> fails;  // per changing set: the fixed columns' fails
};

// The kills of the changing controls at one draw: hand ticks and rules.
struct DrawKills {
    std::array<ValueMask, kDynamicCount> control{};  // kPosition unused
    std::array<ValueMask, 5> position{};
};

// A changing set of the grouped tolerance: its tolerance and the changing
// columns in it.
struct ChangingSet {
    std::size_t set = 0;
    Tolerance tolerance;
    std::array<bool, kDynamicCount> has{};
};

class Walk {
public:
    Walk(const Scheme& scheme, const NumberSet& base)
        : grouping_(scheme.grouping()), table_(CandidateTable::build(base)) {
        for (const KillRule& r : scheme.rules) dynamic_[static_cast<std::size_t>(dynamicOf(r.family))] = true;
        FilterInput fixed = scheme.input;
        if (dynamic_[kPosition])
            for (std::size_t r = 0; r < 5; ++r) {
                hand_.position[r] = maskOf(fixed.positionalKill[r]);
                fixed.positionalKill[r] = {};
            }
        auto takeHand = [&](int d, std::array<bool, 10>& boxes) {
            if (!dynamic_[static_cast<std::size_t>(d)]) return;
            hand_.control[static_cast<std::size_t>(d)] = maskOf(boxes);
            boxes = {};
        };
        takeHand(kDigit, fixed.digitKill);
        takeHand(kSumTail, fixed.sumTailKill);
        takeHand(kSpan, fixed.spanKill);

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
            const std::size_t set = grouping_.setOf(ColumnId{kDynamicConditions[static_cast<std::size_t>(d)]});
            dynamicSet_[static_cast<std::size_t>(d)] = set;
            auto it = std::find_if(changing_.begin(), changing_.end(),
                                   [set](const ChangingSet& c) { return c.set == set; });
            if (it == changing_.end()) {
                changing_.push_back({set, grouping_.toleranceOf(set), {}});
                it = changing_.end() - 1;
            }
            it->has[static_cast<std::size_t>(d)] = true;
        }
        gatherSurvivors();
        rowOf_.assign(kNumberSpace, -1);
        for (std::size_t i = 0; i < n; ++i) rowOf_[table_.values[i]] = static_cast<long>(i);
    }

    const std::array<bool, kDynamicCount>& dynamic() const { return dynamic_; }

    DrawKills killsAt(std::span<const KillRule> rules, std::span<const ValueMask> kills) const {
        DrawKills k = hand_;
        const RuleKillsByControl byControl = killsByControl(rules, kills);
        for (std::size_t r = 0; r < 5; ++r) k.position[r] |= byControl.position[r];
        k.control[kDigit] |= byControl.digit;
        k.control[kSumTail] |= byControl.sumTail;
        k.control[kSpan] |= byControl.span;
        return k;
    }

    // K: how many candidates the panel with these kills keeps.
    std::size_t resultSize(const DrawKills& k) const {
        const Survivors& s = survivors_;
        if (changing_.empty()) return s.count;
        std::array<std::vector<std::uint8_t>, 5> pos;
        for (std::size_t r = 0; r < 5; ++r) pos[r] = valuesOf(k.position[r]);
        const std::vector<std::uint8_t> tails = valuesOf(k.control[kSumTail]);
        const std::vector<std::uint8_t> spans = valuesOf(k.control[kSpan]);
        const auto digitKill = static_cast<std::uint16_t>(k.control[kDigit]);

        const std::size_t vectors = s.count / kLanes;
        std::uint64_t kept = 0;
        Bytes tally{};
        std::size_t inTally = 0;
        for (std::size_t j = 0; j < vectors; ++j) {
            const std::size_t at = j * kLanes;
            Bytes fails[kDynamicCount];
            for (int d = 0; d < kDynamicCount; ++d) fails[d] = Bytes{};
            if (dynamic_[kPosition]) {
                Bytes f{};
                for (std::size_t r = 0; r < 5; ++r) {
                    const Bytes digit = load(s.digit[r].data() + at);
                    for (std::uint8_t v : pos[r]) f |= (Bytes)(digit == v);
                }
                fails[kPosition] = f & 1;
            }
            if (dynamic_[kDigit]) {
                Words masks;
                __builtin_memcpy(&masks, s.digitMask.data() + at, sizeof masks);
                fails[kDigit] = (Bytes)__builtin_convertvector((masks & digitKill) != 0, SignedBytes) & 1;
            }
            if (dynamic_[kSumTail]) fails[kSumTail] = anyOf(load(s.sumTail.data() + at), tails);
            if (dynamic_[kSpan]) fails[kSpan] = anyOf(load(s.span.data() + at), spans);

            Bytes ok = ~Bytes{};
            for (std::size_t c = 0; c < changing_.size(); ++c) {
                Bytes total = load(s.fails[c].data() + at);
                for (int d = 0; d < kDynamicCount; ++d)
                    if (changing_[c].has[static_cast<std::size_t>(d)]) total += fails[d];
                const Tolerance t = changing_[c].tolerance;
                const auto width = static_cast<std::uint8_t>(t.upper - t.lower);
                ok &= (Bytes)((Bytes)(total - t.lower) <= width);
            }
            tally -= ok;  // ok lanes are 0xFF: one more kept
            if (++inTally == 255) {
                kept += sum(tally);
                tally = Bytes{};
                inTally = 0;
            }
        }
        kept += sum(tally);
        for (std::size_t i = vectors * kLanes; i < s.count; ++i) kept += admitsSurvivor(i, k);
        return kept;
    }

    // Whether the panel with these kills keeps the number.
    bool keeps(std::uint32_t value, const DrawKills& k) const {
        const long row = rowOf_[value];
        if (row < 0) return false;
        const auto i = static_cast<std::size_t>(row);
        const std::array<std::uint8_t, kDynamicCount> dyn = dynamicFails(value, k);
        for (std::size_t set = 0; set < grouping_.setCount(); ++set) {
            int fails = setFails_[set][i];
            for (int d = 0; d < kDynamicCount; ++d)
                if (dynamic_[static_cast<std::size_t>(d)] && dynamicSet_[static_cast<std::size_t>(d)] == set)
                    fails += dyn[static_cast<std::size_t>(d)];
            if (!within(grouping_.toleranceOf(set), fails)) return false;
        }
        return true;
    }

private:
    static Bytes load(const std::uint8_t* p) {
        Bytes b;
        __builtin_memcpy(&b, p, sizeof b);
        return b;
    }

    static Bytes anyOf(Bytes x, const std::vector<std::uint8_t>& values) {
        Bytes f{};
        for (std::uint8_t v : values) f |= (Bytes)(x == v);
        return f & 1;
    }

    static std::uint64_t sum(Bytes b) {
        std::uint64_t s = 0;
        for (std::size_t l = 0; l < kLanes; ++l) s += b[l];
        return s;
    }

    std::array<std::uint8_t, kDynamicCount> dynamicFails(std::uint32_t value, const DrawKills& k) const {
        std::array<std::uint8_t, kDynamicCount> f{};
        const Digits& d = digitsOf(value);
        for (std::size_t r = 0; r < 5; ++r) f[kPosition] |= (k.position[r] >> d[r]) & 1;
        f[kDigit] = (familyValues(RuleFamily::Any, value) & k.control[kDigit]) != 0;
        f[kSumTail] = (familyValues(RuleFamily::SumTail, value) & k.control[kSumTail]) != 0;
        f[kSpan] = (familyValues(RuleFamily::Span, value) & k.control[kSpan]) != 0;
        return f;
    }

    bool admitsSurvivor(std::size_t i, const DrawKills& k) const {
        const Survivors& s = survivors_;
        const std::uint32_t value = s.digit[0][i] * 10000u + s.digit[1][i] * 1000u + s.digit[2][i] * 100u +
                                    s.digit[3][i] * 10u + s.digit[4][i];
        const std::array<std::uint8_t, kDynamicCount> dyn = dynamicFails(value, k);
        for (std::size_t c = 0; c < changing_.size(); ++c) {
            int fails = s.fails[c][i];
            for (int d = 0; d < kDynamicCount; ++d)
                if (changing_[c].has[static_cast<std::size_t>(d)]) fails += dyn[static_cast<std::size_t>(d)];
            if (!within(changing_[c].tolerance, fails)) return false;
        }
        return true;
    }

    // The candidates whose sets without a changing column admit them and
    // whose changing sets could still admit them (fails only grow).
    void gatherSurvivors() {
        std::vector<bool> changingSet(grouping_.setCount(), false);
        std::vector<int> columnsIn(grouping_.setCount(), 0);
        for (const ChangingSet& c : changing_) {
            changingSet[c.set] = true;
            for (bool h : c.has) columnsIn[c.set] += h;
        }
        Survivors& s = survivors_;
        s.fails.assign(changing_.size(), {});
        for (std::size_t i = 0; i < table_.size(); ++i) {
            bool viable = true;
            for (std::size_t set = 0; set < grouping_.setCount() && viable; ++set) {
                const int f = setFails_[set][i];
                const Tolerance t = grouping_.toleranceOf(set);
                viable = changingSet[set] ? f <= t.upper && f + columnsIn[set] >= t.lower : within(t, f);
            }
            if (!viable) continue;
            const std::uint32_t value = table_.values[i];
            const Digits& d = digitsOf(value);
            for (std::size_t r = 0; r < 5; ++r) s.digit[r].push_back(d[r]);
            s.sumTail.push_back(static_cast<std::uint8_t>(std::countr_zero(familyValues(RuleFamily::SumTail, value))));
            s.span.push_back(static_cast<std::uint8_t>(std::countr_zero(familyValues(RuleFamily::Span, value))));
            s.digitMask.push_back(familyValues(RuleFamily::Any, value));
            for (std::size_t c = 0; c < changing_.size(); ++c) s.fails[c].push_back(setFails_[changing_[c].set][i]);
            ++s.count;
        }
    }

    GroupedTolerance grouping_;
    CandidateTable table_;
    std::array<bool, kDynamicCount> dynamic_{};
    std::array<std::size_t, kDynamicCount> dynamicSet_{};
    DrawKills hand_;
    std::vector<ChangingSet> changing_;
    std::vector<std::vector<std::uint8_t>> setFails_;  // per set, per candidate row
    Survivors survivors_;
    std::vector<long> rowOf_;
};

}  // namespace

std::optional<WalkReport> walkForward(const Scheme& scheme, const NumberSet& base,
                                      std::span<const std::uint32_t> draws, DrawIndexRange range,
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
        const DrawKills k = walk.killsAt(scheme.rules, at);
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

std::string walkDrawTable(const WalkReport& report, std::span<const std::string> labels, std::string_view eol) {
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
