// Every check against a plain re-statement of its rule: each rule below is
// written from the condition's own definition, digit by digit and without the
// shared property tables, and the run's columns, fail counts and result set
// are compared with it for random condition panels over the whole number
// space and over random base sets.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <random>
#include <string>
#include <vector>

#include "conditions/captions.h"
#include "conditions/hint_texts.h"
#include "conditions/run_order.h"
#include "conditions/scheme.h"

namespace numsift {
namespace {

using Marks = std::vector<std::uint8_t>;
using D5 = std::array<int, 5>;

D5 digits5(std::uint32_t v) {
    return {static_cast<int>(v / 10000), static_cast<int>(v / 1000 % 10), static_cast<int>(v / 100 % 10),
            static_cast<int>(v / 10 % 10), static_cast<int>(v % 10)};
}

struct ExpectedColumn {
    int step;
    std::string caption;
    Marks marks;
};

// ---- text handling as the conditions read their boxes ----

std::string replaceAll(std::string s, const std::string& from, const std::string& to) {
    std::size_t at = 0;
    while ((at = s.find(from, at)) != std::string::npos) {
        s.replace(at, from.size(), to);
        at += to.size();
    }
    return s;
}

std::string trimBlanks(const std::string& s) {
    const std::size_t a = s.find_first_not_of(' ');
    if (a == std::string::npos) return "";
    return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

// Two blanks to one, left to right without overlap.
std::string halveBlanks(const std::string& s) { return replaceAll(s, "  ", " "); }

std::vector<std::string> splitAtBlanks(const std::string& s) {
    std::vector<std::string> items;
    std::size_t i = 0;
    while (i <= s.size()) {
        const std::size_t b = std::min(s.find(' ', i), s.size());
        if (b > i) items.push_back(s.substr(i, b - i));
        i = b + 1;
    }
    return items;
}

bool allDigits(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The items of a compound box: hint -> empty; CR LF (box 0: also LF) to a
// blank; two passes of two blanks to one; trimmed; split, empty items skipped.
std::vector<std::string> composeItems(const HintedText& box, bool lineFeedsToo) {
    if (box.text == box.hint) return {};
    std::string s = replaceAll(box.text, "\r\n", " ");
    if (lineFeedsToo) s = replaceAll(s, "\n", " ");
    s = trimBlanks(halveBlanks(halveBlanks(s)));
    return splitAtBlanks(s);
}

// The captions of the ticked boxes: the oracle reads each pattern from its
// caption, the way a player reads the box.
template <std::size_t N, typename CaptionOf>
std::vector<std::string> tickedCaptions(const std::bitset<N>& ticked, CaptionOf captionOf) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < N; ++i)
        if (ticked.test(i)) out.push_back(captionOf(static_cast<int>(i)));
    return out;
}

std::vector<std::string> classCaptions(const ClassPatternSet& ticked, ClassKind kind) {
    return tickedCaptions(ticked, [kind](int i) { return classPatternCaption(kind, i); });
}

// ---- the rules ----

struct Oracle {
    const std::vector<std::uint32_t>& values;
    std::vector<ExpectedColumn> columns;

    Marks& column(int step, std::string caption) {
        columns.push_back({step, std::move(caption), Marks(values.size(), 0)});
        return columns.back().marks;
    }

    void straightKill(const HintedText& box) {
        if (box.text.empty() || box.text == box.hint) return;
        std::string s = trimBlanks(box.text);
        s = trimBlanks(halveBlanks(halveBlanks(replaceAll(s, "\r\n", " "))));
        if (s.empty()) return;
        std::vector<bool> killed(100000, false);
        bool any = false;
        for (const std::string& token : splitAtBlanks(s))
            if (token.size() == 5 && allDigits(token)) killed[std::stoul(token)] = any = true;
        if (!any) return;
        Marks& m = column(1, "杀直选");
        for (std::size_t j = 0; j < values.size(); ++j) m[j] = killed[values[j]];
    }

