#include "results/group_size.h"

#include "engine/rounding.h"

namespace numsift {

GroupSizeDecision decideGroupSize(std::string_view boxText, int appliedGroupSize) {
    GroupSizeDecision d;
    const double rounded = roundHalfEven(leadingNumber(boxText));
    if (rounded < kMinGroupSize) {
        d.value = kMinGroupSize;
        d.message = kGroupSizeBelowMessage;
    } else if (rounded > kMaxGroupSize) {
        d.value = kMaxGroupSize;
        d.message = kGroupSizeAboveMessage;
    } else {
        d.value = static_cast<int>(rounded);
    }
    d.boxText = std::to_string(d.value);
    d.rebuild = d.value != appliedGroupSize;
    return d;
}

}  // namespace numsift
