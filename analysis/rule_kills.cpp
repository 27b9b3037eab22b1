#include "analysis/rule_kills.h"

#include <algorithm>
#include <array>
#include <limits>
#include <memory>

#include "engine/number.h"

namespace numsift {

namespace {

constexpr int kPairCount = kFormulaTermCount * (kFormulaTermCount - 1) / 2;  // 28
constexpr int kCombosPerPair = 81;                                           // a, b in 1..9

// The eight formula terms of a number: d1..d5, sum, span, tail.
std::array<int, kFormulaTermCount> termsOf(std::uint32_t number) {
    const Digits& d = digitsOf(number);
    int sum = 0, lo = 9, hi = 0;
    for (std::uint8_t x : d) {
        sum += x;
        lo = std::min<int>(lo, x);
        hi = std::max<int>(hi, x);
    }
    return {d[0], d[1], d[2], d[3], d[4], sum, hi - lo, sum % 10};
}

// The pairs (X, Y) of the formula search, X before Y in term order.
struct TermPair {
    int x, y;
};
constexpr std::array<TermPair, kPairCount> kPairs = [] {
    std::array<TermPair, kPairCount> pairs{};
    int p = 0;
    for (int x = 0; x < kFormulaTermCount; ++x)
        for (int y = x + 1; y < kFormulaTermCount; ++y) pairs[static_cast<std::size_t>(p++)] = {x, y};
    return pairs;
}();

// (a·x + b·y) mod 10 for every a, b in 1..9 (a major), by x and y mod 10:
// a pair's 81 formula values before the constant, read as one row.
struct PairValueTable {
    std::array<std::array<std::array<std::uint8_t, kCombosPerPair>, 10>, 10> row{};
    PairValueTable() {
        for (int x = 0; x < 10; ++x)
            for (int y = 0; y < 10; ++y)
                for (int a = 1; a <= 9; ++a)
                    for (int b = 1; b <= 9; ++b)
                        row[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)]
                           [static_cast<std::size_t>((a - 1) * 9 + b - 1)] =
                               static_cast<std::uint8_t>((a * x + b * y) % 10);
    }
};
const PairValueTable& pairValues() {
    static const PairValueTable table;
    return table;
}

// A formula of the search: its index (pair, a, b) and constant, and how
// many judged draws of the window it got wrong.
struct FormulaPick {
    int combo = 0;
    int constant = 0;
    int wrong = 0;
};

KillFormula formulaOfIndex(int combo, int constant) {
    const TermPair pair = kPairs[static_cast<std::size_t>(combo / kCombosPerPair)];
    const int ab = combo % kCombosPerPair;
    KillFormula f;
    f.coefficients[static_cast<std::size_t>(pair.x)] = static_cast<std::uint8_t>(ab / 9 + 1);
    f.coefficients[static_cast<std::size_t>(pair.y)] = static_cast<std::uint8_t>(ab % 9 + 1);
    f.constant = static_cast<std::uint8_t>(constant);
    return f;
}

// The pairs whose formulas the search scores. The sum and the tail are the
// same mod 10, so a pair (X, tail) makes the same formulas as (X, sum), and
// (span, tail) those of (sum, span) with a and b swapped: each scores as its
// twin, which comes first in the order, so it can never be the first best
// and is not scored. (sum, tail) stays: its formulas are (a + b)·tail.
constexpr std::array<int, 22> kScoredPairs = [] {
    std::array<int, 22> scored{};
    int n = 0;
    for (int p = 0; p < kPairCount; ++p)
        if (kPairs[static_cast<std::size_t>(p)].y != 7 || kPairs[static_cast<std::size_t>(p)].x == 5)
            scored[static_cast<std::size_t>(n++)] = p;
    return scored;
}();
static_assert(kScoredPairs[21] == 26);  // (sum, tail); (span, tail) = 27 is the last pair

// The best-formula search as its window slides. Each formula (pair, a, b)
// has a lane per constant c holding how many judged draws of the window it
// got wrong: draw s is wrong for c when its values hold (u + c) mod 10, u
// being the formula's value before the constant on draw s - 1. So a draw
// adds to each formula one vector, its value mask rotated by u, and the
// window's scores move by one add and one subtract per formula and draw.
// The best formula is the first with the fewest wrong draws (all formulas
// are judged on the same draws): each pair's fewest is kept as the scores
// move, so only the first pair holding the overall fewest is searched.
// Lanes are bytes while a window cannot reach 256.
using ByteLanes = std::uint8_t __attribute__((vector_size(16)));
using WordLanes = std::uint16_t __attribute__((vector_size(32)));

template <typename Lane, typename Vec>
class FormulaSearch {
    static constexpr Lane kPad = static_cast<Lane>(~Lane{0});
    static constexpr int kScored = static_cast<int>(kScoredPairs.size());

public:
    FormulaSearch(RuleFamily family, int window, std::span<const std::uint32_t> draws)
        : family_(family),
          window_(static_cast<std::size_t>(window)),
          draws_(draws),
          wrong_(std::make_unique<Vec[]>(kScored * kCombosPerPair)) {
        Vec empty{};
        for (int c = 10; c < 16; ++c) empty[c] = kPad;  // never the fewest
        for (int k = 0; k < kScored * kCombosPerPair; ++k) wrong_[k] = empty;
        pairFewest_.fill(empty);
    }

