#include "analysis/explain.h"

#include <algorithm>

#include "conditions/run_order.h"

namespace numsift {

std::vector<CheckVerdict> Explanation::failedChecks() const {
    std::vector<CheckVerdict> out;
    for (const CheckVerdict& c : checks)
        if (c.failed) out.push_back(c);
    return out;
}

Explanation explain(std::span<const RunStep> steps, const FilterInput& input, const NumberSet& base,
                    Tolerance tolerance, std::uint32_t value) {
    Explanation e;
    e.value = value % kNumberSpace;
    e.tolerance = tolerance;
    e.baseUsed = !base.empty();
    e.inBase = !e.baseUsed || std::binary_search(base.values.begin(), base.values.end(), e.value);

    NumberSet one;
    one.values.push_back(e.value);
    const RunResult run = runChecks(steps, input, one, tolerance);
    for (const CheckColumn& col : run.matrix.columns()) {
        const bool failed = !col.marks.empty() && col.marks[0] != 0;
        e.checks.push_back(CheckVerdict{col.step, col.caption, failed, col.id});
        e.failCount += failed ? 1 : 0;
    }
    e.withinTolerance = e.failCount >= tolerance.lower && e.failCount <= tolerance.upper;
    e.survives = e.inBase && e.withinTolerance;
    return e;
}

Explanation explain(const FilterInput& input, const NumberSet& base, Tolerance tolerance,
                    std::uint32_t value) {
    return explain(runOrder(), input, base, tolerance, value);
}

std::optional<std::uint32_t> parseSingleNumber(std::string_view text) {
    std::uint32_t value = 0;
    int digits = 0;
    bool ended = false;  // blanks after the digits
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        int d = -1;
        std::size_t len = 1;
        if (c >= '0' && c <= '9') {
            d = c - '0';
        } else if (c == 0xEF && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xBC &&
                   static_cast<unsigned char>(text[i + 2]) >= 0x90 &&
                   static_cast<unsigned char>(text[i + 2]) <= 0x99) {
            d = static_cast<unsigned char>(text[i + 2]) - 0x90;
            len = 3;
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            if (digits > 0) ended = true;
        } else if (c == 0xE3 && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x80 &&
                   static_cast<unsigned char>(text[i + 2]) == 0x80) {  // ideographic space
            if (digits > 0) ended = true;
            len = 3;
        } else {
            return std::nullopt;
        }
        if (d >= 0) {
            if (ended || ++digits > 5) return std::nullopt;
            value = value * 10 + static_cast<std::uint32_t>(d);
        }
        i += len;
    }
    if (digits != 5) return std::nullopt;
    return value;
}

}  // namespace numsift
