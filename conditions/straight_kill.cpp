// 杀直选: every number of the kill list fails.
#include <vector>

#include "conditions/captions.h"
#include "conditions/checks.h"
#include "conditions/column_fill.h"
#include "conditions/entry_syntax.h"
#include "engine/number_list.h"

namespace numsift {

namespace {

bool blankOrBreak(char c) { return c == ' ' || c == '\r' || c == '\n'; }

// Sets killed[v] for every token of exactly five ASCII digits between
// number-list separators, in one pass over the text; returns whether any.
bool markListedNumbers(std::string_view text, std::uint8_t* killed) {
    bool any = false;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        const char c = text[i];
        if (blankOrBreak(c)) {
            ++i;
            continue;
        }
        if (c < '0' || c > '9') {
            if (const std::size_t sep = separatorLength(text, i)) {
                i += sep;
                continue;
            }
        }
        const std::size_t start = i;
        bool digits = true;
        while (i < n) {
            const char d = text[i];
            if (blankOrBreak(d)) break;
            if (d < '0' || d > '9') {
                if (separatorLength(text, i)) break;
                digits = false;
            }
            ++i;
        }
        if (digits && i - start == 5) {
            std::uint32_t v = 0;
            for (std::size_t k = start; k < i; ++k) v = v * 10 + static_cast<std::uint32_t>(text[k] - '0');
            killed[v] = 1;
            any = true;
        }
    }
    return any;
}

}  // namespace

void checkStraightKill(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    if (countsAsEmpty(in.straightKill)) return;
    std::vector<std::uint8_t> killed(kNumberSpace, 0);
    if (!markListedNumbers(in.straightKill.text, killed.data())) return;
    fillFromValueFlags(t, m.appendColumn(steps::kStraightKill, captions::kStraightKill), killed.data());
}

}  // namespace numsift