    // Moves the window to the history of draw t (t - window .. t - 1) from
    // that of t - 1; t must advance by one from 0.
    void advanceTo(std::size_t t) {
        if (t < 2) return;  // draw 0 has no previous draw and is never judged
        const std::size_t added = t - 1;
        const std::size_t removed = t > window_ ? t - 1 - window_ : 0;  // 0: nothing leaves
        update(added, removed);
    }

    // The best formula for the window.
    FormulaPick best() const {
        Lane fewest = kPad;
        for (const Vec& m : pairFewest_)
            for (int c = 0; c < 10; ++c) fewest = std::min<Lane>(fewest, m[c]);
        for (int p = 0; p < kScored; ++p) {
            if (!holds(pairFewest_[static_cast<std::size_t>(p)], fewest)) continue;
            const Vec* w = wrong_.get() + p * kCombosPerPair;
            for (int j = 0; j < kCombosPerPair; ++j)
                for (int c = 0; c < 10; ++c)
                    if (w[j][c] == fewest)
                        return {kScoredPairs[static_cast<std::size_t>(p)] * kCombosPerPair + j, c, fewest};
        }
        return {};  // not reached
    }

private:
    static bool holds(const Vec& v, Lane x) {
        for (int c = 0; c < 10; ++c)
            if (v[c] == x) return true;
        return false;
    }

    // Lane c set where (u + c) mod 10 is one of the values, for each u.
    std::array<Vec, 10> rotations(ValueMask values) const {
        std::array<Vec, 10> rot{};
        for (int u = 0; u < 10; ++u)
            for (int c = 0; c < 10; ++c) rot[static_cast<std::size_t>(u)][c] = (values >> ((u + c) % 10)) & 1;
        return rot;
    }

    void update(std::size_t added, std::size_t removed) {
        const std::array<Vec, 10> plus = rotations(familyValues(family_, draws_[added]));
        const std::array<Vec, 10> minus =
            removed > 0 ? rotations(familyValues(family_, draws_[removed])) : std::array<Vec, 10>{};
        const auto termsPlus = termsOf(draws_[added - 1]);
        const auto termsMinus = termsOf(draws_[removed > 0 ? removed - 1 : 0]);
        const PairValueTable& table = pairValues();
        auto row = [&](const std::array<int, kFormulaTermCount>& terms, const TermPair& p) {
            return table
                .row[static_cast<std::size_t>(terms[static_cast<std::size_t>(p.x)] % 10)]
                    [static_cast<std::size_t>(terms[static_cast<std::size_t>(p.y)] % 10)]
                .data();
        };
        // What a formula's lanes change by, for its value u on the draw that
        // comes and v on the draw that goes: one vector at [10u + v].
        std::array<Vec, 100> change;
        for (std::size_t u = 0; u < 10; ++u)
            for (std::size_t v = 0; v < 10; ++v) change[10 * u + v] = plus[u] - minus[v];
        Vec* w = wrong_.get();
        for (int p = 0; p < kScored; ++p) {
            const TermPair& pair =
                kPairs[static_cast<std::size_t>(kScoredPairs[static_cast<std::size_t>(p)])];
            const std::uint8_t* up = row(termsPlus, pair);
            const std::uint8_t* um = row(termsMinus, pair);
            Vec fewest = w[0] + change[10u * up[0] + um[0]];
            w[0] = fewest;
            for (int j = 1; j < kCombosPerPair; ++j) {
                const Vec v = w[j] + change[10u * up[j] + um[j]];
                w[j] = v;
                fewest = v < fewest ? v : fewest;
            }
            pairFewest_[static_cast<std::size_t>(p)] = fewest;
            w += kCombosPerPair;
        }
    }

