// Any text through the entry normaliser of every box: no crash, and what the
// normaliser returns is accepted silently when validated again.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "conditions/entry_syntax.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto check = [&](const numsift::NormaliserParams& p) {
        const numsift::ValidationDecision d = numsift::validateEntry(text, p, "");
        const numsift::ValidationDecision again = numsift::validateEntry(d.normalised, p, "");
        if (!again.accepted) std::abort();
        if (numsift::canonicaliseSeparators(again.normalised) !=
            numsift::canonicaliseSeparators(d.normalised))
            std::abort();
        (void)numsift::lostFocusDisplay(text, "12 34");
    };
    for (const auto& p : numsift::kComposeParams) check(p);
    check(numsift::kSumValueParams);
    return 0;
}
