// The frame 和、跨、胆: sum tails, sum values, spans and digits killed
// anywhere, four independent checks with a column each.
#include "conditions/checks.h"
#include "conditions/column_fill.h"
#include "conditions/number_traits.h"

namespace numsift {

namespace {

// Sum values of the box: blank-separated decimal items; an item that is not
// a number from 0 to 45 is ignored.
bool killedSums(const HintedText& box, std::uint8_t (&flags)[46]) {
    bool any = false;
    for (std::string_view item : boxItems(box)) {
        if (item.size() > 2) continue;
        int v = 0;
        bool digits = true;
        for (char c : item) {
            if (c < '0' || c > '9') digits = false;
            v = v * 10 + (c - '0');
        }
        if (!digits || v > 45) continue;
        flags[v] = 1;
        any = true;
    }
    return any;
}

}  // namespace

void checkSumSpanKill(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    const NumberTraits& traits = numberTraits();

    std::uint8_t tails[46] = {};
    bool anyTail = false;
    for (int s = 0; s <= 45; ++s)
        if (in.sumTailKill[static_cast<std::size_t>(s % 10)]) tails[s] = 1, anyTail = true;
    if (anyTail) fillFromProperty(t, appendColumn(m, {ConditionId::SumTailKill}), traits.sum, tails);

    std::uint8_t sums[46] = {};
    if (killedSums(in.sumValueKill, sums))
        fillFromProperty(t, appendColumn(m, {ConditionId::SumValueKill}), traits.sum, sums);

    std::uint8_t spans[10] = {};
    bool anySpan = false;
    for (int k = 0; k < 10; ++k)
        if (in.spanKill[static_cast<std::size_t>(k)]) spans[k] = 1, anySpan = true;
    if (anySpan) fillFromProperty(t, appendColumn(m, {ConditionId::SpanKill}), traits.span, spans);

    unsigned killedDigits = 0;
    for (int d = 0; d < 10; ++d)
        if (in.digitKill[static_cast<std::size_t>(d)]) killedDigits |= 1u << d;
    if (killedDigits != 0) {
        std::uint8_t* column = appendColumn(m, {ConditionId::DigitKill});
        const std::uint16_t* mask = traits.digitMask.data();
        const std::uint32_t* v = t.values.data();
        const std::size_t n = t.size();
        if (isWholeSpace(t))
            for (std::size_t i = 0; i < n; ++i) column[i] = (mask[i] & killedDigits) != 0;
        else
            for (std::size_t i = 0; i < n; ++i) column[i] = (mask[v[i]] & killedDigits) != 0;
    }
}

}  // namespace numsift