    RuleFamily family_;
    std::size_t window_;
    std::span<const std::uint32_t> draws_;
    std::unique_ptr<Vec[]> wrong_;
    std::array<Vec, kScored> pairFewest_;
};

// A best-formula search with the lane width its window needs.
class BestFormulaTrack {
public:
    BestFormulaTrack(RuleFamily family, int window, std::span<const std::uint32_t> draws) {
        if (window < 256)
            narrow_ = std::make_unique<FormulaSearch<std::uint8_t, ByteLanes>>(family, window, draws);
        else
            wide_ = std::make_unique<FormulaSearch<std::uint16_t, WordLanes>>(family, window, draws);
    }
    void advanceTo(std::size_t t) { narrow_ ? narrow_->advanceTo(t) : wide_->advanceTo(t); }
    FormulaPick best() const { return narrow_ ? narrow_->best() : wide_->best(); }

private:
    std::unique_ptr<FormulaSearch<std::uint8_t, ByteLanes>> narrow_;
    std::unique_ptr<FormulaSearch<std::uint16_t, WordLanes>> wide_;
};

// Counts and omissions of a family's values over the history as it grows,
// for cold and hot rules.
struct ValueHistory {
    std::array<long, 10> lastSeen;  // index of the newest draw with the value, -1 when none
    std::array<int, 10> inWindow{};
    std::size_t window;

    explicit ValueHistory(std::size_t w) : window(w) { lastSeen.fill(-1); }

    // Current omission at t (the history draws[0..t-1]).
    long omission(std::size_t t, int v) const {
        const long last = lastSeen[static_cast<std::size_t>(v)];
        return last < 0 ? static_cast<long>(t) : static_cast<long>(t) - 1 - last;
    }
};

// The count values with the largest keys (keys are distinct).
ValueMask largestKeys(std::array<long long, 10> key, int count) {
    ValueMask m = 0;
    for (int i = 0; i < count && i < 10; ++i) {
        const auto top = static_cast<int>(std::max_element(key.begin(), key.end()) - key.begin());
        m = static_cast<ValueMask>(m | (1u << top));
        key[static_cast<std::size_t>(top)] = std::numeric_limits<long long>::min();
    }
    return m;
}

// One rule's state as t moves from 0 through the draws.
class RuleTrack {
public:
    RuleTrack(const KillRule& rule, std::span<const std::uint32_t> draws)
        : rule_(rule), draws_(draws), values_(static_cast<std::size_t>(std::max(rule.window, 1))) {
        if (rule.kind == RuleKind::BestFormula)
            search_ = std::make_unique<BestFormulaTrack>(rule.family, rule.window, draws);
    }

    // The kills at t; calls come for t = 0, 1, 2, … in order.
    ValueMask killsAt(std::size_t t) {
        if (t > 0) learn(t - 1);
        if (search_) search_->advanceTo(t);
        if (t == 0) return 0;
        const std::uint32_t previous = draws_[t - 1];
        switch (rule_.kind) {
            case RuleKind::Cold: return coldest(t);
            case RuleKind::Hot: return hottest(t);
            case RuleKind::Repeat: return familyValues(rule_.family, previous);
            case RuleKind::Formula:
                return static_cast<ValueMask>(1u << formulaValue(rule_.formula, previous));
            case RuleKind::BestFormula: {
                const FormulaPick pick = search_->best();
                return static_cast<ValueMask>(
                    1u << formulaValue(formulaOfIndex(pick.combo, pick.constant), previous));
            }
        }
        return 0;
    }

    // The best-formula search's pick at the t of the last killsAt (t >= 1).
    BestFormulaPick pick(std::size_t t) const {
        const FormulaPick p = search_->best();
        const auto judged = static_cast<int>(std::min<std::size_t>(t - 1, values_.window));
        return {formulaOfIndex(p.combo, p.constant), judged - p.wrong, judged};
    }

private:
    void learn(std::size_t s) {
        const ValueMask has = familyValues(rule_.family, draws_[s]);
        for (int v = 0; v < 10; ++v)
            if (has >> v & 1) {
                values_.lastSeen[static_cast<std::size_t>(v)] = static_cast<long>(s);
                ++values_.inWindow[static_cast<std::size_t>(v)];
            }
        if (s >= values_.window) {
            const ValueMask gone = familyValues(rule_.family, draws_[s - values_.window]);
            for (int v = 0; v < 10; ++v)
                if (gone >> v & 1) --values_.inWindow[static_cast<std::size_t>(v)];
        }
    }