    void positionalKill(const FilterInput& in) {
        bool any = false;
        for (const auto& row : in.positionalKill)
            for (bool b : row) any = any || b;
        if (!any) return;
        Marks& m = column(2, "定位杀");
        for (std::size_t j = 0; j < values.size(); ++j) {
            const D5 p = digits5(values[j]);
            for (int r = 0; r < 5; ++r)
                if (in.positionalKill[static_cast<std::size_t>(r)][static_cast<std::size_t>(p[r])]) m[j] = 1;
        }
    }

    void sumSpan(const FilterInput& in) {
        auto sumOf = [](const D5& p) { return p[0] + p[1] + p[2] + p[3] + p[4]; };
        if (std::find(in.sumTailKill.begin(), in.sumTailKill.end(), true) != in.sumTailKill.end()) {
            Marks& m = column(3, "杀和尾");
            for (std::size_t j = 0; j < values.size(); ++j)
                m[j] = in.sumTailKill[static_cast<std::size_t>(sumOf(digits5(values[j])) % 10)];
        }
        const HintedText& box = in.sumValueKill;
        if (!box.text.empty() && box.text != box.hint) {
            bool killed[46] = {};
            bool any = false;
            for (const std::string& item : splitAtBlanks(trimBlanks(box.text)))
                if (allDigits(item) && std::stoi(item) <= 45) killed[std::stoi(item)] = any = true;
            if (any) {
                Marks& m = column(3, "杀和值");
                for (std::size_t j = 0; j < values.size(); ++j) m[j] = killed[sumOf(digits5(values[j]))];
            }
        }
        if (std::find(in.spanKill.begin(), in.spanKill.end(), true) != in.spanKill.end()) {
            Marks& m = column(3, "杀跨度");
            for (std::size_t j = 0; j < values.size(); ++j) {
                const D5 p = digits5(values[j]);
                int hi = p[0], lo = p[0];
                for (int d : p) hi = std::max(hi, d), lo = std::min(lo, d);
                m[j] = in.spanKill[static_cast<std::size_t>(hi - lo)];
            }
        }
        if (std::find(in.digitKill.begin(), in.digitKill.end(), true) != in.digitKill.end()) {
            Marks& m = column(3, "通杀码");
            for (std::size_t j = 0; j < values.size(); ++j)
                for (int d : digits5(values[j]))
                    if (in.digitKill[static_cast<std::size_t>(d)]) m[j] = 1;
        }
    }

    void banker(const FilterInput& in) {
        std::vector<bool> alive(values.size(), true);
        bool anyGroup = false;
        for (const BankerGroupInput& g : in.banker) {
            if (std::find(g.digits.begin(), g.digits.end(), true) == g.digits.end()) continue;
            anyGroup = true;
            std::array<bool, 6> counts = g.counts;
            if (std::find(counts.begin(), counts.end(), true) == counts.end())
                counts = {false, true, true, true, true, true};
            for (std::size_t j = 0; j < values.size(); ++j) {
                if (!alive[j]) continue;
                bool seen[10] = {};
                int hits = 0;
                for (int d : digits5(values[j])) {
                    if (!g.digits[static_cast<std::size_t>(d)]) continue;
                    if (in.countRepeats || !seen[d]) ++hits;
                    seen[d] = true;
                }
                if (!counts[static_cast<std::size_t>(hits)]) alive[j] = false;
            }
        }
        if (!anyGroup) return;
        Marks& m = column(4, "胆组");
        for (std::size_t j = 0; j < values.size(); ++j) m[j] = !alive[j];
    }

