#pragma once
// Two play records for the tests of the record file: a set written as a
// list, and a larger one written as bits, with a scheme beside it.

#include <string>

#include "analysis/play_ledger.h"

namespace numsift::testdata {

inline PlayRecord sampleRecord(std::string issue, std::uint32_t count, std::uint32_t step, int multiple) {
    PlayRecord r;
    r.issue = std::move(issue);
    r.time = "2026-05-01 20:30:00";
    for (std::uint32_t i = 0; i < count; ++i) r.set.values.push_back(i * step);
    r.multiple = multiple;
    return r;
}

inline PlayRecord recordA() { return sampleRecord("2026121", 2000, 17, 1); }

inline PlayRecord recordB() {
    PlayRecord r = sampleRecord("2026122", 3000, 31, 5);
    r.scheme = "{\n  \"numsift\": 1,\n  \"tolerance\": [0, 1]\n}\n";
    return r;
}

}  // namespace numsift::testdata
