#pragma once
// The grey hint texts of the boxes that have one (CR LF line breaks). A box
// whose text equals its hint counts as empty.

#include <string>

namespace numsift::hints {

extern const std::string kCompose[8];    // txtCompose(0..7); 1, 2, 4, 5 empty
extern const std::string kSumValue;      // txtHKD
extern const std::string kStraightKill;  // txtDan5

}  // namespace numsift::hints
