#pragma once
// Schemes the engine benchmarks share: every condition of the panel active
// (37 columns, ten banker groups, hundreds of codes in every compound box, a
// 20,000-number kill list), tolerance 4-9.

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "conditions/captions.h"
#include "conditions/scheme.h"
#include "engine/number.h"
#include "engine/number_list.h"

namespace numsift::bench {

inline std::string codes(std::mt19937& rng, int length, int count) {
    std::string s;
    for (int i = 0; i < count; ++i) {
        if (i) s += (i % 10 == 0) ? "\r\n" : " ";
        for (int k = 0; k < length; ++k) s += static_cast<char>('0' + rng() % 10);
    }
    return s;
}

inline std::string group(std::mt19937& rng) {
    std::string g;
    const int n = 1 + static_cast<int>(rng() % 3);
    for (int i = 0; i < n; ++i) g += static_cast<char>('0' + rng() % 10);
    return g;
}

inline Scheme everything() {
    std::mt19937 rng(20240601);
    Scheme s = emptyScheme();
    FilterInput& in = s.input;
    std::vector<std::uint32_t> kill(kNumberSpace);
    for (std::uint32_t v = 0; v < kNumberSpace; ++v) kill[v] = v;
    std::shuffle(kill.begin(), kill.end(), rng);
    kill.resize(20000);
    std::sort(kill.begin(), kill.end());
    in.straightKill.text = formatNumbers(kill, kListLineWidth);
    for (int r = 0; r < 5; ++r)
        in.positionalKill[static_cast<std::size_t>(r)][static_cast<std::size_t>(r)] = true;
    in.sumTailKill[0] = in.sumTailKill[5] = true;
    in.sumValueKill.text = "00 01 02 43 44 45";
    in.spanKill[0] = in.spanKill[1] = in.spanKill[9] = true;
    in.digitKill[7] = true;
    for (BankerGroupInput& g : in.banker) {
        for (int k = 0; k < 5; ++k) g.digits[rng() % 10] = true;
        g.counts[1] = g.counts[2] = g.counts[3] = true;
    }
    for (const char* c : {"大大大大大", "小小小小小", "大小大小大"})
        in.bigSmallKill.set(*classBoxOfCaption(ClassKind::BigSmall, c));
    for (const char* c : {"奇奇奇奇奇", "偶偶偶偶偶"})
        in.oddEvenKill.set(*classBoxOfCaption(ClassKind::OddEven, c));
    for (const char* c : {"质质质质质", "合合合合合"})
        in.primeCompositeKill.set(*classBoxOfCaption(ClassKind::PrimeComposite, c));
    for (const char* c : {"00000", "11111", "22222", "01201", "12012"})
        in.roadKill.set(*roadPatternOfCaption(c));
    in.shapeKill.set();
    for (std::size_t k : {1, 2, 3, 4}) {
        in.bigSmallRatio.set(k);
        in.oddEvenRatio.set(k);
        in.primeCompositeRatio.set(k);
    }
    in.acKill.set(1).set(2).set(3);
    std::string junk, positional;
    for (int i = 0; i < 300; ++i) {
        if (i) junk += "\r\n", positional += "\r\n";
        junk += group(rng) + "*" + group(rng) + "*" + group(rng) + "*" + group(rng) + "*" + group(rng);
        std::string line;
        for (int k = 0; k < 5; ++k) line += rng() % 2 ? static_cast<char>('0' + rng() % 10) : '*';
        positional += line == "*****" ? "1****" : line;
    }
    in.compound.junk.text = junk;
    in.compound.killTwo.text = codes(rng, 2, 300);
    in.compound.killThree.text = codes(rng, 3, 300);
    in.compound.killFour.text = codes(rng, 4, 200) + "\r\n" + codes(rng, 6, 100);
    in.compound.mustTwo.text = codes(rng, 2, 300);
    in.compound.mustThree.text = codes(rng, 3, 300);
    in.compound.mustFour.text = codes(rng, 4, 200) + "\r\n" + codes(rng, 7, 100);
    in.compound.positional.text = positional;
    s.tolerance = {4, 9};
    return s;
}

// A scheme as a player might write one for a day's draw: a few conditions
// drawn at random from those the panel offers most (positional kills, sum
// tails, spans, a digit kill, patterns, ratios, AC values, two-digit codes,
// positional combinations), at tolerance 0-0, 0-1 or 0-2.
inline Scheme randomPlayerScheme(std::mt19937& rng) {
    Scheme s = emptyScheme();
    FilterInput& in = s.input;
    auto chance = [&rng](int percent) { return static_cast<int>(rng() % 100) < percent; };
    auto below = [&rng](int n) { return static_cast<std::size_t>(rng() % static_cast<unsigned>(n)); };
    if (chance(70))
        for (int k = 1 + static_cast<int>(below(4)); k > 0; --k)
            in.positionalKill[below(5)][below(10)] = true;
    if (chance(50))
        for (int k = 1 + static_cast<int>(below(3)); k > 0; --k) in.sumTailKill[below(10)] = true;
    if (chance(50))
        for (int k = 1 + static_cast<int>(below(3)); k > 0; --k) in.spanKill[below(10)] = true;
    if (chance(30)) in.digitKill[below(10)] = true;
    if (chance(40))
        for (int k = 1 + static_cast<int>(below(4)); k > 0; --k)
            in.bigSmallKill.set(below(kClassPatternCount));
    if (chance(40))
        for (int k = 1 + static_cast<int>(below(4)); k > 0; --k)
            in.oddEvenKill.set(below(kClassPatternCount));
    if (chance(30))
        for (int k = 1 + static_cast<int>(below(20)); k > 0; --k) in.roadKill.set(below(kRoadPatternCount));
    if (chance(40))
        for (int k = 1 + static_cast<int>(below(4)); k > 0; --k) in.shapeKill.set(below(kShapeCount));
    if (chance(40))
        for (std::size_t k = 1; k <= 4; ++k)
            if (chance(70)) in.bigSmallRatio.set(k);
    if (chance(30)) in.acKill.set(1 + below(9));
    if (chance(40)) in.compound.killTwo.text = codes(rng, 2, 1 + static_cast<int>(below(8)));
    if (chance(30)) {
        std::string positional;
        for (int k = 1 + static_cast<int>(below(4)); k > 0; --k) {
            std::string line(5, '*');
            line[below(5)] = static_cast<char>('0' + below(10));
            line[below(5)] = static_cast<char>('0' + below(10));
            positional += (positional.empty() ? "" : "\r\n") + line;
        }
        in.compound.positional.text = positional;
    }
    const std::uint8_t upper = static_cast<std::uint8_t>(below(3));
    s.tolerance = {0, upper};
    return s;
}

}  // namespace numsift::bench
