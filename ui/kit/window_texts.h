#pragma once
// Message texts of the window (UTF-8, lines joined by CR LF).

namespace numsift::ui::texts {

inline constexpr const char* kBankerCountRefused = "选择的胆码个数不对！个数不能大于已选择的胆码数量！";

inline constexpr const char* kBankerHelp =
    "胆组说明\r\n"
    "建议新手只输入一行胆码，\r\n"
    "如果输入多行胆码，则缩水结果就是多行胆码的【交集】，\r\n"
    "输入多行胆码也叫号码匹配\r\n"
    "-------------------------------------------------------------\r\n"
    "【胆码开出个数】是表示你选的胆码会开出多少个，可多选几个,如不选择则至少开出一个胆\r\n"
    "比如选12589这几个号码为胆，胆码开出个数选择开出2、3个\r\n"
    "则缩水后的号码里必须含有12589其中的2、3个胆码，多于或少于2、3个胆码都算错\r\n"
    "-------------------------------------------------------------\r\n"
    "【胆码计重】比如选9为胆，如选择胆码计重则99算2胆、999算3胆\r\n"
    "如不选择胆码计重，则重复的胆码算一胆，比如选9为胆，99 、999都只算一胆";

inline constexpr const char* kShapesHelp =
    "特别排除说明\r\n"
    "【上山】是指万≤千≤百≤十≤个，但万<个的号码，如00003、12578等\r\n"
    "【下山】是指万≥千≥百≥十≥个，但万>个的号码，如30000、87521等\r\n"
    "以下连号的数字可不挨在一起\r\n"
    "【2连】是指含有01、12、23等组合的号码，但不包含012、123等组合的三连或四连号码\r\n"
    "【3连】是指含有012、123等组合的号码，但不包含0123、1234等组合的四连号码\r\n"
    "【ABCDE】是指五个不同的数字，如21684、12345等号码\r\n"
    "【AABCD】是指11546、14561等的号码\r\n"
    "【AABBC】是指11225、12152等的号码\r\n"
    "【AAABC】是指11154、15141等的号码\r\n"
    "【AAABB】是指11155、15115等的号码\r\n"
    "【AAAAB】是指11115、15111等的号码\r\n"
    "【AAAAA】是指11111、88888等的号码";

inline constexpr const char* kStatusIdle = "未开始过滤";
inline constexpr const char* kStatusRunning = "开始过滤。。。";
inline constexpr const char* kStatusDone = "过滤完毕！";

}  // namespace numsift::ui::texts
