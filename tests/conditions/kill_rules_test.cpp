// Kill rules in scheme files: the rules key read and written, its errors
// naming the item, and the 杀码公式 as the player writes it.
#include <gtest/gtest.h>

#include "conditions/kill_rules.h"
#include "conditions/scheme.h"

namespace numsift {
namespace {

const char* kWithRules = R"({"numsift": 1, "rules": [
  {"kill": "pos1", "by": "cold"},
  {"kill": "any", "by": "hot", "count": 2},
  {"kill": "sumtail", "by": "repeat"},
  {"kill": "span", "by": "formula", "formula": "3*d1 + d5 + 7"},
  {"kill": "pos5", "by": "best-formula", "window": 200}]})";

TEST(KillRulesKey, LoadsEveryKindWithItsDefaultsAndRoundTrips) {
    const SchemeLoad load = loadScheme(kWithRules);
    ASSERT_TRUE(load.ok) << load.error;
    const std::vector<KillRule>& r = load.scheme.rules;
    ASSERT_EQ(r.size(), 5u);
    EXPECT_EQ(r[0], (KillRule{RuleFamily::Pos1, RuleKind::Cold, 1, 0, {}}));
    EXPECT_EQ(r[1], (KillRule{RuleFamily::Any, RuleKind::Hot, 2, 30, {}}));
    EXPECT_EQ(r[2], (KillRule{RuleFamily::SumTail, RuleKind::Repeat, 1, 0, {}}));
    EXPECT_EQ(r[3].formula.coefficients, (std::array<std::uint8_t, 8>{3, 0, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(r[3].formula.constant, 7);
    EXPECT_EQ(r[4], (KillRule{RuleFamily::Pos5, RuleKind::BestFormula, 1, 200, {}}));

    const std::string saved = saveScheme(load.scheme);
    EXPECT_NE(saved.find("  \"rules\": [\n"
                         "    {\"kill\": \"pos1\", \"by\": \"cold\", \"count\": 1},\n"
                         "    {\"kill\": \"any\", \"by\": \"hot\", \"count\": 2, \"window\": 30},\n"
                         "    {\"kill\": \"sumtail\", \"by\": \"repeat\"},\n"
                         "    {\"kill\": \"span\", \"by\": \"formula\", \"formula\": \"3*d1 + d5 + 7\"},\n"
                         "    {\"kill\": \"pos5\", \"by\": \"best-formula\", \"window\": 200}\n  ],\n"),
              std::string::npos)
        << saved;
    const SchemeLoad again = loadScheme(saved);
    ASSERT_TRUE(again.ok) << again.error;
    EXPECT_EQ(again.scheme, load.scheme);
    // A scheme without rules is written as before the key existed.
    EXPECT_EQ(saveScheme(emptyScheme()).find("rules"), std::string::npos);
}

TEST(KillRulesKey, ErrorsNameTheItemAndNothingIsLoaded) {
    const std::pair<const char*, const char*> cases[] = {
        {R"("rules": {})", "rules: 应为数组，实际是对象"},
        {R"("rules": [3])", "rules[0]: 应为对象，实际是数字"},
        {R"("rules": [{"by": "cold"}])", "rules[0]: 缺少 kill（pos1–pos5、any、sumtail、span）"},
        {R"("rules": [{"kill": "pos1"}])", "rules[0]: 缺少 by（cold、hot、repeat、formula、best-formula）"},
        {R"("rules": [{"kill": "pos1", "by": "cold"}, {"kill": "pos6", "by": "cold"}])",
         "rules[1].kill: \"pos6\" 不是规则能杀的项目（pos1–pos5、any、sumtail、span）"},
        {R"("rules": [{"kill": "any", "by": "warm"}])",
         "rules[0].by: \"warm\" 不是规则（cold、hot、repeat、formula、best-formula）"},
        {R"("rules": [{"kill": "any", "by": "cold", "count": 10}])", "rules[0].count: 应为 1–9 的整数"},
        {R"("rules": [{"kill": "any", "by": "hot", "window": 1.5}])", "rules[0].window: 应为 1–1000 的整数"},
        {R"("rules": [{"kill": "any", "by": "hot", "count": "2"}])",
         "rules[0].count: 应为整数，实际是字符串"},
        {R"("rules": [{"kill": "any", "by": "repeat", "count": 2}])", "rules[0].count: 只用于 cold 和 hot"},
        {R"("rules": [{"kill": "any", "by": "cold", "window": 20}])",
         "rules[0].window: 只用于 hot 和 best-formula"},
        {R"("rules": [{"kill": "any", "by": "cold", "formula": "d1"}])", "rules[0].formula: 只用于 formula"},
        {R"("rules": [{"kill": "any", "by": "formula"}])",
         "rules[0]: 缺少 formula（例如 \"3*d1 + d5 + 7\"）"},
        {R"("rules": [{"kill": "any", "by": "formula", "formula": "3*d6 + 1"}])",
         "rules[0].formula: \"3*d6\" 不是公式的项（k*F、F 或整数 k，F 为 d1–d5、sum、span、tail）"},
        {R"("rules": [{"kill": "any", "by": "cold", "colour": 1}])", "rules[0]: \"colour\" 是未知的键"},
    };
    for (const auto& [rules, error] : cases) {
        const SchemeLoad load =
            loadScheme(std::string(R"({"numsift": 1, "sumTailKill": "5", )") + rules + "}");
        EXPECT_FALSE(load.ok) << rules;
        EXPECT_EQ(load.error, error) << rules;
        EXPECT_EQ(load.scheme, emptyScheme()) << rules;
    }
}

TEST(KillRulesKey, AtMostSixtyFourRules) {
    std::string rules;
    for (int i = 0; i < 65; ++i) rules += std::string(i ? ", " : "") + R"({"kill": "span", "by": "repeat"})";
    const SchemeLoad over = loadScheme(R"({"numsift": 1, "rules": [)" + rules + "]}");
    EXPECT_EQ(over.error, "rules: 最多 64 条规则，实际有 65 条");
    const SchemeLoad full =
        loadScheme(R"({"numsift": 1, "rules": [)" + rules.substr(rules.find("}, ") + 3) + "]}");
    ASSERT_TRUE(full.ok) << full.error;
    EXPECT_EQ(full.scheme.rules.size(), 64u);
}

TEST(KillFormulaText, TermsAreReadModTenAndWrittenInTermOrder) {
    const auto read = [](const char* text) {
        const FormulaRead r = readKillFormula(text);
        return r.formula ? killFormulaText(*r.formula) : "error: " + r.error;
    };
    EXPECT_EQ(read("3*d1 + d5 + 7"), "3*d1 + d5 + 7");
    EXPECT_EQ(read(" 7+d5 +3 * D1 "), "3*d1 + d5 + 7");
    EXPECT_EQ(read("13*sum + tail + 2*tail + 25 + 9"), "3*sum + 3*tail + 4");
    EXPECT_EQ(read("span + 9*span"), "0");
    EXPECT_EQ(read("d2 + d3 + d4"), "d2 + d3 + d4");
    EXPECT_EQ(read(""), "error: 公式为空（例如 3*d1 + d5 + 7）");
    EXPECT_EQ(read("d1 + + 2"), "error: \"d1 + + 2\" 中有空的项（项之间用 + 连接）");
    EXPECT_EQ(read("d1 - 2"),
              "error: \"d1 - 2\" 不是公式的项（k*F、F 或整数 k，F 为 d1–d5、sum、span、tail）");
    EXPECT_EQ(read("x*d1"), "error: \"x*d1\" 不是公式的项（k*F、F 或整数 k，F 为 d1–d5、sum、span、tail）");
}

TEST(KillRuleCaption, SaysFamilyKindAndParameters) {
    EXPECT_EQ(killRuleCaption({RuleFamily::Pos1, RuleKind::Cold, 2, 0, {}}), "万位 冷号 2 个");
    EXPECT_EQ(killRuleCaption({RuleFamily::Any, RuleKind::Hot, 1, 30, {}}), "通杀码 热号 1 个（近 30 期）");
    EXPECT_EQ(killRuleCaption({RuleFamily::SumTail, RuleKind::Repeat, 1, 0, {}}), "和尾 重复上期");
    EXPECT_EQ(killRuleCaption({RuleFamily::Span, RuleKind::Formula, 1, 0, *readKillFormula("d1+1").formula}),
              "跨度 公式 d1 + 1");
    EXPECT_EQ(killRuleCaption({RuleFamily::Pos5, RuleKind::BestFormula, 1, 100, {}}),
              "个位 最优公式（近 100 期）");
}

}  // namespace
}  // namespace numsift
