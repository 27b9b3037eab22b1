#include "engine/number_list.h"

#include <algorithm>

#include "engine/number.h"

namespace numsift {

std::size_t separatorLength(std::string_view text, std::size_t i) {
    const auto c = static_cast<unsigned char>(text[i]);
    switch (c) {
        case ' ':
        case '\r':
        case '\n':
        case ',':
        case ';':
        case '|':
        case '\t':
        case '.': return 1;
        default: break;
    }
    if (i + 2 < text.size()) {
        const auto c1 = static_cast<unsigned char>(text[i + 1]);
        const auto c2 = static_cast<unsigned char>(text[i + 2]);
        if (c == 0xE3 && c1 == 0x80 && c2 == 0x81) return 3;                  // 、
        if (c == 0xEF && c1 == 0xBC && (c2 == 0x8C || c2 == 0x9B)) return 3;  // ， ；
    }
    return 0;
}

namespace {

// Calls take(value) for every valid token of text, in text order.
template <class Take>
void forEachNumber(std::string_view text, Take&& take) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        if (const std::size_t sep = separatorLength(text, i)) {
            i += sep;
            continue;
        }
        // A token runs to the next separator.
        const std::size_t start = i;
        std::uint32_t value = 0;
        bool digits = true;
        while (i < n && separatorLength(text, i) == 0) {
            const char ch = text[i];
            if (ch < '0' || ch > '9')
                digits = false;
            else if (i - start < 5)
                value = value * 10 + static_cast<std::uint32_t>(ch - '0');
            ++i;
        }
        if (digits && i - start == 5) take(value);
    }
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