    // Captions: replace the class-0 symbol by 0 and the class-1 symbol by 1.
    void classPatterns(int step, const char* caption, const std::vector<std::string>& ticked,
                       const char* symbol0, const char* digits0, const char* symbol1, const char* digits1) {
        bool selected[32] = {};
        bool any = false;
        for (const std::string& c : ticked) {
            const std::string bits = replaceAll(replaceAll(c, symbol0, "0"), symbol1, "1");
            int index = 0;
            for (char b : bits) index = index * 2 + (b - '0');
            selected[index] = any = true;
        }
        if (!any) return;
        int classOf[10] = {};
        for (const char* p = digits0; *p; ++p) classOf[*p - '0'] = 0;
        for (const char* p = digits1; *p; ++p) classOf[*p - '0'] = 1;
        Marks& m = column(step, caption);
        for (std::size_t j = 0; j < values.size(); ++j) {
            int index = 0;
            for (int d : digits5(values[j])) index = index * 2 + classOf[d];
            m[j] = selected[index];
        }
    }

    void roads(const std::vector<std::string>& ticked) {
        bool selected[243] = {};
        bool any = false;
        for (const std::string& c : ticked) {
            int index = 0;
            for (char r : c) index = index * 3 + (r - '0');
            selected[index] = any = true;
        }
        if (!any) return;
        Marks& m = column(8, "杀012排列");
        for (std::size_t j = 0; j < values.size(); ++j) {
            int index = 0;
            for (int d : digits5(values[j])) index = index * 3 + d % 3;
            m[j] = selected[index];
        }
    }

    // Each shape in its plain meaning: monotone runs of the positions, ring
    // runs of the distinct digits, and how often the digits repeat.
    static bool hasShape(const std::string& shape, const D5& p) {
        bool present[10] = {};
        int count[10] = {};
        for (int d : p) present[d] = true, ++count[d];
        // Ring windows of n consecutive digits that all occur.
        auto runs = [&](int n) {
            int k = 0;
            for (int start = 0; start < 10; ++start) {
                bool all = true;
                for (int i = 0; i < n; ++i) all = all && present[(start + i) % 10];
                k += all;
            }
            return k;
        };
        std::vector<int> reps;
        for (int c : count)
            if (c) reps.push_back(c);
        std::sort(reps.rbegin(), reps.rend());
        auto repsAre = [&](std::vector<int> r) { return reps == r; };
        bool rising = true, falling = true;
        for (int i = 0; i < 4; ++i)
            rising = rising && p[i] <= p[i + 1], falling = falling && p[i] >= p[i + 1];
        if (shape == "上山") return rising && p[0] < p[4];
        if (shape == "下山") return falling && p[0] > p[4];
        if (shape == "不连") return runs(2) == 0;
        if (shape == "2连") return runs(2) >= 1 && runs(3) == 0;
        if (shape == "3连") return runs(3) == 1;
        if (shape == "4连") return runs(4) == 1;
        if (shape == "5连") return runs(5) == 1 && reps.size() == 5;
        if (shape == "AAAAA") return repsAre({5});
        if (shape == "AABCD") return repsAre({2, 1, 1, 1});
        if (shape == "AABBC") return repsAre({2, 2, 1});
        if (shape == "AAABC") return repsAre({3, 1, 1});
        if (shape == "AAABB") return repsAre({3, 2});
        if (shape == "AAAAB") return repsAre({4, 1});
        if (shape == "ABCDE") return repsAre({1, 1, 1, 1, 1});
        ADD_FAILURE() << "no such shape " << shape;
        return false;
    }

    void shapes(const std::vector<std::string>& ticked) {
        for (const char* shape : {"上山", "下山", "AAAAA", "不连", "2连", "3连", "4连", "5连", "AABCD",
                                  "AABBC", "AAABC", "AAABB", "AAAAB", "ABCDE"}) {
            if (std::find(ticked.begin(), ticked.end(), shape) == ticked.end() || values.empty()) continue;
            Marks& m = column(9, shape);
            for (std::size_t j = 0; j < values.size(); ++j) m[j] = hasShape(shape, digits5(values[j]));
        }
    }

