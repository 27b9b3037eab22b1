#include "conditions/number_traits.h"

#include <algorithm>
#include <map>

#include "conditions/captions.h"

namespace numsift {

namespace {

// The run and repetition tables of the special shapes, indexed by digits.
// Runs treat the digits as a ring (9 and 0 are neighbours) and are entered
// under their digits in ascending order.
struct ShapeTables {
    std::int16_t rise[10][10];
    std::int16_t fall[10][10];
    std::uint8_t p2[100] = {};
    std::uint8_t p3[1000] = {};
    std::uint8_t p4[10000] = {};
    std::uint8_t p5[100000] = {};
    std::uint8_t q2[100] = {};
    std::uint8_t q3[1000] = {};
    std::uint8_t q4[10000] = {};
    std::uint8_t q5[100000] = {};
    std::uint8_t k[100000] = {};

    ShapeTables() {
        for (int a = 0; a < 10; ++a)
            for (int b = 0; b < 10; ++b) {
                rise[a][b] = static_cast<std::int16_t>(b > a ? 1 : b < a ? -10 : 0);
                fall[a][b] = static_cast<std::int16_t>(b < a ? 1 : b > a ? -10 : 0);
            }
        // Runs of length n: i..i+n-1 for i = 0..10-n, and the wrapped runs
        // holding 0 and 9, each written ascending.
        auto runs = [](int n, std::uint8_t* table) {
            for (int start = 0; start < 10; ++start) {
                int digits[5];
                for (int j = 0; j < n; ++j) digits[j] = (start + j) % 10;
                std::sort(digits, digits + n);
                int index = 0;
                for (int j = 0; j < n; ++j) index = index * 10 + digits[j];
                table[index] = 1;
            }
        };
        runs(2, p2);
        runs(3, p3);
        runs(4, p4);
        runs(5, p5);
        for (int a = 0; a < 10; ++a) {
            q2[a * 11] = 1;
            q3[a * 111] = 1;
            q4[a * 1111] = 1;
            q5[a * 11111] = 1;
        }
        for (int x = 0; x < 10; ++x)
            for (int y = x + 1; y < 10; ++y)
                for (int z = y + 1; z < 10; ++z) {
                    k[x * 11000 + y * 110 + z] = 1;        // x x y y z
                    k[x * 11000 + y * 100 + z * 11] = 1;   // x x y z z
                    k[x * 10000 + y * 1100 + z * 11] = 1;  // x y y z z
                }
    }
};

const ShapeTables& shapeTables() {
    static const ShapeTables t;
    return t;
}

int i2(int a, int b) { return a * 10 + b; }
int i3(int a, int b, int c) { return a * 100 + b * 10 + c; }
int i4(int a, int b, int c, int d) { return a * 1000 + b * 100 + c * 10 + d; }
int i5(int a, int b, int c, int d, int e) { return a * 10000 + b * 1000 + c * 100 + d * 10 + e; }

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

std::uint16_t shapeBitsOf(const Digits& p) {
    const ShapeTables& t = shapeTables();
    Digits s = p;
    std::sort(s.begin(), s.end());
    // Distinct digits ascending, the remaining places 0.
    int u[5] = {0, 0, 0, 0, 0};
    int n = 0;
    for (int i = 0; i < 5; ++i)
        if (i == 0 || s[static_cast<std::size_t>(i)] != s[static_cast<std::size_t>(i - 1)])
            u[n++] = s[static_cast<std::size_t>(i)];

    std::uint16_t bits = 0;
    auto set = [&bits](int box, bool on) {
        if (on) bits = static_cast<std::uint16_t>(bits | (1u << box));
    };
    set(kShapeUphill, t.rise[p[0]][p[1]] + t.rise[p[1]][p[2]] + t.rise[p[2]][p[3]] + t.rise[p[3]][p[4]] > 0);
    set(kShapeDownhill,
        t.fall[p[0]][p[1]] + t.fall[p[1]][p[2]] + t.fall[p[2]][p[3]] + t.fall[p[3]][p[4]] > 0);

    const int pairs = t.p2[i2(u[0], u[1])] + t.p2[i2(u[1], u[2])] + t.p2[i2(u[2], u[3])] +
                      t.p2[i2(u[3], u[4])] + t.p2[i2(u[0], u[2])] + t.p2[i2(u[0], u[3])] +
                      t.p2[i2(u[0], u[4])];
    const int triples = t.p3[i3(u[0], u[1], u[2])] + t.p3[i3(u[1], u[2], u[3])] + t.p3[i3(u[2], u[3], u[4])] +
                        t.p3[i3(u[0], u[3], u[4])] + t.p3[i3(u[0], u[1], u[3])] + t.p3[i3(u[0], u[1], u[4])] +
                        t.p3[i3(u[0], u[2], u[3])];
    const int quads = t.p4[i4(u[0], u[1], u[2], u[3])] + t.p4[i4(u[1], u[2], u[3], u[4])] +
                      t.p4[i4(u[0], u[2], u[3], u[4])] + t.p4[i4(u[0], u[1], u[3], u[4])] +
                      t.p4[i4(u[0], u[1], u[2], u[4])];
    set(kShapeNoRun, pairs == 0);
    set(kShapeRun2, pairs == 1 || (pairs == 2 && triples != 1));
    set(kShapeRun3, triples == 1);
    set(kShapeRun4, quads == 1);
    set(kShapeRun5, t.p5[i5(s[0], s[1], s[2], s[3], s[4])] == 1);

    const int q2 = t.q2[i2(s[0], s[1])] + t.q2[i2(s[1], s[2])] + t.q2[i2(s[2], s[3])] + t.q2[i2(s[3], s[4])];
    const int q3 = t.q3[i3(s[0], s[1], s[2])] + t.q3[i3(s[1], s[2], s[3])] + t.q3[i3(s[2], s[3], s[4])];
    set(kShapeAAAAA, t.q5[i5(s[0], s[1], s[2], s[3], s[4])] == 1);
    set(kShapeAABCD, q2 == 1);
    set(kShapeAABBC, t.k[i5(s[0], s[1], s[2], s[3], s[4])] == 1);
    set(kShapeAAABC, q3 == 1 && q2 == 2);
    set(kShapeAAABB, q3 == 1 && q2 == 3);
    set(kShapeAAAAB, t.q4[i4(s[0], s[1], s[2], s[3])] + t.q4[i4(s[1], s[2], s[3], s[4])] == 1);
    set(kShapeABCDE, q2 + t.q2[i2(s[0], s[4])] == 0);
    return bits;
}

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
            t.shapes[v] = shapeBitsOf(p);

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
        return t;
    }();
    return traits;
}

}  // namespace numsift
