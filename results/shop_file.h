#pragma once
// The 单式 file a lottery shop's terminal takes ("导出单式"): one bet a line,
// its five digits, every line ending in CR LF, and nothing else — no blank
// line, no BOM, no number twice. Its name carries the issue and the
// multiple the player means to buy: "单式_2026121期_5倍.txt".

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace numsift {

// The multiples a shop slip takes.
inline constexpr int kMinMultiple = 1;
inline constexpr int kMaxMultiple = 99;

struct ShopFile {
    std::string name;   // the file name to offer
    std::string text;   // the bytes to write
    std::string error;  // why there is nothing to write; empty when there is

    bool ok() const { return error.empty(); }
};

// The file for numbers (in their order), the issue (ASCII digits) and the
// multiple. Refused, with a short Chinese reason: no numbers, an issue that
// is not digits, a multiple outside 1–99, or a text that does not pass
// shopFileProblem (a value above 99999, a number twice).
ShopFile shopFile(std::span<const std::uint32_t> numbers, std::string_view issue, int multiple);

// What keeps text from being a shop file: "第 3 行不是五位数字", "第 7 行与第 2
// 行重复", "没有号码"; empty when it is one.
std::string shopFileProblem(std::string_view text);

}  // namespace numsift