    // Longest omission first, then the smaller value.
    ValueMask coldest(std::size_t t) const {
        std::array<long long, 10> key{};
        for (int v = 0; v < 10; ++v)
            key[static_cast<std::size_t>(v)] = values_.omission(t, v) * 16 + (15 - v);
        return largestKeys(key, rule_.count);
    }

    // Most often seen in the window first, then the shorter omission, then
    // the smaller value.
    ValueMask hottest(std::size_t t) const {
        std::array<long long, 10> key{};
        for (int v = 0; v < 10; ++v)
            key[static_cast<std::size_t>(v)] =
                (static_cast<long long>(values_.inWindow[static_cast<std::size_t>(v)]) << 40) -
                values_.omission(t, v) * 16 - v;
        return largestKeys(key, rule_.count);
    }

    KillRule rule_;
    std::span<const std::uint32_t> draws_;
    ValueHistory values_;
    std::unique_ptr<BestFormulaTrack> search_;
};

// Exact counts of the numbers having each value of a single-valued family.
struct FamilyCounts {
    std::array<std::array<std::uint32_t, 10>, kRuleFamilyCount> count{};
    FamilyCounts() {
        for (std::uint32_t v = 0; v < kNumberSpace; ++v)
            for (int f = 0; f < kRuleFamilyCount; ++f) {
                if (static_cast<RuleFamily>(f) == RuleFamily::Any) continue;
                const ValueMask m = familyValues(static_cast<RuleFamily>(f), v);
                for (int x = 0; x < 10; ++x)
                    if (m >> x & 1) ++count[static_cast<std::size_t>(f)][static_cast<std::size_t>(x)];
            }
    }
};

int popcount10(ValueMask m) {
    int n = 0;
    for (int v = 0; v < 10; ++v) n += m >> v & 1;
    return n;
}

}  // namespace

ValueMask familyValues(RuleFamily family, std::uint32_t number) {
    const Digits& d = digitsOf(number);
    switch (family) {
        case RuleFamily::Pos1:
        case RuleFamily::Pos2:
        case RuleFamily::Pos3:
        case RuleFamily::Pos4:
        case RuleFamily::Pos5: return static_cast<ValueMask>(1u << d[static_cast<std::size_t>(family)]);
        case RuleFamily::Any: {
            ValueMask m = 0;
            for (std::uint8_t x : d) m = static_cast<ValueMask>(m | (1u << x));
            return m;
        }
        case RuleFamily::SumTail:
        case RuleFamily::Span: {
            const auto t = termsOf(number);
            return static_cast<ValueMask>(1u << (family == RuleFamily::SumTail ? t[7] : t[6]));
        }
    }
    return 0;
}

std::uint32_t numbersWithout(RuleFamily family, ValueMask killed) {
    killed &= 0x3FF;
    if (family == RuleFamily::Any) {
        std::uint32_t left = static_cast<std::uint32_t>(10 - popcount10(killed)), n = 1;
        for (int i = 0; i < 5; ++i) n *= left;
        return n;
    }
    static const FamilyCounts counts;
    std::uint32_t n = kNumberSpace;
    for (int v = 0; v < 10; ++v)
        if (killed >> v & 1) n -= counts.count[static_cast<std::size_t>(family)][static_cast<std::size_t>(v)];
    return n;
}

double chanceRight(RuleFamily family, ValueMask killed) {
    return static_cast<double>(numbersWithout(family, killed)) / static_cast<double>(kNumberSpace);
}

int formulaValue(const KillFormula& formula, std::uint32_t number) {
    const auto terms = termsOf(number);
    int v = formula.constant;
    for (int t = 0; t < kFormulaTermCount; ++t)
        v += formula.coefficients[static_cast<std::size_t>(t)] * (terms[static_cast<std::size_t>(t)] % 10);
    return v % 10;
}