    void ratio(const RatioSet& ratios, int row, const char* caption, const char* counted) {
        bool keep[6] = {};
        bool any = false;
        for (int k = 0; k < 6; ++k)
            if (ratios[static_cast<std::size_t>(k)]) keep[k] = any = true;
        if (!any) return;
        Marks& m = column(10 + row, caption);
        for (std::size_t j = 0; j < values.size(); ++j) {
            int k = 0;
            for (int d : digits5(values[j]))
                k += std::string_view(counted).find(char('0' + d)) != std::string::npos;
            m[j] = !keep[k];
        }
    }

    void ac(const FilterInput& in) {
        bool killed[11] = {};
        bool any = false;
        for (int v = 1; v <= 9; ++v)
            if (in.acKill[static_cast<std::size_t>(v)]) killed[v] = any = true;
        if (!any) return;
        Marks& m = column(13, "杀AC值");
        for (std::size_t j = 0; j < values.size(); ++j) {
            const D5 p = digits5(values[j]);
            bool seen[10] = {};
            int repeats = 0;
            for (int a = 0; a < 5; ++a)
                for (int b = a + 1; b < 5; ++b) {
                    const int d = std::abs(p[a] - p[b]);
                    if (seen[d]) ++repeats;
                    seen[d] = true;
                }
            m[j] = killed[10 - repeats];
        }
    }

    // Every choice of n places of the item, every ordering of the digits
    // there marked; a candidate matches when its digits at some n positions,
    // in position order, are marked.
    void codes(const HintedText& box, int n, bool kill, int step, const char* caption) {
        const std::vector<std::string> items = composeItems(box, false);
        if (items.empty()) return;
        std::vector<bool> table(n == 2 ? 100 : n == 3 ? 1000 : 10000, false);
        for (const std::string& item : items) {
            const int len = static_cast<int>(item.size());
            if (len < n) continue;
            std::vector<bool> choose(static_cast<std::size_t>(len), false);
            std::fill(choose.begin(), choose.begin() + n, true);
            do {
                std::vector<int> picked;
                for (int i = 0; i < len; ++i)
                    if (choose[static_cast<std::size_t>(i)])
                        picked.push_back(item[static_cast<std::size_t>(i)] - '0');
                std::sort(picked.begin(), picked.end());
                do {
                    int index = 0;
                    for (int d : picked) index = index * 10 + d;
                    table[static_cast<std::size_t>(index)] = true;
                } while (std::next_permutation(picked.begin(), picked.end()));
            } while (std::prev_permutation(choose.begin(), choose.end()));
        }
        Marks& m = column(step, caption);
        for (std::size_t j = 0; j < values.size(); ++j) {
            const D5 p = digits5(values[j]);
            bool match = false;
            std::array<bool, 5> pos{};
            std::fill(pos.begin(), pos.begin() + n, true);
            do {
                int index = 0;
                for (int i = 0; i < 5; ++i)
                    if (pos[static_cast<std::size_t>(i)]) index = index * 10 + p[i];
                match = match || table[static_cast<std::size_t>(index)];
            } while (std::prev_permutation(pos.begin(), pos.end()));
            m[j] = kill ? match : !match;
        }
    }

    void positionSets(const HintedText& box, bool groups, int step, const char* caption) {
        const std::vector<std::string> items = composeItems(box, groups);
        if (items.empty()) return;
        Marks& m = column(step, caption);
        for (const std::string& line : items) {
            std::array<std::string, 5> slot;
            if (groups) {
                std::size_t start = 0;
                for (int k = 0; k < 5 && start <= line.size(); ++k) {
                    const std::size_t star = std::min(line.find('*', start), line.size());
                    slot[static_cast<std::size_t>(k)] = line.substr(start, star - start);
                    start = star + 1;
                }
            } else {
                for (std::size_t k = 0; k < 5 && k < line.size(); ++k)
                    slot[k] = line[k] == '*' ? "0123456789" : std::string(1, line[k]);
            }
            bool allow[5][10] = {};
            for (int k = 0; k < 5; ++k)
                for (char d : slot[static_cast<std::size_t>(k)])
                    if (d >= '0' && d <= '9') allow[k][d - '0'] = true;
            for (std::size_t j = 0; j < values.size(); ++j) {
                const D5 p = digits5(values[j]);
                if (allow[0][p[0]] && allow[1][p[1]] && allow[2][p[2]] && allow[3][p[3]] && allow[4][p[4]])
                    m[j] = 1;
            }
        }
    }

