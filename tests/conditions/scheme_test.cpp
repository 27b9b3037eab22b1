#include "conditions/scheme.h"

#include <gtest/gtest.h>

#include <random>

#include "conditions/hint_texts.h"
#include "conditions/run_order.h"

namespace numsift {
namespace {

const char* kExample = R"({
  "numsift": 1,
  "tolerance": [0, 1],
  "positionalKill": ["0", "", "", "", ""],
  "sumTailKill": "0",
  "banker": {"countRepeats": false, "groups": [{"digits": "12589", "counts": "23"}]},
  "shapeKill": ["AAAAA", "5连"],
  "acKill": [1, 2],
  "compound": {"kill2": "23 45", "positional": "12***\n1***7"}
})";

TEST(Scheme, ExampleLoads) {
    const SchemeLoad load = loadScheme(kExample);
    ASSERT_TRUE(load.ok) << load.error;
    const FilterInput& in = load.scheme.input;
    EXPECT_EQ(load.scheme.tolerance, (Tolerance{0, 1}));
    EXPECT_TRUE(in.positionalKill[0][0]);
    EXPECT_FALSE(in.positionalKill[1][0]);
    EXPECT_TRUE(in.sumTailKill[0]);
    EXPECT_TRUE(in.banker[0].digits[5]);
    EXPECT_TRUE(in.banker[0].counts[3]);
    EXPECT_FALSE(in.banker[0].counts[1]);
    EXPECT_EQ(in.shapeKill, ShapeSet().set(kShapeAAAAA).set(kShapeRun5));  // box order 2, 7
    EXPECT_TRUE(in.acKill[1] && in.acKill[2] && !in.acKill[3]);
    EXPECT_EQ(in.compound.killTwo.text, "23 45");
    EXPECT_EQ(in.compound.positional.text, "12*** \r\n1***7");  // the box's own layout
    EXPECT_EQ(in.compound.positional.hint, hints::kCompose[7]);
    EXPECT_EQ(in.straightKill.hint, hints::kStraightKill);

    const RunResult r = runFilter(in, {}, load.scheme.tolerance);
    EXPECT_EQ(r.matrix.columnCount(), 8u);
}

TEST(Scheme, SaveListsEveryKeyAndIsStable) {
    const std::string empty = saveScheme(emptyScheme());
    const char* keys[] = {"numsift",        "tolerance",           "straightKill",
                          "positionalKill", "sumTailKill",         "sumValueKill",
                          "spanKill",       "digitKill",           "banker",
                          "bigSmallKill",   "oddEvenKill",         "primeCompositeKill",
                          "roadKill",       "shapeKill",           "bigSmallRatio",
                          "oddEvenRatio",   "primeCompositeRatio", "acKill",
                          "compound"};
    std::size_t last = 0;
    for (const char* k : keys) {
        const std::size_t at = empty.find(std::string("\"") + k + "\":");
        ASSERT_NE(at, std::string::npos) << k;
        EXPECT_GT(at, last) << k;
        last = at;
    }
    EXPECT_EQ(empty.back(), '\n');
    const SchemeLoad back = loadScheme(empty);
    ASSERT_TRUE(back.ok) << back.error;
    EXPECT_EQ(back.scheme, emptyScheme());

    const SchemeLoad example = loadScheme(kExample);
    const std::string saved = saveScheme(example.scheme);
    const SchemeLoad again = loadScheme(saved);
    ASSERT_TRUE(again.ok) << again.error << "\n" << saved;
    EXPECT_EQ(again.scheme, example.scheme);
    EXPECT_EQ(saveScheme(again.scheme), saved);
    EXPECT_NE(saved.find("\"positional\": \"12*** \\n1***7\""), std::string::npos) << saved;
    EXPECT_NE(saved.find("{\"digits\": \"12589\", \"counts\": \"23\"}"), std::string::npos) << saved;
}

