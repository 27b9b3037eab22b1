#include "conditions/number_traits.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "conditions/captions.h"

namespace numsift {

namespace {

// The special shapes in their plain meaning. All but 上山 and 下山 depend
// only on which digits occur how often, so the table builds them once per
// digit multiset.

// 上山: the digits never fall from one position to the next, and the last is
// above the first; 下山: never rise, and the last is below the first.
std::uint16_t orderShapeBits(const Digits& p) {
    bool rising = true, falling = true;
    for (std::size_t i = 0; i + 1 < p.size(); ++i) {
        rising = rising && p[i] <= p[i + 1];
        falling = falling && p[i] >= p[i + 1];
    }
    unsigned bits = 0;
    if (rising && p[0] < p[4]) bits |= 1u << kShapeUphill;
    if (falling && p[0] > p[4]) bits |= 1u << kShapeDownhill;
    return static_cast<std::uint16_t>(bits);
}

// Runs: the digits stand on a ring (9 and 0 are neighbours), and a run of n
// is n ring-neighbouring digits that all occur. 不连: no run of two; 2连:
// runs of two but none of three; 3连, 4连: exactly one run of three, of four;
// 5连: five digits in a row.
// Repetitions: how often each occurring digit occurs, most first: AAAAA 5,
// AAAAB 4 1, AAABB 3 2, AAABC 3 1 1, AABBC 2 2 1, AABCD 2 1 1 1, ABCDE
// 1 1 1 1 1.
std::uint16_t multisetShapeBits(const std::array<std::uint8_t, 10>& count) {
    auto runs = [&count](int n) {
        int k = 0;
        for (int start = 0; start < 10; ++start) {
            bool all = true;
            for (int i = 0; i < n; ++i) all = all && count[static_cast<std::size_t>((start + i) % 10)] > 0;
            k += all ? 1 : 0;
        }
        return k;
    };
    std::vector<int> reps;
    for (std::uint8_t c : count)
        if (c) reps.push_back(c);
    std::sort(reps.rbegin(), reps.rend());
    auto repsAre = [&reps](std::initializer_list<int> r) {
        return std::equal(reps.begin(), reps.end(), r.begin(), r.end());
    };

    unsigned bits = 0;
    auto set = [&bits](int box, bool on) {
        if (on) bits |= 1u << box;
    };
    set(kShapeNoRun, runs(2) == 0);
    set(kShapeRun2, runs(2) >= 1 && runs(3) == 0);
    set(kShapeRun3, runs(3) == 1);
    set(kShapeRun4, runs(4) == 1);
    set(kShapeRun5, runs(5) == 1);
    set(kShapeAAAAA, repsAre({5}));
    set(kShapeAAAAB, repsAre({4, 1}));
    set(kShapeAAABB, repsAre({3, 2}));
    set(kShapeAAABC, repsAre({3, 1, 1}));
    set(kShapeAABBC, repsAre({2, 2, 1}));
    set(kShapeAABCD, repsAre({2, 1, 1, 1}));
    set(kShapeABCDE, repsAre({1, 1, 1, 1, 1}));
    return static_cast<std::uint16_t>(bits);
}

std::array<std::uint8_t, 10> digitCounts(const Digits& p) {
    std::array<std::uint8_t, 10> count{};
    for (std::uint8_t d : p) ++count[d];
    return count;
}

std::uint8_t acValue(const Digits& p) {
    bool seen[10] = {};
    int repeats = 0;
    for (int i = 0; i < 5; ++i)
        for (int j = i + 1; j < 5; ++j) {
            const int d = p[static_cast<std::size_t>(i)] > p[static_cast<std::size_t>(j)]
                              ? p[static_cast<std::size_t>(i)] - p[static_cast<std::size_t>(j)]
                              : p[static_cast<std::size_t>(j)] - p[static_cast<std::size_t>(i)];
            if (seen[d]) ++repeats;
            seen[d] = true;
        }
    return static_cast<std::uint8_t>(10 - repeats);
}

}  // namespace

std::uint16_t shapeBitsOf(const Digits& p) { return multisetShapeBits(digitCounts(p)) | orderShapeBits(p); }

const NumberTraits& numberTraits() {
    static const NumberTraits traits = [] {
        NumberTraits t;
        const std::size_t n = kNumberSpace;
        t.sum.resize(n);
        t.span.resize(n);
        t.ac.resize(n);
        t.road.resize(n);
        t.digitMask.resize(n);
        t.multiset.resize(n);
        t.shapes.resize(n);
        for (int k = 0; k < 3; ++k) {
            t.classPattern[k].resize(n);
            t.ratioCount[k].resize(n);
        }
        const DigitClasses* classes[3] = {&digitClasses(ClassKind::BigSmall),
                                          &digitClasses(ClassKind::OddEven),
                                          &digitClasses(ClassKind::PrimeComposite)};
        // Multiset ids in order of first appearance of the sorted digits.
        std::vector<int> idOfSorted(kNumberSpace, -1);
        for (std::uint32_t v = 0; v < kNumberSpace; ++v) {
            const Digits& p = digitsOf(v);
            int sum = 0, lo = 9, hi = 0, road = 0;
            std::uint16_t mask = 0;
            int pattern[3] = {0, 0, 0}, ratio[3] = {0, 0, 0};
            for (std::uint8_t d : p) {
                sum += d;
                lo = std::min<int>(lo, d);
                hi = std::max<int>(hi, d);
                road = road * 3 + kRoadOf[d];
                mask = static_cast<std::uint16_t>(mask | (1u << d));
                for (int k = 0; k < 3; ++k) {
                    const int c = classes[k]->classOf[d];
                    pattern[k] = pattern[k] * 2 + c;
                    ratio[k] += c == classes[k]->ratioClass ? 1 : 0;
                }
            }
            t.sum[v] = static_cast<std::uint8_t>(sum);
            t.span[v] = static_cast<std::uint8_t>(hi - lo);
            t.ac[v] = acValue(p);
            t.road[v] = static_cast<std::uint8_t>(road);
            t.digitMask[v] = mask;
            for (int k = 0; k < 3; ++k) {
                t.classPattern[k][v] = static_cast<std::uint8_t>(pattern[k]);
                t.ratioCount[k][v] = static_cast<std::uint8_t>(ratio[k]);
            }
            Digits s = p;
            std::sort(s.begin(), s.end());
            const std::uint32_t key = valueOf(s);
            if (idOfSorted[key] < 0) {
                idOfSorted[key] = static_cast<int>(t.multisets.size());
                DigitMultiset m;
                m.sorted = s;
                for (std::uint8_t d : s) ++m.count[d];
                t.multisets.push_back(m);
            }
            t.multiset[v] = static_cast<std::uint16_t>(idOfSorted[key]);
        }
        std::vector<std::uint16_t> multisetShapes(t.multisets.size());
        for (std::size_t id = 0; id < t.multisets.size(); ++id)
            multisetShapes[id] = multisetShapeBits(t.multisets[id].count);
        for (std::uint32_t v = 0; v < kNumberSpace; ++v)
            t.shapes[v] =
                static_cast<std::uint16_t>(multisetShapes[t.multiset[v]] | orderShapeBits(digitsOf(v)));
        return t;
    }();
    return traits;
}

}  // namespace numsift
