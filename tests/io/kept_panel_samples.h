#pragma once
// Two different kept panels: conditions of several kinds, a tolerance, and
// number sets large enough that a save takes many write chunks.

#include <cstdint>
#include <string>

#include "io/kept_panel_file.h"

namespace numsift::testdata {

inline Scheme sampleScheme(int tolerance, const std::string& compoundKill2) {
    const std::string json = "{\"numsift\": 1, \"tolerance\": [0, " + std::to_string(tolerance) +
                             "], \"positionalKill\": [\"0\", \"\", \"\", \"5\", \"59\"], "
                             "\"sumTailKill\": \"05\", \"shapeKill\": [\"AAAAA\", \"5连\"], "
                             "\"acKill\": [1, 2], \"compound\": {\"kill2\": \"" +
                             compoundKill2 + "\", \"positional\": \"12***\\n1***7\"}}";
    return loadScheme(json).scheme;
}

inline NumberSet everyNth(std::uint32_t step, std::uint32_t offset) {
    NumberSet set;
    for (std::uint32_t v = offset; v < 100000; v += step) set.values.push_back(v);
    return set;
}

inline KeptPanel panelA() {
    return KeptPanel{sampleScheme(1, "23 45"), everyNth(1, 0), everyNth(3, 1), everyNth(7, 2)};
}

inline KeptPanel panelB() {
    return KeptPanel{sampleScheme(2, "12"), everyNth(2, 1), everyNth(5, 0), NumberSet{}};
}

}  // namespace numsift::testdata