std::optional<std::vector<std::vector<ValueMask>>> ruleKills(std::span<const KillRule> rules,
                                                             std::span<const std::uint32_t> draws,
                                                             std::size_t begin, std::size_t end,
                                                             const ProgressFn& progress) {
    end = std::min(end, draws.size() + 1);
    begin = std::min(begin, end);
    std::vector<std::vector<ValueMask>> kills(rules.size());
    std::vector<RuleTrack> tracks;
    tracks.reserve(rules.size());
    for (const KillRule& r : rules) tracks.emplace_back(r, draws);
    for (auto& k : kills) k.reserve(end - begin);
    constexpr std::size_t kProgressEvery = 64;
    for (std::size_t t = 0; t < end; ++t) {
        if (progress && t % kProgressEvery == 0 && !progress(t, end)) return std::nullopt;
        for (std::size_t r = 0; r < rules.size(); ++r) {
            const ValueMask m = tracks[r].killsAt(t);
            if (t >= begin) kills[r].push_back(m);
        }
    }
    if (progress && !progress(end, end)) return std::nullopt;
    return kills;
}

std::vector<ValueMask> ruleKills(const KillRule& rule, std::span<const std::uint32_t> draws,
                                 std::size_t begin, std::size_t end) {
    return std::move(ruleKills(std::span<const KillRule>(&rule, 1), draws, begin, end)->front());
}

std::vector<BestFormulaPick> bestFormulaPicks(RuleFamily family, int window,
                                              std::span<const std::uint32_t> draws, std::size_t begin,
                                              std::size_t end) {
    end = std::min(end, draws.size() + 1);
    const KillRule rule{family, RuleKind::BestFormula, 1, window, {}};
    RuleTrack track(rule, draws);
    std::vector<BestFormulaPick> out;
    for (std::size_t t = 0; t < end; ++t) {
        track.killsAt(t);
        if (t >= begin) out.push_back(t > 0 ? track.pick(t) : BestFormulaPick{});
    }
    return out;
}

std::vector<ValueMask> nextDrawKills(std::span<const KillRule> rules,
                                     std::span<const std::uint32_t> history) {
    // A best-formula rule reads only the last window draws and the draw
    // before the first of them: it runs over that tail, which is the whole
    // history seen from its window (the tail's first draw is never judged,
    // as the history's first is not). Cold and hot read omissions over all
    // of the history and run over it.
    std::vector<ValueMask> next(rules.size());
    std::vector<KillRule> whole;
    std::vector<std::size_t> wholeAt;
    for (std::size_t r = 0; r < rules.size(); ++r) {
        if (rules[r].kind != RuleKind::BestFormula) {
            whole.push_back(rules[r]);
            wholeAt.push_back(r);
            continue;
        }
        const std::size_t reach = static_cast<std::size_t>(std::max(rules[r].window, 1)) + 1;
        const auto tail = history.last(std::min(reach, history.size()));
        next[r] = ruleKills(rules[r], tail, tail.size(), tail.size() + 1).front();
    }
    const auto kills = ruleKills(whole, history, history.size(), history.size() + 1);
    for (std::size_t i = 0; i < whole.size(); ++i) next[wholeAt[i]] = (*kills)[i].front();
    return next;
}

bool RuleKillsByControl::empty() const {
    return digit == 0 && sumTail == 0 && span == 0 &&
           std::all_of(position.begin(), position.end(), [](ValueMask m) { return m == 0; });
}

RuleKillsByControl killsByControl(std::span<const KillRule> rules, std::span<const ValueMask> kills) {
    RuleKillsByControl c;
    for (std::size_t r = 0; r < rules.size() && r < kills.size(); ++r) {
        const ValueMask m = kills[r];
        switch (rules[r].family) {
            case RuleFamily::Any: c.digit |= m; break;
            case RuleFamily::SumTail: c.sumTail |= m; break;
            case RuleFamily::Span: c.span |= m; break;
            default: c.position[static_cast<std::size_t>(rules[r].family)] |= m;
        }
    }
    return c;
}

FilterInput withRuleKills(const FilterInput& input, const RuleKillsByControl& kills) {
    FilterInput out = input;
    auto add = [](std::array<bool, 10>& boxes, ValueMask m) {
        for (int v = 0; v < 10; ++v)
            if (m >> v & 1) boxes[static_cast<std::size_t>(v)] = true;
    };
    for (std::size_t r = 0; r < 5; ++r) add(out.positionalKill[r], kills.position[r]);
    add(out.digitKill, kills.digit);
    add(out.sumTailKill, kills.sumTail);
    add(out.spanKill, kills.span);
    return out;
}

FilterInput withRuleKills(const FilterInput& input, std::span<const KillRule> rules,
                          std::span<const std::uint32_t> history) {
    return withRuleKills(input, killsByControl(rules, nextDrawKills(rules, history)));
}

}  // namespace numsift
