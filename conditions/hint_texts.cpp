#include "conditions/hint_texts.h"

namespace numsift::hints {

const std::string kCompose[8] = {
    "输入格式举例：\r\n17*235*12*789*01\r\n\r\n中间用*分开5个位置，每行一个复式",
    "",
    "",
    "输入格式举例：\r\n2406\r\n240613\r\n24061387\r\n\r\n当输入号码超过4个时表示杀输入号码的任意4码组合",
    "",
    "",
    "输入格式举例：\r\n2406\r\n240613\r\n24061387\r\n\r\n当输入号码超过4个时表示必出输入号码的任意4码组合",
    "输入格式举例：\r\n1***7\r\n1**78\r\n1*782\r\n\r\n比如输入12***表示杀12开头的所有号码",
};

const std::string kSumValue = "和数值输入要保持两位数，例如 01 02 03 ...";

const std::string kStraightKill = "在此输入、粘贴或导入要杀的直选号码，例如 12345 54321";

}  // namespace numsift::hints
