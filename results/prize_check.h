#pragma once
// Prize check: whether the result set holds a drawn number, position by
// position. The drawn number is cleaned first (blanks at the ends and every
// "." removed) and must then be five digits.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace numsift {

inline constexpr int kDrawnNumberMaxLength = 5;
inline constexpr const char* kDrawnNumberRejected = "请输入5位数字组成的奖号！";
inline constexpr const char* kPrizeNotFound = "很遗憾，结果中没有这个奖号。";
// "恭喜您！结果中包含奖号 " + number + " ！"
std::string prizeFoundMessage(std::string_view number);

enum class DrawnNumberState {
    Empty,     // nothing left after cleaning: the box is emptied, no message
    Valid,     // five digits
    Rejected,  // anything else: message, focus stays, text selected
};

struct CleanedDrawnNumber {
    DrawnNumberState state = DrawnNumberState::Empty;
    std::string text;  // the cleaned text (box text for Empty and Valid)
};

CleanedDrawnNumber cleanDrawnNumber(std::string_view boxText);

// The check button is enabled exactly when the box holds five characters.
bool prizeCheckEnabled(std::string_view boxText);

// Index of the first result equal to the five-digit text, if any.
std::optional<std::size_t> findDrawnNumber(std::span<const std::uint32_t> values,
                                           std::string_view fiveDigits);

}  // namespace numsift
