// Grouped tolerance in scheme files: the groups key read and written, its
// errors, and files without it exactly as before.
#include <gtest/gtest.h>

#include "conditions/condition_id.h"
#include "conditions/run_order.h"
#include "conditions/scheme.h"

namespace numsift {
namespace {

const char* kGrouped = R"({
  "numsift": 1,
  "tolerance": [0, 1],
  "groups": [{"name": "大类", "tolerance": [3, 1], "conditions": ["杀和尾", "5连", "杀和尾"]},
             {"name": "B", "tolerance": [1, 2], "conditions": ["杀两码"]},
             {"name": "空组"}],
  "sumTailKill": "05",
  "shapeKill": ["5连", "上山"],
  "compound": {"kill2": "23 45"}
})";

TEST(SchemeGroups, GroupsLoadWithTheirCaptionsAsColumns) {
    const SchemeLoad load = loadScheme(kGrouped);
    ASSERT_TRUE(load.ok) << load.error;
    const std::vector<ToleranceGroup>& groups = load.scheme.groups;
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(groups[0].name, "大类");
    EXPECT_EQ(groups[0].tolerance, (Tolerance{1, 1}));  // L > U gives U - U
    EXPECT_EQ(groups[0].columns,
              (std::vector<ColumnId>{{ConditionId::SumTailKill}, {ConditionId::Shapes, kShapeRun5}}));
    EXPECT_EQ(groups[1].columns, std::vector<ColumnId>{{ConditionId::KillTwoCodes}});
    EXPECT_EQ(groups[2].tolerance, (Tolerance{0, 0}));
    EXPECT_TRUE(groups[2].columns.empty());
    EXPECT_EQ(load.scheme.grouping().rest, (Tolerance{0, 1}));

    // The run puts 上山, in no group, with the rest.
    const RunResult r = runFilter(load.scheme.input, {}, load.scheme.grouping());
    std::vector<std::string> sets;
    for (std::size_t c = 0; c < r.matrix.columnCount(); ++c)
        sets.push_back(r.matrix.column(c).caption + ":" + setName(r.grouping(), r.columnSets[c]));
    EXPECT_EQ(sets, (std::vector<std::string>{"杀和尾:大类", "上山:其余条件", "5连:大类", "杀两码:B"}));
}

TEST(SchemeGroups, SavedOnlyWhenThereAreGroupsAndRoundTrips) {
    const SchemeLoad load = loadScheme(kGrouped);
    ASSERT_TRUE(load.ok) << load.error;
    const std::string saved = saveScheme(load.scheme);
    EXPECT_NE(saved.find("  \"groups\": [\n    {\"name\": \"大类\", \"tolerance\": [1, 1], \"conditions\": "
                         "[\"杀和尾\", \"5连\"]},\n"),
              std::string::npos)
        << saved;
    const std::size_t tolerance = saved.find("\"tolerance\": [0, 1]"), groups = saved.find("\n  \"groups\":");
    EXPECT_LT(tolerance, groups);
    const SchemeLoad again = loadScheme(saved);
    ASSERT_TRUE(again.ok) << again.error << "\n" << saved;
    EXPECT_EQ(again.scheme, load.scheme);
    EXPECT_EQ(saveScheme(again.scheme), saved);

    // Without groups the file is what it always was: no groups key at all.
    Scheme plain = load.scheme;
    plain.groups.clear();
    const std::string plainText = saveScheme(plain);
    EXPECT_EQ(plainText.find("\n  \"groups\":"), std::string::npos);  // (banker.groups is another key)
    const SchemeLoad plainBack = loadScheme(plainText);
    ASSERT_TRUE(plainBack.ok);
    EXPECT_TRUE(plainBack.scheme.groups.empty());
    EXPECT_EQ(plainBack.scheme, plain);
}

TEST(SchemeGroups, ErrorsNameTheGroupAndItemAndLoadNothing) {
    const struct {
        const char* groups;
        const char* expected;
    } cases[] = {
        {R"([{"name": "A", "conditions": ["杀和位"]}])", "groups[0].conditions: \"杀和位\" 不是条件的名称"},
        {R"([{"name": "A", "conditions": ["特别排除"]}])",
         "groups[0].conditions: \"特别排除\" 不是条件的名称"},
        {R"([{"name": "A", "conditions": ["5连"]}, {"name": "B", "conditions": ["上山", "5连"]}])",
         "groups[1].conditions: \"5连\" 已在组 \"A\" 中"},
        {R"([{"name": "1"}, {"name": "2"}, {"name": "3"}, {"name": "4"}, {"name": "5"}, {"name": "6"},
             {"name": "7"}, {"name": "8"}, {"name": "9"}])",
         "groups: 最多 8 组，实际有 9 组"},
        {R"([{"name": "A", "tolerance": [0, 100]}])", "groups[0].tolerance: 应为 0–99 的整数"},
        {R"([{"name": "A", "tolerance": [1]}])", "groups[0].tolerance: 应为 [下限, 上限]"},
        {R"([{"name": "A", "tolerance": [0.5, 1]}])", "groups[0].tolerance: 应为 0–99 的整数"},
        {R"([{"name": "A", "tolerance": "0-1"}])", "groups[0].tolerance: 应为数组"},
        {R"([{"tolerance": [0, 1]}])", "groups[0]: 缺少组名"},
        {R"([{"name": ""}])", "groups[0].name: 组名不能为空"},
        {R"([{"name": "A"}, {"name": "A"}])", "groups[1].name: \"A\" 与前面的组重名"},
        {R"([{"name": "A", "colour": 1}])", "groups[0]: \"colour\" 是未知的键"},
        {R"([{"name": "A", "conditions": "5连"}])", "groups[0].conditions: 应为数组"},
        {R"([{"name": "A", "conditions": [5]}])", "groups[0].conditions: 应为字符串"},
        {R"(["A"])", "groups[0]: 应为对象"},
        {R"({"name": "A"})", "groups: 应为数组"},
    };
    for (const auto& c : cases) {
        const std::string json =
            std::string(R"({"numsift": 1, "sumTailKill": "5", "tolerance": [0, 2], "groups": )") + c.groups +
            "}";
        const SchemeLoad load = loadScheme(json);
        EXPECT_FALSE(load.ok) << json;
        EXPECT_NE(load.error.find(c.expected), std::string::npos) << json << "\n  got: " << load.error;
        EXPECT_EQ(load.scheme, emptyScheme()) << json;  // nothing half-applied
    }
}

TEST(SchemeGroups, EightGroupsAndAnEmptyListAreFine) {
    std::string groups = "[";
    for (int g = 0; g < 8; ++g)
        groups += std::string(g ? ", " : "") + R"({"name": "G)" + std::to_string(g) + "\"}";
    const SchemeLoad eight = loadScheme(R"({"numsift": 1, "groups": )" + groups + "]}");
    ASSERT_TRUE(eight.ok) << eight.error;
    EXPECT_EQ(eight.scheme.groups.size(), 8u);

    const SchemeLoad none = loadScheme(R"({"numsift": 1, "groups": []})");
    ASSERT_TRUE(none.ok) << none.error;
    EXPECT_EQ(none.scheme, emptyScheme());
}

}  // namespace
}  // namespace numsift
