#include "results/result_copy.h"

#include "engine/number.h"

namespace numsift {

std::string copyAllMessage(int count) {
    return "所有结果共" + std::to_string(count) + "注，已复制到剪贴板。";
}

std::string ResultData::GetData(int index) const {
    if (index < 0 || index >= count()) return {};
    return numberText((*values_)[static_cast<std::size_t>(index)] % kNumberSpace);
}

std::string BuildCopyResult(const DataProvider& data, int first, int last, int width) {
    if (first < 0 || last < first || last >= data.count()) return {};
    const std::size_t n = static_cast<std::size_t>(last - first) + 1;
    const std::size_t w = width < 1 ? n : static_cast<std::size_t>(width);
    std::string out;
    out.reserve(n * 6 + (n / w) * 2);
    for (std::size_t i = 0; i < n; ++i) {
        if (i) {
            out += ' ';
            if (i % w == 0) out += "\r\n";
        }
        out += data.GetData(first + static_cast<int>(i));
    }
    return out;
}

}  // namespace numsift
