#include "engine/number_set_store.h"

namespace numsift {

std::string NumberSetStore::parse(std::string_view text, ParseTarget target, bool formatOnly) {
    NumberSet set = parseNumbers(text);
    const int width = (target == ParseTarget::Base && !formatOnly) ? kBaseLineWidth : kListLineWidth;
    std::string out = formatNumbers(set.values, width);
    if (!formatOnly) {
        if (target == ParseTarget::Base)
            base_ = std::move(set);
        else
            sets_[side_] = std::move(set);
    }
    return out;
}

const NumberSet& NumberSetStore::intersection(int side) const {
    return sets_[side < 0 ? side_ : (side > 0 ? 1 : 0)];
}

void NumberSetStore::clearIntersection(int side) { sets_[side < 0 ? side_ : (side > 0 ? 1 : 0)] = {}; }

}  // namespace numsift
