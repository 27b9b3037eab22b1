#include "results/shop_file.h"

#include <vector>

#include "engine/number.h"
#include "engine/number_list.h"

namespace numsift {

namespace {

bool allDigits(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

ShopFile shopFile(std::span<const std::uint32_t> numbers, std::string_view issue, int multiple) {
    ShopFile file;
    if (numbers.empty()) {
        file.error = "没有号码，无法导出单式";
        return file;
    }
    if (!allDigits(issue)) {
        file.error = "期号应为数字";
        return file;
    }
    if (multiple < kMinMultiple || multiple > kMaxMultiple) {
        file.error = "倍数应为 1–99";
        return file;
    }
    file.text.resize(numbers.size() * 7);
    char* p = file.text.data();
    for (const std::uint32_t v : numbers) {
        // A value above 99999 is written as "?????" so the check below names its line.
        if (v < kNumberSpace)
            writeNumber(v, p);
        else
            std::fill(p, p + 5, '?');
        p[5] = '\r';
        p[6] = '\n';
        p += 7;
    }
    const std::string problem = shopFileProblem(file.text);
    if (!problem.empty()) {
        file.text.clear();
        file.error = "单式文件未通过检查：" + problem;
        return file;
    }
    file.name = "单式_" + std::string(issue) + "期_" + std::to_string(multiple) + "倍.txt";
    return file;
}

std::string shopFileProblem(std::string_view text) {
    if (text.empty()) return "没有号码";
    std::vector<int> lineOf(kNumberSpace, 0);
    int line = 0;
    for (std::size_t at = 0; at < text.size(); at += 7) {
        ++line;
        const std::string_view bet = text.substr(at, 7);
        const std::optional<std::uint32_t> v = numberOfToken(bet.substr(0, 5));
        if (!v) return "第 " + std::to_string(line) + " 行不是五位数字";
        if (bet.size() < 7 || bet[5] != '\r' || bet[6] != '\n')
            return "第 " + std::to_string(line) + " 行不以 CR LF 结尾";
        if (lineOf[*v])
            return "第 " + std::to_string(line) + " 行与第 " + std::to_string(lineOf[*v]) + " 行重复";
        lineOf[*v] = line;
    }
    return {};
}

}  // namespace numsift