TEST(Scheme, TextsAreNormalisedAndHintsCountAsEmpty) {
    const SchemeLoad load = loadScheme(R"({"numsift": 1, "tolerance": [5, 2],
        "straightKill": "54321,12345  12345\r\n00001 00002 00003 00004",
        "sumValueKill": "45   00",
        "spanKill": "9090",
        "compound": {"kill2": "23;45,67    89\n12", "must4": "2406\r\n240613",
                     "junk": "输入格式举例：\n17*235*12*789*01\n\n中间用*分开5个位置，每行一个复式"}})");
    ASSERT_TRUE(load.ok) << load.error;
    const FilterInput& in = load.scheme.input;
    EXPECT_EQ(load.scheme.tolerance, (Tolerance{2, 2}));
    EXPECT_EQ(in.straightKill.text, "00001 00002 00003 00004 12345 \r\n54321");
    EXPECT_EQ(in.sumValueKill.text, "45 00");
    EXPECT_TRUE(in.spanKill[0] && in.spanKill[9] && !in.spanKill[1]);
    EXPECT_EQ(in.compound.killTwo.text, "23 45 67 89 12");
    EXPECT_EQ(in.compound.mustFour.text, "2406 240613");
    EXPECT_EQ(in.compound.junk.text, "");  // the hint text counts as empty

    const SchemeLoad hint =
        loadScheme(std::string(R"({"numsift": 1, "straightKill": )") + "\"" + hints::kStraightKill + "\"}");
    ASSERT_TRUE(hint.ok) << hint.error;
    EXPECT_EQ(hint.scheme.input.straightKill.text, "");
}

// A text ending in a separator (a trailing line break is the common case)
// loads in the layout the box settles on, so saving and loading it again
// gives the same scheme.
TEST(Scheme, TrailingSeparatorsLoadStably) {
    for (const char* json : {R"({"numsift": 1, "compound": {"kill2": "23 45\n"}})",
                             R"({"numsift": 1, "compound": {"kill2": "23 45,"}})",
                             R"({"numsift": 1, "compound": {"junk": "1*2*3*4*5\r\n"}})",
                             R"({"numsift": 1, "sumValueKill": "01 45;"})"}) {
        const SchemeLoad load = loadScheme(json);
        ASSERT_TRUE(load.ok) << load.error;
        const SchemeLoad again = loadScheme(saveScheme(load.scheme));
        ASSERT_TRUE(again.ok) << again.error;
        EXPECT_EQ(again.scheme, load.scheme) << json;
    }
    EXPECT_EQ(
        loadScheme(R"({"numsift": 1, "compound": {"kill2": "23 45\n"}})").scheme.input.compound.killTwo.text,
        "23 45");
}

TEST(Scheme, ErrorsNameKeyAndItem) {
    const struct {
        const char* json;
        const char* expected;
    } cases[] = {
        {R"({"numsift": 1, "roadKill": ["01203"]})", "roadKill: \"01203\" 不是有效的选项"},
        {R"({"numsift": 1, "bigSmallKill": ["奇奇奇奇奇"]})", "bigSmallKill: \"奇奇奇奇奇\" 不是有效的选项"},
        {R"({"numsift": 1, "shapeKill": ["6连"]})", "shapeKill: \"6连\""},
        {R"({"numsift": 1, "oddEvenRatio": ["2:2"]})", "oddEvenRatio: \"2:2\""},
        {R"({"numsift": 1, "shapeKill": "上山"})", "shapeKill: 应为数组"},
        {R"({"numsift": 1, "roadKill": [1]})", "roadKill: 应为字符串"},
        {R"({"tolerance": [0, 0]})", "numsift: 缺少"},
        {R"({"numsift": 2})", "numsift: 不支持"},
        {R"({"numsift": 1.0})", "numsift: 不支持"},
        {R"({"numsift": 1, "colour": 3})", "colour: 未知的键"},
        {R"({"numsift": 1, "tolerance": [0, 1.5]})", "tolerance: 应为 0–99 的整数"},
        {R"({"numsift": 1, "tolerance": [0, 100]})", "tolerance: 应为 0–99 的整数"},
        {R"({"numsift": 1, "tolerance": [true, 1]})", "tolerance: 应为整数"},
        {R"({"numsift": 1, "tolerance": [1]})", "tolerance: 应为 [下限, 上限]"},
        {R"({"numsift": 1, "positionalKill": ["", "", "", ""]})", "positionalKill: 应为 5 个"},
        {R"({"numsift": 1, "positionalKill": ["", "", "x", "", ""]})",
         "positionalKill[2]: \"x\" 不是 0–9 的数字"},
        {R"({"numsift": 1, "sumTailKill": "1大"})", "sumTailKill: \"大\" 不是 0–9 的数字"},
        {R"({"numsift": 1, "digitKill": 5})", "digitKill: 应为字符串"},
        {R"({"numsift": 1, "sumValueKill": "01 46"})", "sumValueKill: \"46\" 不符合格式要求"},
        {R"({"numsift": 1, "straightKill": "12345 1234"})", "straightKill: \"1234\" 不是五位数字"},
        {R"({"numsift": 1, "straightKill": "12345 ab345"})", "straightKill: \"ab345\""},
        {R"({"numsift": 1, "compound": {"kill2": "12 345"}})", "compound.kill2: \"345\" 不符合格式要求"},
        {R"({"numsift": 1, "compound": {"junk": "1*2*3*4"}})", "compound.junk: \"1*2*3*4\""},
        {R"({"numsift": 1, "compound": {"positional": "*****"}})", "compound.positional: \"*****\""},
        {R"({"numsift": 1, "compound": {"kill5": "12345"}})", "compound: \"kill5\" 是未知的键"},
        {R"({"numsift": 1, "banker": {"groups": [{"digits": "1", "counts": "6"}]}})",
         "banker.groups[0].counts: \"6\" 不是 0–5 的数字"},
        {R"({"numsift": 1, "banker": {"countRepeats": 1}})", "banker.countRepeats: 应为true 或 false"},
        {R"({"numsift": 1, "banker": {"groups": [{"digit": "1"}]}})",
         "banker.groups[0]: \"digit\" 是未知的键"},
        {R"({"numsift": 1, "banker": {"groups": [{},{},{},{},{},{},{},{},{},{},{}]}})",
         "banker.groups: 最多 10 组"},
        {R"({"numsift": 1, "acKill": [0]})", "acKill: 应为 1–9 的整数"},
        {R"({"numsift": 1, "acKill": [true]})", "acKill: 应为整数"},
        {R"([1])", "应为 JSON 对象"},
        {R"({"numsift": 1, "numsift": 1})", "重复的键"},
    };
    for (const auto& c : cases) {
        const SchemeLoad load = loadScheme(c.json);
        EXPECT_FALSE(load.ok) << c.json;
        EXPECT_NE(load.error.find(c.expected), std::string::npos) << c.json << "\n  got: " << load.error;
        EXPECT_EQ(load.scheme, emptyScheme()) << c.json;  // nothing half-applied
    }
}

