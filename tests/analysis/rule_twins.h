#pragma once
// Kill rules in their plain meaning, recomputed from scratch for every draw:
// the twins the fast, incremental implementations are compared with.

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <span>
#include <vector>

#include "analysis/rule_kills.h"

namespace numsift::twin {

struct Terms {
    int d[5];
    int sum, span, tail;
    int term(int t) const { return t < 5 ? d[t] : t == 5 ? sum : t == 6 ? span : tail; }
};

inline Terms termsOf(std::uint32_t n) {
    Terms t{};
    for (int i = 4; i >= 0; --i, n /= 10) t.d[i] = static_cast<int>(n % 10);
    t.sum = t.d[0] + t.d[1] + t.d[2] + t.d[3] + t.d[4];
    t.span = *std::max_element(t.d, t.d + 5) - *std::min_element(t.d, t.d + 5);
    t.tail = t.sum % 10;
    return t;
}

inline bool has(RuleFamily f, std::uint32_t n, int v) {
    const Terms t = termsOf(n);
    switch (f) {
        case RuleFamily::Any: return std::count(t.d, t.d + 5, v) > 0;
        case RuleFamily::SumTail: return t.tail == v;
        case RuleFamily::Span: return t.span == v;
        default: return t.d[static_cast<int>(f)] == v;
    }
}

inline bool right(RuleFamily f, std::uint32_t n, ValueMask kills) {
    for (int v = 0; v < 10; ++v)
        if ((kills >> v & 1) && has(f, n, v)) return false;
    return true;
}

// Draws since the newest draw of draws[0..t-1] with v; t when none.
inline long omission(RuleFamily f, std::span<const std::uint32_t> draws, std::size_t t, int v) {
    for (std::size_t s = t; s-- > 0;)
        if (has(f, draws[s], v)) return static_cast<long>(t - 1 - s);
    return static_cast<long>(t);
}

inline int formula(const KillFormula& k, std::uint32_t previous) {
    const Terms t = termsOf(previous);
    long v = k.constant;
    for (int i = 0; i < 8; ++i) v += k.coefficients[static_cast<std::size_t>(i)] * t.term(i);
    return static_cast<int>(v % 10);
}

// The best formula at t, found by trying every one in order.
inline KillFormula bestFormula(RuleFamily f, int window, std::span<const std::uint32_t> draws,
                               std::size_t t) {
    const std::size_t from = std::max<std::size_t>(1, t > static_cast<std::size_t>(window) ? t - window : 0);
    // The judged draws: the terms of the draw before each, and its values.
    std::vector<Terms> before;
    std::vector<std::array<bool, 10>> values;
    for (std::size_t s = from; s < t; ++s) {
        before.push_back(termsOf(draws[s - 1]));
        values.emplace_back();
        for (int v = 0; v < 10; ++v) values.back()[static_cast<std::size_t>(v)] = has(f, draws[s], v);
    }
    KillFormula best;
    int bestRight = -1;
    for (int x = 0; x < 8; ++x)
        for (int y = x + 1; y < 8; ++y)
            for (int a = 1; a <= 9; ++a)
                for (int b = 1; b <= 9; ++b)
                    for (int c = 0; c <= 9; ++c) {
                        int rights = 0;
                        for (std::size_t i = 0; i < before.size(); ++i) {
                            const int kill = (a * before[i].term(x) + b * before[i].term(y) + c) % 10;
                            rights += !values[i][static_cast<std::size_t>(kill)];
                        }
                        if (rights > bestRight) {
                            bestRight = rights;
                            best = KillFormula{};
                            best.coefficients[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(a);
                            best.coefficients[static_cast<std::size_t>(y)] = static_cast<std::uint8_t>(b);
                            best.constant = static_cast<std::uint8_t>(c);
                        }
                    }
    return best;
}

inline ValueMask kills(const KillRule& r, std::span<const std::uint32_t> draws, std::size_t t) {
    if (t == 0) return 0;
    const std::uint32_t previous = draws[t - 1];
    std::array<int, 10> order{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    auto first = [&](int count) {
        ValueMask m = 0;
        for (int i = 0; i < count; ++i)
            m = static_cast<ValueMask>(m | 1u << order[static_cast<std::size_t>(i)]);
        return m;
    };
    switch (r.kind) {
        case RuleKind::Cold:
            std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
                return omission(r.family, draws, t, a) > omission(r.family, draws, t, b);
            });
            return first(r.count);
        case RuleKind::Hot: {
            std::array<int, 10> seen{};
            for (std::size_t s = t > static_cast<std::size_t>(r.window) ? t - r.window : 0; s < t; ++s)
                for (int v = 0; v < 10; ++v) seen[static_cast<std::size_t>(v)] += has(r.family, draws[s], v);
            std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
                if (seen[static_cast<std::size_t>(a)] != seen[static_cast<std::size_t>(b)])
                    return seen[static_cast<std::size_t>(a)] > seen[static_cast<std::size_t>(b)];
                return omission(r.family, draws, t, a) < omission(r.family, draws, t, b);
            });
            return first(r.count);
        }
        case RuleKind::Repeat: {
            ValueMask m = 0;
            for (int v = 0; v < 10; ++v)
                if (has(r.family, previous, v)) m = static_cast<ValueMask>(m | 1u << v);
            return m;
        }
        case RuleKind::Formula: return static_cast<ValueMask>(1u << formula(r.formula, previous));
        case RuleKind::BestFormula:
            return static_cast<ValueMask>(1u << formula(bestFormula(r.family, r.window, draws, t), previous));
    }
    return 0;
}

// Draws whose digits come from the first `digits` digits only (few digits:
// many ties among the values).
inline std::vector<std::uint32_t> randomDraws(std::mt19937& rng, std::size_t n, int digits = 10) {
    std::vector<std::uint32_t> draws;
    for (std::size_t i = 0; i < n; ++i) {
        std::uint32_t v = 0;
        for (int k = 0; k < 5; ++k) v = v * 10 + static_cast<std::uint32_t>(rng() % digits);
        draws.push_back(v);
    }
    return draws;
}

}  // namespace numsift::twin
