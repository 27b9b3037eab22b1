#pragma once
// Kill rules ("规则杀号"): a player's daily way of choosing kills from the
// draws so far — the coldest digit at 万位, last draw's sum tail, a 杀码公式
// such as (3·万位 + 个位 + 7) mod 10, or the formula that would have killed
// best over the last draws. A rule names one family of values 0–9 (a
// position's digit, a digit anywhere, the sum tail or the span) and how its
// values for the next draw are chosen; analysis/kill_rules.h computes them
// from a history. A scheme holds its rules under the key "rules" (read and
// written here), and a run adds each rule's values to its family's control.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace numsift {

namespace json {
struct Value;
}

// The values a rule kills: which control of the panel they go to.
enum class RuleFamily : std::uint8_t {
    Pos1,     // 万位 digit (定位杀 row 1)
    Pos2,     // 千位
    Pos3,     // 百位
    Pos4,     // 十位
    Pos5,     // 个位
    Any,      // a digit anywhere (通杀码)
    SumTail,  // sum mod 10 (杀和尾)
    Span,     // largest minus smallest digit (杀跨度)
};
inline constexpr int kRuleFamilyCount = 8;

enum class RuleKind : std::uint8_t {
    Cold,         // the count values missing longest
    Hot,          // the count values seen most often in the last window draws
    Repeat,       // the previous draw's value(s)
    Formula,      // a 杀码公式 over the previous draw
    BestFormula,  // the formula (a·X + b·Y + c) that killed best over the last window draws
};

// What a formula reads of the previous draw, in the order the formula search
// pairs them: the five digits, the sum (0–45), the span and the sum tail.
inline constexpr int kFormulaTermCount = 8;

// Σ coefficient·term + constant, taken mod 10; coefficients and constant are
// held mod 10, so equal formulas compare equal however they were written.
struct KillFormula {
    std::array<std::uint8_t, kFormulaTermCount> coefficients{};
    std::uint8_t constant = 0;

    bool operator==(const KillFormula&) const = default;
};

struct KillRule {
    RuleFamily family = RuleFamily::Pos1;
    RuleKind kind = RuleKind::Cold;
    int count = 1;        // cold, hot: how many values, 1–9; 1 for the other kinds
    int window = 0;       // hot (default 30), best-formula (default 100): draws looked at, 1–1000; else 0
    KillFormula formula;  // formula only

    bool operator==(const KillRule&) const = default;
};

inline constexpr std::size_t kMaxKillRules = 64;
inline constexpr int kMaxRuleCount = 9;
inline constexpr int kMaxRuleWindow = 1000;
inline constexpr int kDefaultHotWindow = 30;
inline constexpr int kDefaultBestFormulaWindow = 100;

// "pos1".."pos5", "any", "sumtail", "span" and back.
std::string_view ruleFamilyKey(RuleFamily family);
std::optional<RuleFamily> ruleFamilyOfKey(std::string_view key);
// "cold", "hot", "repeat", "formula", "best-formula" and back.
std::string_view ruleKindKey(RuleKind kind);
std::optional<RuleKind> ruleKindOfKey(std::string_view key);

// "万位", "千位", "百位", "十位", "个位", "通杀码", "和尾", "跨度".
std::string_view ruleFamilyCaption(RuleFamily family);

// What the window and reports call a rule: "万位 冷号 1 个", "通杀码 热号 2 个
// （近 30 期）", "和尾 重复上期", "跨度 公式 3*d1 + d5 + 7", "个位 最优公式（近
// 100 期）".
std::string killRuleCaption(const KillRule& rule);

// "d1", "d2", "d3", "d4", "d5", "sum", "span", "tail".
std::string_view formulaTermName(int term);

// A formula as written in a scheme: terms "k*F", "F" or "k" joined by "+"
// (blanks anywhere between), F one of the term names (any letter case), k a
// whole number. error says what is wrong when formula is empty.
struct FormulaRead {
    std::optional<KillFormula> formula;
    std::string error;
};
FormulaRead readKillFormula(std::string_view text);

// The formula in the form a scheme is written with: terms in term order,
// coefficient 1 left out, zero terms dropped, the constant last ("3*d1 + d5 +
// 7"); "0" for the formula that is always 0.
std::string killFormulaText(const KillFormula& formula);

// The scheme key "rules": an array of at most kMaxKillRules objects
// {"kill": FAMILY, "by": KIND, "count": N, "window": N, "formula": TEXT}.
// error names the item as every scheme error does ("rules[2].count: 应为
// 1–9 的整数"); a key that does not apply to the rule's kind is an error, so
// nothing in a file is silently without effect.
struct RulesRead {
    std::vector<KillRule> rules;
    std::string error;
};
RulesRead readKillRules(const json::Value& value);

// The value of the key as saveScheme writes it: one rule object a line,
// only the keys that apply to its kind.
std::string killRulesJson(const std::vector<KillRule>& rules);

}  // namespace numsift
