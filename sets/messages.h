#pragma once
// The texts of the messages the number-set tools show (UTF-8, CR LF breaks).

namespace numsift::sets {

inline constexpr const char* kImportTitle = "导入提示";
inline constexpr const char* kImportFormatText =
    "选择的文件无内容，或不符合导入格式要求！\r\n\r\n"
    "导入的文件内容格式为 0000 1111 78901，\r\n"
    "号码之间可以是空格，逗号，分号，竖线或回车。";
// Followed by the file's path, then the reason on the next line, then after
// an empty line what stays as it was in the box the file was meant for.
inline constexpr const char* kImportUnreadablePrefix = "无法导入文件：";
inline constexpr const char* kBaseUnchanged = "大底号码和注数保持不变。";
inline constexpr const char* kJoinAUnchanged = "五星大底A的号码和注数保持不变。";
inline constexpr const char* kJoinBUnchanged = "五星大底B的号码和注数保持不变。";
inline constexpr const char* kKillListUnchanged = "杀直选号码保持不变。";

inline constexpr const char* kMissingA = "请粘贴或导入大底A号码！";
inline constexpr const char* kMissingB = "请粘贴或导入大底B号码！";
inline constexpr const char* kEmptyResult = "很遗憾！交集运算后结果为0注。 ";
inline constexpr const char* kOperationDone = "交集运算完成！最后结果注数 ";

inline constexpr const char* kCopied = "号码已复制。";
inline constexpr const char* kNothingToCopy = "最终注数为 0，请先进行交集合并！";

inline constexpr const char* kTextFileFilter = "文本文件|*.txt";

}  // namespace numsift::sets
