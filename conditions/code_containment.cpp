// 杀两码/杀三码/杀四码 and 必出两码/必出三码/必出四码. A candidate contains an
// N-digit code when N of its digits, at distinct positions and in any order,
// are the code's digits; an entry longer than N stands for every N-digit
// combination of its digits. Kill fails the candidates containing a code,
// must fails those containing none.
#include <array>
#include <set>
#include <vector>

#include "conditions/checks.h"
#include "conditions/column_fill.h"
#include "conditions/number_traits.h"

namespace numsift {

namespace {

using Counts = std::array<std::uint8_t, 10>;

// Marks every ascending N-digit combination drawn from counts (each digit at
// most as often as counts allows); index = the combination read as a decimal.
void markCombinations(const Counts& counts, int digit, int remaining, int index,
                      std::vector<std::uint8_t>& marked) {
    if (remaining == 0) {
        marked[static_cast<std::size_t>(index)] = 1;
        return;
    }
    if (digit > 9) return;
    const int most = std::min<int>(counts[static_cast<std::size_t>(digit)], remaining);
    for (int c = most; c >= 0; --c) {
        int next = index;
        for (int j = 0; j < c; ++j) next = next * 10 + digit;
        markCombinations(counts, digit + 1, remaining - c, next, marked);
    }
}

// The code table folded once per run: since every code stands for all its
// orderings, only the ascending combinations are kept.
std::vector<std::uint8_t> codeTable(const std::vector<std::string_view>& items, int n) {
    std::vector<std::uint8_t> marked(n == 2 ? 100 : n == 3 ? 1000 : 10000, 0);
    std::set<Counts> done;
    for (std::string_view item : items) {
        Counts counts{};
        bool digits = true;
        int total = 0;
        for (char c : item) {
            if (c < '0' || c > '9') {
                digits = false;
                break;
            }
            std::uint8_t& k = counts[static_cast<std::size_t>(c - '0')];
            if (k < n) ++k, ++total;  // a digit can be used at most N times
        }
        if (!digits || total < n || !done.insert(counts).second) continue;
        markCombinations(counts, 0, n, 0, marked);
    }
    return marked;
}

// Whether some N of the ascending digits s form a marked combination.
bool containsCode(const Digits& s, int n, const std::vector<std::uint8_t>& marked) {
    if (n == 2) {
        for (int a = 0; a < 5; ++a)
            for (int b = a + 1; b < 5; ++b)
                if (marked[static_cast<std::size_t>(s[a] * 10 + s[b])]) return true;
    } else if (n == 3) {
        for (int a = 0; a < 5; ++a)
            for (int b = a + 1; b < 5; ++b)
                for (int c = b + 1; c < 5; ++c)
                    if (marked[static_cast<std::size_t>(s[a] * 100 + s[b] * 10 + s[c])]) return true;
    } else {
        for (int skip = 0; skip < 5; ++skip) {
            int index = 0;
            for (int i = 0; i < 5; ++i)
                if (i != skip) index = index * 10 + s[i];
            if (marked[static_cast<std::size_t>(index)]) return true;
        }
    }
    return false;
}

void checkCodes(int n, bool kill, ConditionId condition, const HintedText& box, const CandidateTable& t,
                ConditionMatrix& m) {
    const std::vector<std::string_view> items = boxItems(box);
    if (items.empty()) return;
    const std::vector<std::uint8_t> marked = codeTable(items, n);
    // Containment depends only on the candidate's digit multiset.
    const NumberTraits& traits = numberTraits();
    std::vector<std::uint8_t> failed(traits.multisets.size());
    for (std::size_t id = 0; id < traits.multisets.size(); ++id)
        failed[id] = containsCode(traits.multisets[id].sorted, n, marked) == kill;
    fillFromProperty(t, appendColumn(m, {condition}), traits.multiset, failed.data());
}

}  // namespace

void checkKillTwoCodes(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    checkCodes(2, true, ConditionId::KillTwoCodes, in.compound.killTwo, t, m);
}
void checkKillThreeCodes(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    checkCodes(3, true, ConditionId::KillThreeCodes, in.compound.killThree, t, m);
}
void checkKillFourCodes(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    checkCodes(4, true, ConditionId::KillFourCodes, in.compound.killFour, t, m);
}
void checkMustTwoCodes(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    checkCodes(2, false, ConditionId::MustTwoCodes, in.compound.mustTwo, t, m);
}
void checkMustThreeCodes(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    checkCodes(3, false, ConditionId::MustThreeCodes, in.compound.mustThree, t, m);
}
void checkMustFourCodes(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    checkCodes(4, false, ConditionId::MustFourCodes, in.compound.mustFour, t, m);
}

}  // namespace numsift
