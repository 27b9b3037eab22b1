// 定位杀: a candidate fails when the digit at any position is ticked for
// that position.
#include "conditions/checks.h"
#include "conditions/column_fill.h"

namespace numsift {

void checkPositionalKill(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    std::uint8_t kill[5][10] = {};
    bool any = false;
    for (int r = 0; r < 5; ++r)
        for (int d = 0; d < 10; ++d)
            if (in.positionalKill[static_cast<std::size_t>(r)][static_cast<std::size_t>(d)]) {
                kill[r][d] = 1;
                any = true;
            }
    if (!any) return;
    std::uint8_t* column = appendColumn(m, {ConditionId::PositionalKill});
    if (isWholeSpace(t)) {
        // Row i is the number i: walk the digits as nested counters.
        std::uint8_t* out = column;
        for (int a = 0; a < 10; ++a)
            for (int b = 0; b < 10; ++b) {
                const std::uint8_t ab = kill[0][a] | kill[1][b];
                for (int c = 0; c < 10; ++c) {
                    const std::uint8_t abc = ab | kill[2][c];
                    for (int d = 0; d < 10; ++d) {
                        const std::uint8_t abcd = abc | kill[3][d];
                        for (int e = 0; e < 10; ++e) *out++ = abcd | kill[4][e];
                    }
                }
            }
        return;
    }
    const std::size_t n = t.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Digits& p = t.digits(i);
        column[i] = kill[0][p[0]] | kill[1][p[1]] | kill[2][p[2]] | kill[3][p[3]] | kill[4][p[4]];
    }
}

}  // namespace numsift
