// Any text through the entry normaliser of a box: no crash, and what the
// normaliser returns is accepted silently when validated again. The first
// byte picks the box ('0'..'7' the compound boxes, '8' the sum-value box;
// any byte picks one), the rest is the text: one box per input keeps the
// rate high, and the fuzzer reaches every box through that byte.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "conditions/entry_syntax.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned box = static_cast<std::uint8_t>(data[0] - '0') % 9u;
    const numsift::NormaliserParams& p = box < 8 ? numsift::kComposeParams[box] : numsift::kSumValueParams;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

    const numsift::ValidationDecision d = numsift::validateEntry(text, p, "");
    const numsift::ValidationDecision again = numsift::validateEntry(d.normalised, p, "");
    if (!again.accepted) std::abort();
    if (numsift::canonicaliseSeparators(again.normalised) != numsift::canonicaliseSeparators(d.normalised))
        std::abort();
    (void)numsift::lostFocusDisplay(text, "12 34");
    return 0;
}
