#include "engine/number_list.h"

#include "engine/number.h"

namespace numsift {

std::size_t markNumbers(std::string_view text, std::uint8_t* seen) {
    std::size_t count = 0;
    forEachToken(text, [&](std::string_view token) {
        const auto value = numberOfToken(token);
        if (value && !seen[*value]) {
            seen[*value] = 1;
            ++count;
        }
    });
    return count;
}

NumberSet parseNumbers(std::string_view text) {
    std::vector<std::uint8_t> seen(kNumberSpace, 0);
    const std::size_t count = markNumbers(text, seen.data());
    NumberSet set;
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