TEST(Scheme, BankerGroupsKeepTheirPlaces) {
    Scheme s = emptyScheme();
    s.input.banker[2].digits[7] = true;
    s.input.banker[0].counts[0] = true;  // counts without digits are panel state too
    s.input.countRepeats = true;
    const std::string saved = saveScheme(s);
    EXPECT_NE(
        saved.find(
            R"("groups": [{"digits": "", "counts": "0"}, {"digits": "", "counts": ""}, {"digits": "7", "counts": ""}])"),
        std::string::npos)
        << saved;
    const SchemeLoad back = loadScheme(saved);
    ASSERT_TRUE(back.ok) << back.error;
    EXPECT_EQ(back.scheme, s);
}

// Damaged scheme files: every variant either loads (and then saves stably)
// or is refused with a message and leaves the empty scheme.
TEST(Scheme, DamagedFilesNeverHalfLoad) {
    const std::string good = saveScheme(loadScheme(kExample).scheme);
    std::mt19937 rng(11);
    const std::string bytes = "{}[]\":,0159*\\ \n-.a\xE5\xA4\xA7\xFF";
    int loaded = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string text = good;
        const int edits = 1 + static_cast<int>(rng() % 3);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = rng() % text.size();
            switch (rng() % 3) {
                case 0: text[at] = bytes[rng() % bytes.size()]; break;
                case 1: text.erase(at, 1 + rng() % 4); break;
                default: text.insert(at, 1, bytes[rng() % bytes.size()]); break;
            }
            if (text.empty()) text = "{";
        }
        const SchemeLoad load = loadScheme(text);
        if (!load.ok) {
            EXPECT_FALSE(load.error.empty());
            EXPECT_EQ(load.scheme, emptyScheme());
            continue;
        }
        ++loaded;
        const std::string saved = saveScheme(load.scheme);
        const SchemeLoad again = loadScheme(saved);
        ASSERT_TRUE(again.ok) << again.error << "\n" << text;
        EXPECT_EQ(again.scheme, load.scheme) << text;
        EXPECT_EQ(saveScheme(again.scheme), saved);
    }
    EXPECT_GT(loaded, 0);
}

}  // namespace
}  // namespace numsift