    void run(const FilterInput& in) {
        straightKill(in.straightKill);
        positionalKill(in);
        sumSpan(in);
        banker(in);
        classPatterns(5, "杀大小排列", classCaptions(in.bigSmallKill, ClassKind::BigSmall), "小", "01234",
                      "大", "56789");
        classPatterns(6, "杀奇偶排列", classCaptions(in.oddEvenKill, ClassKind::OddEven), "偶", "02468", "奇",
                      "13579");
        classPatterns(7, "杀质合排列", classCaptions(in.primeCompositeKill, ClassKind::PrimeComposite), "质",
                      "12357", "合", "04689");
        roads(tickedCaptions(in.roadKill, roadCaption));
        shapes(tickedCaptions(in.shapeKill, shapeCaption));
        ratio(in.bigSmallRatio, 0, "大小比", "56789");
        ratio(in.oddEvenRatio, 1, "奇偶比", "13579");
        ratio(in.primeCompositeRatio, 2, "质合比", "12357");
        ac(in);
        positionSets(in.compound.junk, true, 14, "杀垃圾复式");
        codes(in.compound.killTwo, 2, true, 15, "杀两码");
        codes(in.compound.killThree, 3, true, 16, "杀三码");
        codes(in.compound.killFour, 4, true, 17, "杀四码");
        codes(in.compound.mustTwo, 2, false, 18, "必出两码");
        codes(in.compound.mustThree, 3, false, 19, "必出三码");
        codes(in.compound.mustFour, 4, false, 20, "必出四码");
        positionSets(in.compound.positional, false, 21, "组合定位杀");
    }
};

// ---- random panels, in the form the boxes hold after being left ----

class Panels {
public:
    explicit Panels(unsigned seed) : rng_(seed) {}

    bool chance(double p) { return std::uniform_real_distribution<>(0, 1)(rng_) < p; }
    int below(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }

    std::string digitsText(int len) {
        std::string s;
        for (int i = 0; i < len; ++i) s += static_cast<char>('0' + below(10));
        return s;
    }

    // Items joined by blanks, with a line break after every perLine items.
    static std::string joinItems(const std::vector<std::string>& items, int perLine) {
        std::string s;
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (i) s += perLine && i % static_cast<std::size_t>(perLine) == 0 ? " \r\n" : " ";
            s += items[i];
        }
        return s;
    }

    // Ticked boxes: each of the N boxes with probability p.
    template <std::size_t N>
    std::bitset<N> ticked(double p) {
        std::bitset<N> out;
        if (!chance(0.6)) return out;
        for (std::size_t i = 0; i < N; ++i)
            if (chance(p)) out.set(i);
        return out;
    }

    HintedText box(std::string text, const std::string& hint) {
        if (chance(0.1)) text = hint;  // the box shows its hint
        return {std::move(text), hint};
    }

