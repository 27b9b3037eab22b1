// Any bytes through the number-list parser: no crash, and the laid-out text
// parses back to the same set.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/number_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const numsift::NumberSet set = numsift::parseNumbers(text);
    for (std::size_t i = 1; i < set.values.size(); ++i)
        if (set.values[i - 1] >= set.values[i]) std::abort();
    for (int width : {5, 10}) {
        const std::string out = numsift::formatNumbers(set.values, width);
        if (numsift::parseNumbers(out) != set) std::abort();
    }
    return 0;
}
