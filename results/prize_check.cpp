#include "results/prize_check.h"

namespace numsift {

std::string prizeFoundMessage(std::string_view number) {
    return "恭喜您！结果中包含奖号 " + std::string(number) + " ！";
}

CleanedDrawnNumber cleanDrawnNumber(std::string_view boxText) {
    std::size_t b = 0, e = boxText.size();
    while (b < e && boxText[b] == ' ') ++b;
    while (e > b && boxText[e - 1] == ' ') --e;
    CleanedDrawnNumber out;
    for (std::size_t i = b; i < e; ++i)
        if (boxText[i] != '.') out.text += boxText[i];
    if (out.text.empty()) return out;
    bool digits = out.text.size() == 5;
    for (char c : out.text) digits = digits && c >= '0' && c <= '9';
    out.state = digits ? DrawnNumberState::Valid : DrawnNumberState::Rejected;
    return out;
}

bool prizeCheckEnabled(std::string_view boxText) {
    // Characters, not bytes: count the UTF-8 lead bytes.
    int chars = 0;
    for (unsigned char c : boxText)
        if ((c & 0xC0) != 0x80) ++chars;
    return chars == kDrawnNumberMaxLength;
}

std::optional<std::size_t> findDrawnNumber(std::span<const std::uint32_t> values,
                                           std::string_view fiveDigits) {
    if (fiveDigits.size() != 5) return std::nullopt;
    std::uint32_t drawn = 0;
    for (char c : fiveDigits) {
        if (c < '0' || c > '9') return std::nullopt;
        drawn = drawn * 10 + static_cast<std::uint32_t>(c - '0');
    }
    for (std::size_t i = 0; i < values.size(); ++i)
        if (values[i] == drawn) return i;
    return std::nullopt;
}

}  // namespace numsift