    FilterInput panel() {
        FilterInput in;
        {
            std::vector<std::string> list;
            if (chance(0.5))
                for (int k = below(40); k >= 0; --k) list.push_back(digitsText(5));
            in.straightKill = box(joinItems(list, 5), hints::kStraightKill);
        }
        const double p = chance(0.5) ? 0.08 : 0.0;
        for (auto& row : in.positionalKill)
            for (auto&& b : row) b = chance(p);
        for (auto* row : {&in.sumTailKill, &in.spanKill, &in.digitKill}) {
            const double q = chance(0.4) ? 0.15 : 0.0;
            for (auto&& b : *row) b = chance(q);
        }
        {
            std::vector<std::string> sums;
            if (chance(0.5))
                for (int k = below(5); k >= 0; --k) {
                    const int v = below(46);
                    sums.push_back(std::string(1, char('0' + v / 10)) + char('0' + v % 10));
                }
            in.sumValueKill = box(joinItems(sums, 0), hints::kSumValue);
        }
        in.countRepeats = chance(0.5);
        if (chance(0.6))
            for (int g = below(4); g >= 0; --g) {
                BankerGroupInput& group = in.banker[static_cast<std::size_t>(below(10))];
                for (auto&& b : group.digits) b = chance(0.3);
                for (auto&& b : group.counts) b = chance(0.3);
            }
        in.bigSmallKill = ticked<32>(0.15);
        in.oddEvenKill = ticked<32>(0.15);
        in.primeCompositeKill = ticked<32>(0.15);
        in.roadKill = ticked<243>(0.05);
        in.shapeKill = ticked<14>(0.2);
        for (RatioSet* ratios : {&in.bigSmallRatio, &in.oddEvenRatio, &in.primeCompositeRatio}) {
            const double q = chance(0.5) ? 0.3 : 0.0;
            for (std::size_t k = 0; k < 6; ++k) (*ratios)[k] = chance(q);
        }
        const double q = chance(0.5) ? 0.3 : 0.0;
        for (std::size_t v = 1; v <= 9; ++v) in.acKill[v] = chance(q);
        for (int i = 0; i < 8; ++i) in.compound.*kCompoundBoxes[static_cast<std::size_t>(i)] = compoundBox(i);
        return in;
    }

    HintedText compoundBox(int i) {
        const std::string& hint = hints::kCompose[static_cast<std::size_t>(i)];
        std::vector<std::string> items;
        if (chance(0.5)) {
            const int n = 1 + below(i == 0 || i == 7 ? 4 : 6);
            for (int k = 0; k < n; ++k) items.push_back(compoundItem(i));
        }
        return box(joinItems(items, i == 0 || i == 7 ? 1 : 10), hint);
    }

