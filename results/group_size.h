#pragma once
// The group-size rule of the box "每个按键设置为 … 注号码": the box text is
// read as a leading number, rounded (halves to even) and kept within
// 1000–100000; a changed value rebuilds the page buttons.

#include <optional>
#include <string>
#include <string_view>

namespace numsift {

inline constexpr int kMinGroupSize = 1000;
inline constexpr int kMaxGroupSize = 100000;
inline constexpr int kStartGroupSize = 3000;   // the box text at start
inline constexpr int kGroupSizeMaxLength = 6;  // characters the box accepts

inline constexpr const char* kGroupSizeBelowMessage =
    "分组注数输入范围 1000-100000 ！\r\n\r\n当前输入低于下限，已自动设置为1000！";
inline constexpr const char* kGroupSizeAboveMessage =
    "分组注数输入范围 1000-100000 ！\r\n\r\n当前输入超出上限，已自动设置为100000！";

struct GroupSizeDecision {
    int value = kMinGroupSize;           // the size to use
    std::string boxText;                 // written back into the box
    bool rebuild = false;                // value differs from the size the buttons show
    std::optional<std::string> message;  // shown (exclamation) after the rebuild
};

// appliedGroupSize: the size the current page buttons were built with.
GroupSizeDecision decideGroupSize(std::string_view boxText, int appliedGroupSize);

}  // namespace numsift
