#include "engine/number_list.h"

#include <algorithm>

#include "engine/number.h"

namespace numsift {

namespace {

// Calls take(value) for every valid token of text, in text order.
template <class Take>
void forEachNumber(std::string_view text, Take&& take) {
    forEachToken(text, [&take](std::string_view token) {
        if (const auto value = numberOfToken(token)) take(*value);
    });
}

// Below this many bytes a text has at most a few thousand tokens (each
// takes five bytes and a separator): sorting them is cheaper than clearing
// and reading the 100,000 flags.
constexpr std::size_t kSortedParseBytes = 16 * 1024;

}  // namespace

std::size_t markNumbers(std::string_view text, std::uint8_t* seen) {
    std::size_t count = 0;
    forEachNumber(text, [&](std::uint32_t value) {
        if (!seen[value]) {
            seen[value] = 1;
            ++count;
        }
    });
    return count;
}

NumberSet parseNumbers(std::string_view text) {
    NumberSet set;
    if (text.size() < kSortedParseBytes) {
        set.values.reserve(text.size() / 6 + 1);
        forEachNumber(text, [&](std::uint32_t value) { set.values.push_back(value); });
        std::sort(set.values.begin(), set.values.end());
        set.values.erase(std::unique(set.values.begin(), set.values.end()), set.values.end());
        return set;
    }
    std::vector<std::uint8_t> seen(kNumberSpace, 0);
    const std::size_t count = markNumbers(text, seen.data());
    set.values.reserve(count);
    if (count)
        for (std::uint32_t v = 0; v < kNumberSpace; ++v)
            if (seen[v]) set.values.push_back(v);
    return set;
}

std::string formatNumbers(const std::uint32_t* values, std::size_t count, int width) {
    if (count == 0) return {};
    const std::size_t w = width < 1 ? count : static_cast<std::size_t>(width);
    const std::size_t breaks = (count - 1) / w;
    std::string out(count * 5 + (count - 1) + breaks * 2, ' ');
    char* p = out.data();
    for (std::size_t i = 0; i < count; ++i) {
        if (i) {
            *p++ = ' ';
            if (i % w == 0) {
                *p++ = '\r';
                *p++ = '\n';
            }
        }
        writeNumber(values[i], p);
        p += 5;
    }
    return out;
}

std::string formatNumbers(const std::vector<std::uint32_t>& values, int width) {
    return formatNumbers(values.data(), values.size(), width);
}

}  // namespace numsift