    std::string compoundItem(int i) {
        switch (i) {
            case 0: {
                std::string line;
                for (int k = 0; k < 5; ++k) {
                    if (k) line += '*';
                    for (int d = 0; d < 10; ++d)
                        if (chance(0.45)) line += char('0' + d);
                }
                return line.size() > 4 ? line : "1" + line;  // four markers alone are refused by the box
            }
            case 7: {
                std::string line;
                for (int k = 0; k < 5; ++k) line += chance(0.6) ? '*' : char('0' + below(10));
                if (line == "*****") line[static_cast<std::size_t>(below(5))] = char('0' + below(10));
                return line;
            }
            case 1:
            case 4: return digitsText(2);
            case 2:
            case 5: return digitsText(3);
            default: return digitsText(4 + below(6));
        }
    }

private:
    std::mt19937 rng_;
};

void compareWithOracle(const FilterInput& in, const NumberSet& base, Tolerance tolerance, int round) {
    const RunResult r = runFilter(in, base, tolerance);
    Oracle oracle{r.table.values, {}};
    oracle.run(in);
    ASSERT_EQ(r.matrix.columnCount(), oracle.columns.size()) << "round " << round;
    std::vector<int> fails(r.table.size(), 0);
    for (std::size_t c = 0; c < oracle.columns.size(); ++c) {
        const CheckColumn& got = r.matrix.column(c);
        const ExpectedColumn& want = oracle.columns[c];
        EXPECT_EQ(got.step, want.step) << "round " << round << " column " << c;
        EXPECT_EQ(got.caption, want.caption) << "round " << round << " column " << c;
        ASSERT_EQ(got.marks.size(), want.marks.size());
        for (std::size_t j = 0; j < want.marks.size(); ++j) {
            ASSERT_EQ(got.marks[j], want.marks[j])
                << "round " << round << " " << want.caption << " number " << r.table.values[j];
            fails[j] += want.marks[j];
        }
    }
    std::vector<std::uint32_t> kept;
    for (std::size_t j = 0; j < fails.size(); ++j)
        if (fails[j] >= tolerance.lower && fails[j] <= tolerance.upper) kept.push_back(r.table.values[j]);
    EXPECT_EQ(r.result, kept) << "round " << round;
}

TEST(BruteForce, RandomPanelsOverTheWholeSpace) {
    Panels panels(20240611);
    for (int round = 0; round < 8; ++round) {
        const FilterInput in = panels.panel();
        const int upper = panels.below(4);
        compareWithOracle(
            in, {},
            Tolerance{static_cast<std::uint8_t>(panels.below(upper + 1)), static_cast<std::uint8_t>(upper)},
            round);
        if (HasFatalFailure()) return;
    }
}

TEST(BruteForce, RandomPanelsOverBaseSets) {
    Panels panels(77);
    for (int round = 0; round < 12; ++round) {
        NumberSet base;
        const int every = 1 + panels.below(40);
        for (std::uint32_t v = static_cast<std::uint32_t>(panels.below(every)); v < kNumberSpace;
             v += static_cast<std::uint32_t>(1 + panels.below(every)))
            base.values.push_back(v);
        compareWithOracle(panels.panel(), base, Tolerance{0, static_cast<std::uint8_t>(panels.below(3))},
                          round);
        if (HasFatalFailure()) return;
    }
}

// Every single shape, class pattern, road pattern, ratio and AC value on its
// own, so that no box escapes the random panels.
TEST(BruteForce, EveryBoxAlone) {
    int round = 0;
    auto check = [&round](const FilterInput& in) { compareWithOracle(in, {}, {}, round++); };
    for (int b = 0; b < kShapeCount; ++b) {
        FilterInput in;
        in.shapeKill.set(static_cast<std::size_t>(b));
        check(in);
    }
    for (ClassKind kind : kClassKinds)
        for (int i = 0; i < kClassPatternCount; i += 5) {
            FilterInput in;
            ClassPatternSet& ticked = kind == ClassKind::BigSmall  ? in.bigSmallKill
                                      : kind == ClassKind::OddEven ? in.oddEvenKill
                                                                   : in.primeCompositeKill;
            ticked.set(static_cast<std::size_t>(i));
            check(in);
        }
    for (RatioSet FilterInput::*ratios :
         {&FilterInput::bigSmallRatio, &FilterInput::oddEvenRatio, &FilterInput::primeCompositeRatio})
        for (std::size_t k = 0; k < 6; ++k) {
            FilterInput in;
            (in.*ratios).set(k);
            check(in);
        }
    for (std::size_t v = 1; v <= 9; ++v) {
        FilterInput in;
        in.acKill.set(v);
        check(in);
    }
}

// A saved panel loads back to the same checks: every column of the run is
// the same, and the loaded scheme saves and loads again unchanged.
TEST(BruteForce, SavedPanelsRunAlike) {
    Panels panels(4242);
    for (int round = 0; round < 40; ++round) {
        Scheme scheme = emptyScheme();
        scheme.input = panels.panel();
        const std::string saved = saveScheme(scheme);
        const SchemeLoad load = loadScheme(saved);
        ASSERT_TRUE(load.ok) << load.error << "\n" << saved;
        const RunResult before = runFilter(scheme.input, {}, {});
        const RunResult after = runFilter(load.scheme.input, {}, {});
        ASSERT_EQ(after.matrix.columnCount(), before.matrix.columnCount()) << saved;
        for (std::size_t c = 0; c < before.matrix.columnCount(); ++c) {
            EXPECT_EQ(after.matrix.column(c).caption, before.matrix.column(c).caption);
            EXPECT_TRUE(after.matrix.column(c).marks == before.matrix.column(c).marks)
                << before.matrix.column(c).caption << "\n"
                << saved;
        }
        const SchemeLoad again = loadScheme(saveScheme(load.scheme));
        ASSERT_TRUE(again.ok) << again.error;
        EXPECT_EQ(again.scheme, load.scheme) << saved;
    }
}

}  // namespace
}  // namespace numsift
