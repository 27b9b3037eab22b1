#pragma once
// The three number sets the parser can fill: the base set ("大底") and the two
// sets A and B of the combination page, with the current side (0 = A, 1 = B).

#include <string>
#include <string_view>

#include "engine/number_list.h"

namespace numsift {

enum class ParseTarget { Base, Intersection };

class NumberSetStore {
public:
    // The number-list parser with its target and format-only flag: returns the
    // laid-out text (ten a line only for the base target without formatOnly)
    // and, unless formatOnly, replaces the target slot with the parsed set.
    std::string parse(std::string_view text, ParseTarget target, bool formatOnly);

    const NumberSet& base() const { return base_; }
    void clearBase() { base_ = {}; }
    std::size_t baseCount() const { return base_.size(); }

    // side < 0: the current side; 0: set A; > 0: set B.
    const NumberSet& intersection(int side) const;
    std::size_t intersectionCount(int side) const { return intersection(side).size(); }
    void clearIntersection(int side);

    int currentSide() const { return side_; }
    void setCurrentSide(int side) { side_ = side > 0 ? 1 : 0; }

private:
    NumberSet base_;
    NumberSet sets_[2];
    int side_ = 0;
};

}  // namespace numsift
