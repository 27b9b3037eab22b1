// Any bytes through the scheme loader: no crash, and a scheme that loads is
// saved and loaded again to the same state and the same text.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "conditions/scheme.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view json(reinterpret_cast<const char*>(data), size);
    const numsift::SchemeLoad first = numsift::loadScheme(json);
    if (!first.ok) {
        if (first.error.empty()) std::abort();  // a refusal always says why
        return 0;
    }
    const std::string saved = numsift::saveScheme(first.scheme);
    const numsift::SchemeLoad second = numsift::loadScheme(saved);
    if (!second.ok || !(second.scheme == first.scheme)) std::abort();
    if (numsift::saveScheme(second.scheme) != saved) std::abort();
    return 0;
}
